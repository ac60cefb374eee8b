// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch_interpreter.h"

#include "names/folder_path.h"
#include "platform/platform.h"
#include "run_journal.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>
#include <cstring>
#include <optional>

namespace quillet
{

namespace
{

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// The line with every %% made one %; nothing when it holds a single %.
std::optional<QString> ExpandPercent(const QString& line)
{
    QString out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) != QLatin1Char('%')) {
            out += line.at(i);
            continue;
        }
        if (i + 1 == line.size() || line.at(i + 1) != QLatin1Char('%'))
            return std::nullopt;
        out += QLatin1Char('%');
        ++i;
    }
    return out;
}

// The arguments of a command: separated by blanks, commas, semicolons or equal signs outside
// double quotes; the quotes themselves are removed.
QStringList SplitArguments(const QString& text)
{
    QStringList args;
    QString current;
    bool inArg = false;
    bool quoted = false;
    for (QChar c : text) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inArg = true;
        } else if (!quoted && (IsBlank(c) || c == QLatin1Char(',') || c == QLatin1Char(';') ||
                               c == QLatin1Char('='))) {
            if (inArg)
                args.append(current);
            current.clear();
            inArg = false;
        } else {
            current += c;
            inArg = true;
        }
    }
    if (inArg)
        args.append(current);
    return args;
}

bool IsDriveLetterLine(const QString& line)
{
    return line.size() == 2 && line.at(1) == QLatin1Char(':') && line.at(0).isLetter() &&
           line.at(0).unicode() < 128;
}

bool QuotesClosed(const QString& text)
{
    return text.count(QLatin1Char('"')) % 2 == 0;
}

// The position of the first "||" outside double quotes, or -1.
qsizetype OrOperator(const QString& text)
{
    bool quoted = false;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && text.at(i) == QLatin1Char('|') && text.at(i + 1) == QLatin1Char('|'))
            return i;
    }
    return -1;
}

