// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "batch_interpreter.h"

#include <QString>
#include <QStringList>

namespace quillet
{

// One line of a rename script as read, before it runs: what it asks for. Reading a line
// needs nothing but the lines before it, so a script is read ahead of the renames.
struct ParsedLine {
    enum class Action {
        Report,       // nothing to run: `result` says what the line did (nothing, or refused)
        ErrorLevel,   // "if errorlevel N exit ...": ends the script when the last cd failed
        ChangeFolder, // a cd to the folder `text`
        Rename,       // a rename of `from` to `to`, names as written
    };
    Action action = Action::Report;
    BatchLineResult result;     // for Report
    QString text;               // for ErrorLevel the line, for ChangeFolder the folder
    int level = 0;              // for ErrorLevel
    bool exitOnFailure = false; // for ChangeFolder: "|| exit" follows the cd
    QString from;               // for Rename
    QString to;
    QByteArray identityBefore; // for Rename: the identity of from read ahead, or empty
};

// Reads the lines of one script in order (see RunBatchScript for what they may hold).
class BatchLineParser
{
public:
    // A line without its line end; lineEnded tells whether it had one.
    ParsedLine parse(const QString& rawLine, bool lineEnded);

    // A line refused with message before it was read (too long, not UTF-8).
    static ParsedLine refused(const QString& message);

private:
    ParsedLine changeFolder(QStringView rest);

    QString m_lastCd; // the folder argument of the last cd
};

} // namespace quillet
