#include "batch_interpreter.h"

#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
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

class Interpreter
{
public:
    Interpreter(const QString& startFolder, Platform& platform,
                const std::function<void(const QString&)>& report)
        : folder_(QDir::cleanPath(QDir(startFolder).absolutePath())), platform_(platform),
          report_(report)
    {
    }

    void runLine(int number, const QString& rawLine)
    {
        number_ = number;
        const std::optional<QString> expanded = ExpandPercent(rawLine);
        if (!expanded) {
            fail(QCoreApplication::translate(
                     "BatchInterpreter",
                     "a single % names a variable, which is not supported here (write "
                     "%% for a %); line skipped: %1")
                     .arg(rawLine));
            return;
        }
        QString line = *expanded;
        while (!line.isEmpty() && IsBlank(line.front()))
            line.remove(0, 1);
        if (line.startsWith(QLatin1Char('@')))
            line.remove(0, 1);
        while (!line.isEmpty() && IsBlank(line.back()))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1String("::")))
            return;
        if (IsDriveLetterLine(line) || (!lastCd_.isEmpty() && line == lastCd_.left(2)))
            return; // a drive switch: no drives here, the cd line already chose the folder

        qsizetype end = 0;
        while (end < line.size() && line.at(end).isLetter())
            ++end;
        const QString keyword = line.left(end).toLower();
        const QString rest = line.mid(end);
        const bool separated = rest.isEmpty() || IsBlank(rest.front());
        if (keyword == QLatin1String("rem") && separated)
            return;
        if ((keyword == QLatin1String("cd") || keyword == QLatin1String("chdir")) && separated)
            changeFolder(rest.trimmed());
        else if ((keyword == QLatin1String("rename") || keyword == QLatin1String("ren")) &&
                 separated && !rest.isEmpty())
            rename(SplitArguments(rest));
        else
            fail(
                QCoreApplication::translate("BatchInterpreter", "unknown command, line skipped: %1")
                    .arg(line));
    }

    BatchRunSummary summary() const { return summary_; }

private:
    void fail(const QString& text)
    {
        ++summary_.failedLines;
        report_(
            QCoreApplication::translate("BatchInterpreter", "line %1: %2").arg(number_).arg(text));
    }

    void changeFolder(QString argument)
    {
        argument.remove(QLatin1Char('"'));
        if (argument.isEmpty())
            return; // a bare cd only shows the folder
        lastCd_ = argument;
        const QString target = QDir::cleanPath(QDir(folder_).absoluteFilePath(argument));
        if (!QFileInfo(target).isDir()) {
            folderKnown_ = false;
            fail(QCoreApplication::translate(
                     "BatchInterpreter",
                     "cd: the folder \"%1\" does not exist; the renames up to the next "
                     "cd are skipped")
                     .arg(argument));
            return;
        }
        folder_ = target;
        folderKnown_ = true;
    }

    void rename(const QStringList& args)
    {
        if (args.size() != 2) {
            fail(QCoreApplication::translate(
                "BatchInterpreter", "rename needs exactly two names, the file's and its new one"));
            return;
        }
        const QString& from = args.at(0);
        const QString& to = args.at(1);
        const QString what =
            QCoreApplication::translate("BatchInterpreter", "could not rename \"%1\" to \"%2\": ")
                .arg(from, to);
        if (!folderKnown_) {
            fail(what + QCoreApplication::translate("BatchInterpreter",
                                                    "the folder of the last cd does not exist"));
            return;
        }
        const QChar separator = platform_.separator();
        if (to.contains(QLatin1Char('/')) || to.contains(separator)) {
            fail(what + QCoreApplication::translate("BatchInterpreter",
                                                    "the new name must not hold a folder"));
            return;
        }
        if (from.contains(QLatin1Char('/')) || from.contains(separator)) {
            fail(what + QCoreApplication::translate(
                            "BatchInterpreter",
                            "the name must be a file of the current folder, without "
                            "a folder part"));
            return;
        }
        const QString folderText = folder_.endsWith(separator) ? folder_ : folder_ + separator;
        const RenameOutcome outcome = platform_.renameInFolder(folderText, from, to);
        if (!outcome.ok) {
            fail(what + outcome.error);
            return;
        }
        ++summary_.renamed;
    }

    QString folder_;
    bool folderKnown_ = true;
    QString lastCd_;
    int number_ = 0;
    Platform& platform_;
    const std::function<void(const QString&)>& report_;
    BatchRunSummary summary_;
};

} // namespace

BatchRunSummary RunBatchScript(const QString& scriptText, const QString& startFolder,
                               Platform& platform,
                               const std::function<void(const QString&)>& reportError)
{
    Interpreter interpreter(startFolder, platform, reportError);
    QStringList lines = scriptText.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast(); // the line break that ends the last line
    int number = 0;
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        interpreter.runLine(++number, line);
    }
    return interpreter.summary();
}

} // namespace quillet