// What may follow a cd after "||": exit, for the whole script or the batch (/b), with an
// optional exit code.
bool IsExitCommand(const QString& text)
{
    static const QRegularExpression exit(QStringLiteral("^exit(\\s+/b)?(\\s+-?\\d+)?$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return exit.match(text).hasMatch();
}

// The level of an "if errorlevel N exit ..." line, which ends the script when the last cd
// failed; nothing for any other line.
std::optional<int> ErrorLevelExit(const QString& line)
{
    if (!line.startsWith(QLatin1String("if"), Qt::CaseInsensitive))
        return std::nullopt;
    static const QRegularExpression check(
        QStringLiteral("^if\\s+errorlevel\\s+(-?\\d+)\\s+exit(\\s+/b)?(\\s+-?\\d+)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = check.match(line);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt();
}

// The folder argument of a cd without the /d switch (which also changes the drive): the switch
// is taken as one only when a quoted folder follows, so that an old unquoted folder such as
// "/d x/" keeps its meaning.
QString WithoutDriveSwitch(const QString& argument)
{
    static const QRegularExpression drive(QStringLiteral("^/[dD]\\s+(?=\")"));
    QString rest = argument;
    return rest.remove(drive);
}

using Kind = BatchLineResult::Kind;

BatchLineResult LineResult(Kind kind, const QString& message = {})
{
    BatchLineResult result;
    result.kind = kind;
    result.message = message;
    return result;
}

class Interpreter
{
public:
    Interpreter(const QString& startFolder, Platform& platform, const QByteArray& folderIdentity,
                RunJournal* journal)
        : m_folder(QDir::cleanPath(QDir(startFolder).absolutePath())), m_platform(platform),
          m_folderIdentity(folderIdentity), m_journal(journal)
    {
        m_folderText = WithSeparator(m_folder, m_platform.separator());
        noteFolder();
    }

    BatchLineResult runLine(const QString& rawLine, bool lineEnded)
    {
        const std::optional<QString> expanded = ExpandPercent(rawLine);
        if (!expanded)
            return fail(
                QCoreApplication::translate("BatchInterpreter",
                                            "a single % names a variable, which is not supported "
                                            "here (write %% for a %); line skipped: %1")
                    .arg(rawLine));
        QString line = *expanded;
        while (!line.isEmpty() && IsBlank(line.front()))
            line.remove(0, 1);
        if (line.startsWith(QLatin1Char('@')))
            line.remove(0, 1);
        while (!line.isEmpty() && IsBlank(line.back()))
            line.chop(1);
        if (line.isEmpty())
            return {};
        if (!lineEnded)
            return fail(
                QCoreApplication::translate("BatchInterpreter",
                                            "the last line has no line end, so the script may have "
                                            "been cut short; line skipped: %1")
                    .arg(line));
        if (line.startsWith(QLatin1String("::")))
            return {};
        // A drive switch: no drives here, the cd line already chose the folder. After a cd
        // to a POSIX path the drive is its root "/"; scripts of earlier versions gave the
        // path's first two characters.
        if (IsDriveLetterLine(line) ||
            (!m_lastCd.isEmpty() &&
             (line == m_lastCd.left(2) ||
              (line == QLatin1String("/") && m_lastCd.startsWith(QLatin1Char('/'))))))
            return {};

        if (const std::optional<int> level = ErrorLevelExit(line)) {
            // Only a cd sets the level here: 1 when it failed, 0 when it worked.
            if ((m_bLastCdFailed ? 1 : 0) < *level)
                return {};
            m_summary.ended = true;
            ++m_summary.failedLines;
            return LineResult(Kind::Ended, QCoreApplication::translate("BatchInterpreter",
                                                                       "the script ends here (%1)")
                                               .arg(line));
        }

        qsizetype end = 0;
        while (end < line.size() && line.at(end).isLetter())
            ++end;
        const QString keyword = line.left(end).toLower();
        const QString rest = line.mid(end);
        const bool separated = rest.isEmpty() || IsBlank(rest.front());
        if (keyword == QLatin1String("rem") && separated)
            return {};
        const bool cd =
            (keyword == QLatin1String("cd") || keyword == QLatin1String("chdir")) && separated;
        const bool rename =
            (keyword == QLatin1String("rename") || keyword == QLatin1String("ren")) && separated &&
            !rest.isEmpty();
        if (!cd && !rename)
            return fail(
                QCoreApplication::translate("BatchInterpreter", "unknown command, line skipped: %1")
                    .arg(line));
        if (!QuotesClosed(rest))
            return fail(
                QCoreApplication::translate("BatchInterpreter",
                                            "a double quote is not closed, so a name may have been "
                                            "cut; line skipped: %1")
                    .arg(line));
        return cd ? changeFolder(rest.trimmed()) : renameFile(SplitArguments(rest));
    }

    BatchRunSummary summary() const { return m_summary; }

    BatchLineResult fail(const QString& text)
    {
        ++m_summary.failedLines;
        return LineResult(Kind::Failed, text);
    }

private:
    BatchLineResult changeFolder(QString argument)
    {
        bool exitOnFailure = false;
        if (const qsizetype orAt = OrOperator(argument); orAt >= 0) {
            if (!IsExitCommand(argument.mid(orAt + 2).trimmed()))
                return fail(QCoreApplication::translate(
                    "BatchInterpreter", "only \"|| exit /b 1\" may follow a cd; line "
                                        "skipped"));
            exitOnFailure = true;
            argument = argument.left(orAt).trimmed();
        }
        argument = WithoutDriveSwitch(argument);
        argument.remove(QLatin1Char('"'));
        if (argument.isEmpty())
            return {}; // a bare cd only shows the folder
        m_lastCd = argument;
        const QString target = QDir::cleanPath(QDir(m_folder).absoluteFilePath(argument));
        m_lock.reset();
        m_runFolder.reset();
        m_bLastCdFailed = !m_platform.isFolder(target);
        // One run at a time in a folder: while another run (a window, or another interpreter)
        // renames there, the cd fails as if the folder were missing. So it does when the
        // folder is not the one the window listed; the renames go to the folder opened here.
        QString lockError;
        if (!m_bLastCdFailed) {
            m_lock = m_platform.lockFolderForRun(target, &lockError);
            if (m_lock)
                m_runFolder = m_platform.openRunFolder(
                    WithSeparator(target, m_platform.separator()), m_folderIdentity, &lockError);
            m_bLastCdFailed = !m_runFolder;
        }
        if (m_bLastCdFailed) {
            m_bFolderKnown = false;
            if (exitOnFailure) {
                m_summary.ended = true;
                ++m_summary.failedLines;
                return LineResult(
                    Kind::Ended,
                    lockError.isEmpty()
                        ? QCoreApplication::translate("BatchInterpreter",
                                                      "cd: the folder \"%1\" does not exist; the "
                                                      "script ends here")
                              .arg(argument)
                        : QCoreApplication::translate("BatchInterpreter",
                                                      "cd: %1 The script ends here.")
                              .arg(lockError));
            }
            return fail(lockError.isEmpty()
                            ? QCoreApplication::translate("BatchInterpreter",
                                                          "cd: the folder \"%1\" does not exist; "
                                                          "the renames up to the next cd are "
                                                          "skipped")
                                  .arg(argument)
                            : QCoreApplication::translate("BatchInterpreter",
                                                          "cd: %1 The renames up to the next cd "
                                                          "are skipped.")
                                  .arg(lockError));
        }
        m_folder = target;
        m_folderText = WithSeparator(m_folder, m_platform.separator());
        m_bFolderKnown = true;
        noteFolder();
        return LineResult(Kind::ChangedFolder);
    }

    void noteFolder()
    {
        if (!m_journal || m_folder == m_journaledFolder)
            return;
        m_journaledFolder = m_folder;
        m_journal->enterFolder(WithSeparator(m_folder, m_platform.separator()),
                               m_platform.folderIdentity(m_folder).value_or(QByteArray()));
    }

    BatchLineResult renameFile(const QStringList& args)
    {
        if (args.size() != 2)
            return fail(QCoreApplication::translate(
                "BatchInterpreter", "rename needs exactly two names, the file's and its new "
                                    "one"));
        const QString& from = args.at(0);
        const QString& to = args.at(1);
        const QChar separator = m_platform.separator();
        const QString& folderText = m_folderText;
        // A rename line's result names its file, so that the caller can list the pair.
        QByteArray identity; // of the renamed file, when the journal took it
        const auto result = [&](const QString& reason) {
            BatchLineResult done =
                reason.isEmpty()
                    ? LineResult(Kind::Renamed)
                    : fail(QCoreApplication::translate("BatchInterpreter", "could not rename "
                                                                           "\"%1\" to \"%2\": %3")
                               .arg(from, to, reason));
            done.rename = reason.isEmpty()
                              ? RenameResult::renamed(folderText, from, to, std::move(identity))
                              : RenameResult::notRenamed(folderText, from, to, reason);
            return done;
        };
        if (!m_bFolderKnown)
            return result(QCoreApplication::translate("BatchInterpreter",
                                                      "the folder of the last cd does not exist"));
        if (from.isEmpty() || to.isEmpty())
            return result(QCoreApplication::translate("BatchInterpreter", "a name is empty"));
        for (const QString* name : {&from, &to}) {
            if (*name == QLatin1String(".") || *name == QLatin1String(".."))
                return result(QCoreApplication::translate("BatchInterpreter",
                                                          "\"%1\" names a folder, not a file")
                                  .arg(*name));
        }
        if (to.contains(QLatin1Char('/')) || to.contains(separator))
            return result(QCoreApplication::translate("BatchInterpreter",
                                                      "the new name must not hold a folder"));
        if (from.contains(QLatin1Char('/')) || from.contains(separator))
            return result(QCoreApplication::translate(
                "BatchInterpreter", "the name must be a file of the current folder, "
                                    "without a folder part"));
        // Renames before the first cd act in the start folder, under the same check.
        QString openError;
        if (!m_runFolder)
            m_runFolder = m_platform.openRunFolder(folderText, m_folderIdentity, &openError);
        if (!m_runFolder)
            return result(openError);
        if (m_journal) {
            m_journal->intend(from, to);
            m_journal->flush();
        }
        const RenameResult outcome = m_runFolder->rename(from, to);
        if (m_journal && outcome.ok) {
            identity = m_runFolder->fileIdentity(to).value_or(QByteArray());
            m_journal->renamed(identity);
        } else if (m_journal)
            m_journal->failed();
        if (outcome.ok)
            ++m_summary.renamed;
        return result(outcome.ok
                          ? QString()
                          : (outcome.reason.isEmpty()
                                 ? QCoreApplication::translate("BatchInterpreter", "it failed")
                                 : outcome.reason));
    }

    QString m_folder;
    QString m_folderText; // m_folder ending in its separator, as the results name it
    bool m_bFolderKnown = true;
    bool m_bLastCdFailed = false;
    QString m_lastCd;
    std::unique_ptr<FolderRunLock> m_lock;  // of the folder of the last cd that worked
    std::unique_ptr<RunFolder> m_runFolder; // that folder, held open
    Platform& m_platform;
    QByteArray m_folderIdentity; // of the only folder renamed in; empty: any folder
    RunJournal* m_journal;
    QString m_journaledFolder; // the folder the journal names last
    BatchRunSummary m_summary;
};

// The lines of a script, read in large blocks: a QIODevice asked for one line at a time reads
// a pipe one byte per system call, and a file asks for its size and place every line.
class ScriptLines
{
public:
    explicit ScriptLines(QIODevice& script) : m_script(script) {}

    // The next line with its line feed, if it has one, or its first kMaxScriptLineBytes + 1
    // bytes when it is longer; false at the end of the script (or on a read error).
    bool next(QByteArrayView* line)
    {
        constexpr qsizetype kLongest = kMaxScriptLineBytes + 1;
        for (;;) {
            const qsizetype limit = qMin(m_end, m_start + kLongest);
            const char* begin = m_buffer.constData() + m_start;
            if (const void* feed = std::memchr(begin, '\n', size_t(limit - m_start))) {
                const qsizetype size = static_cast<const char*>(feed) - begin + 1;
                *line = QByteArrayView(begin, size);
                m_start += size;
                return true;
            }
            if (limit - m_start == kLongest || (m_bEnd && m_start < m_end)) {
                *line = QByteArrayView(begin, limit - m_start);
                m_start = limit;
                return true;
            }
            if (m_bEnd)
                return false;
            fill();
        }
    }

    // Passes over the rest of a line that was too long; whether it had a line feed.
    bool skipRestOfLine()
    {
        for (;;) {
            const char* begin = m_buffer.constData() + m_start;
            if (const void* feed = std::memchr(begin, '\n', size_t(m_end - m_start))) {
                m_start += static_cast<const char*>(feed) - begin + 1;
                return true;
            }
            m_start = m_end;
            if (m_bEnd)
                return false;
            fill();
        }
    }

private:
    void fill()
    {
        if (m_start > 0) {
            std::memmove(m_buffer.data(), m_buffer.constData() + m_start, size_t(m_end - m_start));
            m_end -= m_start;
            m_start = 0;
        }
        const qint64 nRead = m_script.read(m_buffer.data() + m_end, m_buffer.size() - m_end);
        if (nRead <= 0)
            m_bEnd = true;
        else
            m_end += nRead;
    }

    QIODevice& m_script;
    QByteArray m_buffer{4 * kMaxScriptLineBytes, Qt::Uninitialized};
    qsizetype m_start = 0; // the first byte not handed out yet
    qsizetype m_end = 0;   // the end of the bytes read
    bool m_bEnd = false;   // the script has no more bytes
};

} // namespace

BatchRunSummary RunBatchScript(QIODevice& script, const QString& startFolder, Platform& platform,
                               const BatchLineCallback& onLine, const QByteArray& folderIdentity,
                               RunJournal* journal)
{
    Interpreter interpreter(startFolder, platform, folderIdentity, journal);
    int number = 0;
    ScriptLines lines(script);
    QByteArrayView bytes;
    while (lines.next(&bytes)) {
        ++number;
        bool ended = bytes.endsWith('\n');
        BatchLineResult result;
        if (!ended && bytes.size() >= kMaxScriptLineBytes) {
            ended = lines.skipRestOfLine();
            result =
                interpreter.fail(QCoreApplication::translate(
                                     "BatchInterpreter", "the line is longer than %1 bytes; line "
                                                         "skipped")
                                     .arg(kMaxScriptLineBytes));
        } else {
            if (ended)
                bytes = bytes.chopped(1);
            if (bytes.endsWith('\r'))
                bytes = bytes.chopped(1);
            QStringDecoder decoder(QStringDecoder::Utf8);
            const QString line = decoder.decode(bytes);
            result = decoder.hasError()
                         ? interpreter.fail(QCoreApplication::translate(
                               "BatchInterpreter", "the line is not UTF-8 text; line "
                                                   "skipped"))
                         : interpreter.runLine(line, ended);
        }
        onLine(number, result);
        if (result.kind == Kind::Ended)
            break;
    }
    return interpreter.summary();
}

std::optional<ScriptLineResult> ToScriptLineResult(int lineNumber, const BatchLineResult& result)
{
    using Report = ScriptLineResult::Kind;
    if (!result.rename.folder.isEmpty()) // only a rename line names its folder
        return ScriptLineResult{result.kind == Kind::Renamed ? Report::Renamed : Report::Failed,
                                lineNumber,
                                result.rename,
                                {}};
    if (result.kind == Kind::Failed || result.kind == Kind::Ended)
        return ScriptLineResult{Report::LineError, lineNumber, {}, result.message};
    return std::nullopt;
}

BatchRunSummary RunBatchScript(const QString& scriptText, const QString& startFolder,
                               Platform& platform,
                               const std::function<void(const QString&)>& reportError,
                               const std::function<void(const ScriptLineResult&)>& onResult)
{
    QByteArray bytes = scriptText.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return RunBatchScript(
        buffer, startFolder, platform, [&](int number, const BatchLineResult& result) {
            if (!result.message.isEmpty())
                reportError(QCoreApplication::translate("BatchInterpreter", "line %1: %2")
                                .arg(number)
                                .arg(result.message));
            if (onResult) {
                if (const auto line = ToScriptLineResult(number, result))
                    onResult(*line);
            }
        });
}

} // namespace quillet
