// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmd_transcript.h"

#include "names/case_mapping.h"

#include <QCoreApplication>
#include <QStringList>

namespace quillet::windows
{

namespace
{

constexpr char kEscape = '\x1b';

QByteArray UndoublePercent(QByteArray text)
{
    return text.replace("%%", "%");
}

// The two names of a line `rename "old" "new"` as the script writer makes them, with every %
// still doubled. False for any other line.
bool SplitRenameLine(const QByteArray& line, QByteArray* from, QByteArray* to)
{
    static const QByteArray kStart = "rename \"";
    static const QByteArray kBetween = "\" \"";
    if (!line.startsWith(kStart) || !line.endsWith('"'))
        return false;
    // No name holds a double quote, so the first one after the keyword ends the old name.
    const qsizetype between = line.indexOf(kBetween, kStart.size());
    if (between < 0 || line.indexOf('"', kStart.size()) != between)
        return false;
    *from = line.mid(kStart.size(), between - kStart.size());
    *to = line.mid(between + kBetween.size());
    to->chop(1);
    return !to->contains('"');
}

} // namespace

CmdTranscript::CmdTranscript(const QByteArray& scriptBytes, Decoder decode)
    : m_decode(std::move(decode))
{
    m_lines = scriptBytes.split('\n');
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
    for (QByteArray& line : m_lines)
        if (line.endsWith('\r'))
            line.chop(1);
}

QString CmdTranscript::scriptFolder() const
{
    static const QByteArray kStart = "cd /d \"";
    if (m_lines.isEmpty() || !m_lines.first().startsWith(kStart) || !m_lines.first().endsWith('"'))
        return QString();
    return m_decode(UndoublePercent(m_lines.first().mid(kStart.size()).chopped(1)));
}

void CmdTranscript::setNamesAtStart(const QStringList& names)
{
    m_checkNames = true;
    m_names.clear();
    for (const QString& name : names)
        m_names.insert(CaseFoldKey(name));
}

QList<ScriptLineResult> CmdTranscript::feed(const QByteArray& output)
{
    QList<ScriptLineResult> results;
    m_pending += output;
    if (!m_seenPrompt) {
        const qsizetype first = m_pending.indexOf(kEscape);
        if (first < 0)
            return results;
        m_preamble = m_pending.left(first);
        m_pending.remove(0, first + 1);
        m_seenPrompt = true;
    }
    // A record runs from the opening escape of one prompt to that of the next one.
    qsizetype start = 0;
    for (;;) {
        const qsizetype pathEnd = m_pending.indexOf(kEscape, start);
        const qsizetype next = pathEnd < 0 ? -1 : m_pending.indexOf(kEscape, pathEnd + 1);
        if (next < 0)
            break;
        take(m_pending.mid(start, next - start), &results);
        start = next + 1;
    }
    m_pending.remove(0, start);
    return results;
}

QList<ScriptLineResult> CmdTranscript::end()
{
    QList<ScriptLineResult> results;
    if (!m_seenPrompt)
        m_preamble += m_pending;
    else if (!m_pending.isEmpty())
        take(m_pending, &results);
    m_pending.clear();
    return results;
}

QString CmdTranscript::trouble() const
{
    if (m_lostAt > 0)
        return QCoreApplication::translate(
                   "Platform", "The output of the command interpreter stopped matching the "
                               "script at line %1; what it did from there on is not known.")
            .arg(m_lostAt);
    if (!m_seenPrompt)
        return m_decode(m_preamble).trimmed();
    return QString();
}

void CmdTranscript::take(const QByteArray& record, QList<ScriptLineResult>* results)
{
    const qsizetype index = m_next++;
    if (m_lostAt > 0 || index >= m_lines.size())
        return;
    const qsizetype pathEnd = record.indexOf(kEscape);
    const QByteArray rest = pathEnd < 0 ? QByteArray() : record.mid(pathEnd + 1);
    const qsizetype lineEnd = rest.indexOf('\n');
    const QByteArray echo = lineEnd < 0 ? rest : rest.left(lineEnd);
    const QByteArray errorText = lineEnd < 0 ? QByteArray() : rest.mid(lineEnd + 1);

    QStringList reasonLines;
    for (const QByteArray& part : errorText.split('\n'))
        if (const QByteArray trimmed = part.trimmed(); !trimmed.isEmpty())
            reasonLines.append(m_decode(trimmed));
    QString reason = reasonLines.join(QLatin1Char(' '));
    while (reason.endsWith(QLatin1Char('.')))
        reason.chop(1);

    ScriptLineResult result;
    result.line = int(index + 1);
    QByteArray from;
    QByteArray to;
    if (!SplitRenameLine(m_lines.at(index), &from, &to)) {
        if (reason.isEmpty())
            return;
        result.kind = ScriptLineResult::Kind::LineError;
        result.message = reason;
        results->append(result);
        return;
    }
    from = UndoublePercent(from);
    to = UndoublePercent(to);
    // cmd echoes the line as it runs it, its %% read as %: when that is not this line, the
    // records no longer line up with the script, and no result is better than a wrong one.
    if (pathEnd < 0 || !echo.contains('"' + from + "\" \"" + to + '"')) {
        m_lostAt = index + 1;
        return;
    }
    result.kind =
        reason.isEmpty() ? ScriptLineResult::Kind::Renamed : ScriptLineResult::Kind::Failed;
    result.rename.folder = m_decode(record.left(pathEnd));
    if (!result.rename.folder.endsWith(QLatin1Char('\\')))
        result.rename.folder += QLatin1Char('\\');
    result.rename.from = m_decode(from);
    result.rename.to = m_decode(to);
    result.rename.reason = reason;
    // Windows compares names without regard to case.
    if (m_checkNames && result.kind == ScriptLineResult::Kind::Renamed) {
        if (m_names.remove(CaseFoldKey(result.rename.from))) {
            m_names.insert(CaseFoldKey(result.rename.to));
        } else {
            result.kind = ScriptLineResult::Kind::Failed;
            result.rename.reason =
                QCoreApplication::translate("Platform", "there was no such file");
        }
    }
    result.rename.ok = result.kind == ScriptLineResult::Kind::Renamed;
    results->append(result);
}

} // namespace quillet::windows
