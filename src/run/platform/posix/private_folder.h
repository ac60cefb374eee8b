#pragma once

#include <QString>
#include <optional>

namespace quillet::posix
{

// Makes sure path is a folder of the current user that no one else can enter: creates it with
// mode 0700 when missing (and its missing parents), narrows its mode to 0700 when it is ours,
// and refuses a symbolic link or a folder owned by someone else. Returns path ending in "/",
// or nothing with the reason in *error.
std::optional<QString> EnsurePrivateFolder(const QString& path, QString* error);

// The folder the Shell method writes its script to: "quillet" in the user's cache folder
// ($XDG_CACHE_HOME, else ~/.cache).
QString DefaultScriptFolder();

} // namespace quillet::posix
