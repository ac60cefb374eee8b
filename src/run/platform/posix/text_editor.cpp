// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_editor.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextStream>

namespace quillet::posix
{

namespace
{

// The value of a desktop entry's string escapes (\s \n \t \r \\) undone.
QString UnescapeValue(const QString& value)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case 's':
            out += QLatin1Char(' ');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        default:
            out += QLatin1Char('\\');
            out += next;
            break;
        }
    }
    return out;
}

struct DesktopEntry {
    QString exec;
    bool terminal = false;
};

std::optional<DesktopEntry> ReadDesktopEntry(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QTextStream in(&file);
    DesktopEntry entry;
    bool inMainGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("Exec"))
            entry.exec = value;
        else if (key == QLatin1String("Terminal"))
            entry.terminal = value == QLatin1String("true");
    }
    if (entry.exec.isEmpty())
        return std::nullopt;
    return entry;
}

// The desktop's default application for text/plain, as a command on filePath.
std::optional<QStringList> DefaultApplicationCommand(const QString& filePath)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return std::nullopt;
    QProcess query;
    query.setStandardErrorFile(QProcess::nullDevice());
    query.start(xdgMime,
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit) {
        query.kill();
        query.waitForFinished(1000);
        return std::nullopt;
    }
    const QStringList ids =
        QString::fromLocal8Bit(query.readAllStandardOutput())
            .split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
    for (const QString& id : ids) {
        const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
        if (path.isEmpty())
            continue;
        const std::optional<DesktopEntry> entry = ReadDesktopEntry(path);
        if (!entry || entry->terminal)
            continue;
        QStringList command = ExpandDesktopExec(entry->exec, filePath);
        if (command.isEmpty())
            continue;
        const QString program = QStandardPaths::findExecutable(command.first());
        if (program.isEmpty())
            continue;
        command.first() = program;
        return command;
    }
    return std::nullopt;
}

} // namespace

QStringList KnownTextEditors()
{
    return {QStringLiteral("gnome-text-editor"),
            QStringLiteral("gedit"),
            QStringLiteral("kate"),
            QStringLiteral("kwrite"),
            QStringLiteral("mousepad"),
            QStringLiteral("pluma"),
            QStringLiteral("xed"),
            QStringLiteral("featherpad"),
            QStringLiteral("leafpad"),
            QStringLiteral("l3afpad"),
            QStringLiteral("geany")};
}

QStringList ExpandDesktopExec(const QString& exec, const QString& filePath)
{
    // Split by the quoting rules: inside double quotes a backslash escapes the next character.
    const QString value = UnescapeValue(exec);
    QStringList tokens;
    QString token;
    bool inToken = false;
    bool quoted = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < value.size())
                token += value.at(++i);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                token += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inToken = true;
        } else if (c.isSpace()) {
            if (inToken)
                tokens.append(token);
            token.clear();
            inToken = false;
        } else {
            token += c;
            inToken = true;
        }
    }
    if (quoted)
        return {};
    if (inToken)
        tokens.append(token);

    QStringList command;
    bool fileGiven = false;
    for (const QString& t : tokens) {
        QString arg;
        bool dropped = false;
        for (qsizetype i = 0; i < t.size(); ++i) {
            if (t.at(i) != QLatin1Char('%') || i + 1 == t.size()) {
                arg += t.at(i);
                continue;
            }
            const QChar code = t.at(++i);
            if (code == QLatin1Char('%')) {
                arg += QLatin1Char('%');
            } else if (QStringLiteral("fFuU").contains(code)) {
                arg += filePath;
                fileGiven = true;
            } else {
                dropped = true; // %i %c %k and deprecated codes: nothing of ours to give
            }
        }
        if (!(dropped && arg.isEmpty()))
            command.append(arg);
    }
    if (command.isEmpty() || command.first().isEmpty())
        return {};
    if (!fileGiven)
        command.append(filePath);
    return command;
}

std::optional<QStringList> TextEditorCommand(const QString& filePath, QString* error)
{
    if (std::optional<QStringList> command = DefaultApplicationCommand(filePath))
        return command;
    for (const QString& editor : KnownTextEditors()) {
        const QString program = QStandardPaths::findExecutable(editor);
        if (!program.isEmpty())
            return QStringList{program, filePath};
    }
    if (error) {
        *error = QCoreApplication::translate(
                     "TextEditor", "No text editor was found to open \"%1\": the desktop names no "
                                   "application for plain text (xdg-mime), and none of %2 is "
                                   "installed.")
                     .arg(filePath, KnownTextEditors().join(QStringLiteral(", ")));
    }
    return std::nullopt;
}

} // namespace quillet::posix
