// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch_line_parser.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <optional>
#include <utility>

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
    const qsizetype first = line.indexOf(QLatin1Char('%'));
    if (first < 0)
        return line; // the common case, shared rather than copied
    QString out = line.left(first);
    out.reserve(line.size());
    for (qsizetype i = first; i < line.size(); ++i) {
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
QStringList SplitArguments(QStringView text)
{
    QStringList args;
    QString current;
    bool inArg = false;
    bool quoted = false;
    // The characters since the last quote or separator are taken in one piece.
    qsizetype runStart = 0;
    const auto takeRun = [&](qsizetype end) {
        current += text.sliced(runStart, end - runStart);
        runStart = end + 1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"')) {
            takeRun(i);
            quoted = !quoted;
            inArg = true;
        } else if (!quoted && (IsBlank(c) || c == QLatin1Char(',') || c == QLatin1Char(';') ||
                               c == QLatin1Char('='))) {
            takeRun(i);
            if (inArg)
                args.append(std::exchange(current, QString()));
            inArg = false;
        } else {
            inArg = true;
        }
    }
    takeRun(text.size());
    if (inArg)
        args.append(current);
    return args;
}

bool IsDriveLetterLine(const QString& line)
{
    return line.size() == 2 && line.at(1) == QLatin1Char(':') && line.at(0).isLetter() &&
           line.at(0).unicode() < 128;
}

bool QuotesClosed(QStringView text)
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

ParsedLine Nothing()
{
    return {};
}

} // namespace

ParsedLine BatchLineParser::refused(const QString& message)
{
    ParsedLine parsed;
    parsed.result.kind = Kind::Failed;
    parsed.result.message = message;
    return parsed;
}

ParsedLine BatchLineParser::parse(const QString& rawLine, bool lineEnded)
{
    const std::optional<QString> expanded = ExpandPercent(rawLine);
    if (!expanded)
        return refused(QCoreApplication::translate("BatchInterpreter",
                                                   "a single % names a variable, which is not "
                                                   "supported here (write %% for a %); line "
                                                   "skipped: %1")
                           .arg(rawLine));
    QString line = *expanded;
    while (!line.isEmpty() && IsBlank(line.front()))
        line.remove(0, 1);
    if (line.startsWith(QLatin1Char('@')))
        line.remove(0, 1);
    while (!line.isEmpty() && IsBlank(line.back()))
        line.chop(1);
    if (line.isEmpty())
        return Nothing();
    if (!lineEnded)
        return refused(QCoreApplication::translate("BatchInterpreter",
                                                   "the last line has no line end, so the script "
                                                   "may have been cut short; line skipped: %1")
                           .arg(line));
    if (line.startsWith(QLatin1String("::")))
        return Nothing();
    // A drive switch: no drives here, the cd line already chose the folder. After a cd
    // to a POSIX path the drive is its root "/"; scripts of earlier versions gave the
    // path's first two characters.
    if (IsDriveLetterLine(line) ||
        (!m_lastCd.isEmpty() &&
         (line == m_lastCd.left(2) ||
          (line == QLatin1String("/") && m_lastCd.startsWith(QLatin1Char('/'))))))
        return Nothing();

    if (const std::optional<int> level = ErrorLevelExit(line)) {
        ParsedLine parsed;
        parsed.action = ParsedLine::Action::ErrorLevel;
        parsed.level = *level;
        parsed.text = line;
        return parsed;
    }

    qsizetype end = 0;
    while (end < line.size() && line.at(end).isLetter())
        ++end;
    const QStringView keyword = QStringView(line).left(end);
    const QStringView rest = QStringView(line).sliced(end);
    const bool separated = rest.isEmpty() || IsBlank(rest.front());
    const auto is = [&keyword](QLatin1String word) {
        return keyword.compare(word, Qt::CaseInsensitive) == 0;
    };
    if (is(QLatin1String("rem")) && separated)
        return Nothing();
    const bool cd = (is(QLatin1String("cd")) || is(QLatin1String("chdir"))) && separated;
    const bool rename =
        (is(QLatin1String("rename")) || is(QLatin1String("ren"))) && separated && !rest.isEmpty();
    if (!cd && !rename)
        return refused(
            QCoreApplication::translate("BatchInterpreter", "unknown command, line skipped: %1")
                .arg(line));
    if (!QuotesClosed(rest))
        return refused(QCoreApplication::translate("BatchInterpreter",
                                                   "a double quote is not closed, so a name may "
                                                   "have been cut; line skipped: %1")
                           .arg(line));
    if (cd)
        return changeFolder(rest.trimmed());
    QStringList args = SplitArguments(rest);
    if (args.size() != 2)
        return refused(QCoreApplication::translate("BatchInterpreter",
                                                   "rename needs exactly two names, the file's "
                                                   "and its new one"));
    ParsedLine parsed;
    parsed.action = ParsedLine::Action::Rename;
    parsed.from = std::move(args[0]);
    parsed.to = std::move(args[1]);
    return parsed;
}

ParsedLine BatchLineParser::changeFolder(QStringView rest)
{
    QString argument = rest.toString();
    bool exitOnFailure = false;
    if (const qsizetype orAt = OrOperator(argument); orAt >= 0) {
        if (!IsExitCommand(argument.mid(orAt + 2).trimmed()))
            return refused(QCoreApplication::translate(
                "BatchInterpreter", "only \"|| exit /b 1\" may follow a cd; line "
                                    "skipped"));
        exitOnFailure = true;
        argument = argument.left(orAt).trimmed();
    }
    argument = WithoutDriveSwitch(argument);
    argument.remove(QLatin1Char('"'));
    if (argument.isEmpty())
        return Nothing(); // a bare cd only shows the folder
    m_lastCd = argument;
    ParsedLine parsed;
    parsed.action = ParsedLine::Action::ChangeFolder;
    parsed.text = argument;
    parsed.exitOnFailure = exitOnFailure;
    return parsed;
}

} // namespace quillet
