// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/script_report.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class QIODevice;

namespace quillet
{

class Platform;
class RunJournal;

// What one run of a script did.
struct BatchRunSummary {
    int renamed = 0;     // rename lines that renamed their file
    int failedLines = 0; // lines that failed or were not understood
    bool ended = false;  // an exit after a failed cd ended the script before its last line
};

// What one line of a script did, handed to the caller after each line.
struct BatchLineResult {
    enum class Kind {
        Nothing,       // blank, comment or drive line
        ChangedFolder, // a cd that worked
        Renamed,       // a rename that renamed its file
        Failed,        // refused or failed; the run goes on with the next line
        Ended,         // an exit after a failed cd: no further line runs
    };
    Kind kind = Kind::Nothing;
    QString message; // why, for Failed and Ended: one line of text for the user
    // For rename lines (Renamed, or Failed with the names): the pair in the folder it acted
    // in and, when it failed, the reason alone. Other lines leave it empty.
    RenameResult rename;
};

// Called after each line with its number (from 1) and what it did.
using BatchLineCallback = std::function<void(int lineNumber, const BatchLineResult& result)>;

// The longest line the interpreter reads (a folder path of 4096 bytes with every character a
// doubled %, quotes and keywords fit); a longer line is skipped, and reported.
inline constexpr qint64 kMaxScriptLineBytes = 64 * 1024;

// Runs a rename script the way the Windows command interpreter runs the lines the script
// writer produces, for systems without one. The script is read line by line from `script`
// (UTF-8; lines end in CR LF or LF), so memory stays bounded whatever its size:
// - `cd <folder>` (also `chdir`, quoted or not, relative to the current folder, `/d` before a
//   quoted folder) changes the folder the renames act in. When the folder does not exist,
//   every rename up to the next good `cd` is refused; `cd ... || exit /b 1`, and the writer's
//   `if errorlevel 1 exit /b 1` on the line after the cd, end the script there. Either way no
//   rename runs in a folder it was not written for.
// - A drive line, "X:" or the first two characters of the last cd's folder (what the writer
//   puts there when folders have no drive letter), is accepted and ignored.
// - `rename "old" "new"` (or `ren`, names quoted or not) renames through
//   Platform::renameInFolder: it never replaces a file, and a name with a folder part is
//   refused. Names are taken literally: * and ? are no wildcards.
// - `%%` stands for one `%`; a single `%` would name a variable, which this interpreter does
//   not know, so its line is refused rather than run with a changed name.
// - A cd or rename line whose double quotes are not closed, and a last line without its line
//   end (a script cut short), are refused rather than run with a cut name; so is a line that
//   is not UTF-8 or longer than kMaxScriptLineBytes.
// - Blank lines, `rem` and `::` comment lines do nothing; any other line is reported and
//   skipped. Each failed line is reported and the run goes on with the next one.
// - With a folderIdentity (Platform::folderIdentity of the folder the window listed), a cd to
//   any other folder fails as a missing one does, its message naming the folder, and so does
//   a rename before the first cd outside that folder. Each folder is opened once, at its cd
//   (Platform::openRunFolder): its renames stay in it even when its path leads elsewhere later.
// - With a journal, each folder the renames act in and each rename are written to it, the
//   rename before it is made and its result after it.
// The lines run, in order, on a thread of their own while the script is read ahead of them:
// platform and journal are used from that thread until the call returns. onLine is called on
// the calling thread, in line order.
BatchRunSummary RunBatchScript(QIODevice& script, const QString& startFolder, Platform& platform,
                               const BatchLineCallback& onLine,
                               const QByteArray& folderIdentity = QByteArray(),
                               RunJournal* journal = nullptr);

// A line's result as it is reported to the program that watches the run: every rename line
// and every failed line; nothing for a line that did nothing or changed the folder.
std::optional<ScriptLineResult> ToScriptLineResult(int lineNumber, const BatchLineResult& result);

// The same over a script held in memory; every report ("line N: why") goes to reportError.
// When given, onResult hears of every rename line (renamed or failed) and of every other line
// that failed, in script order.
BatchRunSummary RunBatchScript(const QString& scriptText, const QString& startFolder,
                               Platform& platform,
                               const std::function<void(const QString&)>& reportError,
                               const std::function<void(const ScriptLineResult&)>& onResult = {});

} // namespace quillet
