// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename_job.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace quillet
{

class Platform;

// Converts script text to the bytes the command interpreter reads; nothing when a character
// cannot be written in that encoding.
using ScriptEncoder = std::function<std::optional<QByteArray>(const QString&)>;

// The bytes of a script, or why it cannot be written.
struct ComposedScript {
    std::optional<QByteArray> bytes;
    QString error; // names the offending file or folder; empty when bytes is set
};

// The file name every script is written under.
inline constexpr char kBatchFileName[] = "rename.bat";

// The folder text that ends the folder path with exactly one separator: "D:\\Photos" gives
// "D:\\Photos\\", "C:\\" stays "C:\\".
QString FolderText(const QString& folderPath, QChar separator);

// The drive of a folder text, as the script's drive line switches to it: its first two
// characters ("D:" of "D:\\Photos\\"), a character outside the Basic Multilingual Plane
// counted as one and never cut in two. A POSIX path's only drive is its root: "/" for every
// folder text that starts with "/".
QString DriveText(const QString& folderText, QChar separator);

// Composes "rename.bat": a cd line (`cd /d "D:\Photos\"`), a line that ends the script when
// that cd failed (`if errorlevel 1 exit /b 1`), a drive line (DriveText), one
// `rename "old" "new"` line per pair, each ended by CR LF, no byte-order mark.
// Every % is doubled, since the interpreter expands % even inside quotes. A name or folder
// holding a double quote, a line break or a character the encoder refuses cannot be
// expressed in the script: the result is then an error naming it, and no bytes. For the
// Windows interpreter (separator '\\') so is a new name that Windows would change (a trailing
// dot or space, a reserved device name).
ComposedScript ComposeBatchScript(const RenameJob& job, QChar separator,
                                  const ScriptEncoder& encode);

// Why the script cannot carry the rename of `from` to `to` (a name it cannot hold, or on
// Windows a name cmd would read otherwise), or an empty string when it can. The marks of the
// "New Name" column for the Shell method and ComposeBatchScript use this one rule.
QString ScriptPairProblem(const QString& from, const QString& to, QChar separator,
                          const ScriptEncoder& encode);

// Writes bytes to strBatchDir + "rename.bat" from scratch, through ReplaceFileSafely: a new
// file in the same folder, checked through to the end, replaces the old one only when
// complete, and a link in place of the script is refused; a failed write never leaves a
// partial script. Returns false, with the reason (naming the script) in *error.
bool WriteScriptBytes(const QString& strBatchDir, const QByteArray& bytes, QString* error);

// Composes the script of job with the platform's separator and encoding and writes it to
// strBatchDir + "rename.bat". Returns the path written, or nothing with the reason in *error
// (a refused name or an unwritable file); then nothing was written.
std::optional<QString> WriteBatchFile(const QString& strBatchDir, const RenameJob& job,
                                      const Platform& platform, QString* error);

} // namespace quillet
