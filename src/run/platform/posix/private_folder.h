// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace quillet::posix
{

// The files the Shell method keeps in its script folder: the script and the interpreter's log.
inline constexpr char kScriptFileName[] = "rename.bat";
inline constexpr char kLogFileName[] = "rename.log";

// Makes sure path is a folder of the current user that no one else can enter: creates it with
// mode 0700 when missing (and its missing parents), narrows its mode to 0700 when it is ours,
// and refuses a symbolic link, a folder owned by someone else, and a folder holding any entry
// the program does not put there (another name, or its own names as a link, a folder, a file
// of another user or a file with other names); the message names the entry. Returns path
// ending in "/", or nothing with the reason in *error.
std::optional<QString> EnsurePrivateFolder(const QString& path, QString* error);

// The folder the Shell method writes its script to: "quillet" in the user's cache folder.
QString DefaultScriptFolder();

// The folder `name` in the user's cache folder ($XDG_CACHE_HOME, else ~/.cache), without a
// trailing "/".
QString CacheFolder(const QString& name);

// Opens path, creating it with mode 0700 when missing (and its missing parents), as a folder
// of this user that no one else can enter: a link or a folder of another user is refused, and
// a wider mode of our own folder is narrowed. Returns the descriptor, or -1 with the reason
// in *reason.
int OpenOwnFolder(const QString& path, QString* reason);

} // namespace quillet::posix
