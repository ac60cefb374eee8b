// SPDX-License-Identifier: GPL-3.0-or-later
#include "script_report.h"

#include "percent_field.h"

#include <QList>

namespace quillet
{

namespace
{

QByteArray Bytes(QByteArrayView field)
{
    return field.contains('%') ? QByteArray::fromPercentEncoding(field.toByteArray())
                               : field.toByteArray();
}

QString Text(QByteArrayView field)
{
    // Most fields hold no escape: decoded straight from the record.
    return field.contains('%')
               ? QString::fromUtf8(QByteArray::fromPercentEncoding(field.toByteArray()))
               : QString::fromUtf8(field);
}

const char* KindWord(ScriptLineResult::Kind kind)
{
    switch (kind) {
    case ScriptLineResult::Kind::Renamed:
        return "renamed";
    case ScriptLineResult::Kind::Failed:
        return "failed";
    case ScriptLineResult::Kind::LineError:
        break;
    }
    return "error";
}

} // namespace

void ScriptReportWriter::append(QByteArray& report, const ScriptLineResult& result)
{
    const auto field = [&report](const QString& text) {
        report += ' ';
        AppendTextField(report, text, [](QStringView t) { return t.toUtf8(); });
    };
    report += KindWord(result.kind);
    report += ' ';
    char digits[12];
    int count = 0;
    for (quint32 line = quint32(qMax(result.line, 0)); count == 0 || line != 0; line /= 10)
        digits[count++] = char('0' + line % 10);
    while (count > 0)
        report += digits[--count];
    if (result.kind != ScriptLineResult::Kind::LineError) {
        if (result.rename.folder != m_folder || m_folderField.isEmpty()) {
            m_folder = result.rename.folder;
            m_folderField.resize(0);
            AppendTextField(m_folderField, m_folder, [](QStringView t) { return t.toUtf8(); });
        }
        report += ' ';
        report += m_folderField;
        field(result.rename.from);
        field(result.rename.to);
    }
    if (result.kind == ScriptLineResult::Kind::Renamed && !result.rename.identity.isEmpty()) {
        report += ' ';
        AppendPercentEncoded(report, result.rename.identity);
    }
    if (result.kind != ScriptLineResult::Kind::Renamed)
        field(result.kind == ScriptLineResult::Kind::LineError ? result.message
                                                               : result.rename.reason);
    report += '\n';
}

QByteArray FormatScriptLineResult(const ScriptLineResult& result)
{
    QByteArray record;
    ScriptReportWriter().append(record, result);
    return record;
}

std::optional<ScriptLineResult> ScriptReportReader::parse(QByteArrayView record)
{
    // The fields, split at single blanks without copying them.
    QByteArrayView fields[7];
    qsizetype count = 0;
    for (qsizetype start = 0;;) {
        const qsizetype blank = record.indexOf(' ', start);
        if (count == 7)
            return std::nullopt;
        fields[count++] = record.sliced(start, (blank < 0 ? record.size() : blank) - start);
        if (blank < 0)
            break;
        start = blank + 1;
    }
    ScriptLineResult result;
    bool ok = false;
    if (fields[0] == "renamed" && (count == 5 || count == 6)) {
        result.kind = ScriptLineResult::Kind::Renamed;
        ok = true;
    } else if (fields[0] == "failed" && count == 6) {
        result.kind = ScriptLineResult::Kind::Failed;
        ok = true;
    } else if (fields[0] == "error" && count == 3) {
        result.kind = ScriptLineResult::Kind::LineError;
        ok = true;
    }
    if (!ok)
        return std::nullopt;
    result.line = fields[1].toInt(&ok);
    if (!ok)
        return std::nullopt;
    if (result.kind == ScriptLineResult::Kind::LineError) {
        result.message = Text(fields[2]);
        return result;
    }
    // Every rename of a script acts in one folder or a few: their records share its text.
    if (fields[2] != m_folderField) {
        m_folderField = fields[2].toByteArray();
        m_folder = Text(fields[2]);
    }
    result.rename.folder = m_folder;
    result.rename.from = Text(fields[3]);
    result.rename.to = Text(fields[4]);
    result.rename.ok = result.kind == ScriptLineResult::Kind::Renamed;
    if (result.kind == ScriptLineResult::Kind::Failed)
        result.rename.reason = Text(fields[5]);
    else if (count == 6)
        result.rename.identity = Bytes(fields[5]);
    return result;
}

std::optional<ScriptLineResult> ParseScriptLineResult(const QByteArray& record)
{
    return ScriptReportReader().parse(record);
}

} // namespace quillet
