// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../platform.h"

#include "names/name_rules.h"

#include <QByteArray>
#include <QString>

#include <fcntl.h>

namespace quillet::posix
{

// Renames the file `from` of `folder` to `to` in the same folder:
// - never replaces an existing file: renameat2(RENAME_NOREPLACE) where the file system
//   supports it; elsewhere link(2) + unlink(2), which also fails on an existing name; and
//   where neither exists (FAT through FUSE) the new name is reserved by creating it with
//   O_CREAT|O_EXCL and the file renamed over that reservation, so that a concurrent run
//   cannot take the name in between (the reservation is removed when the rename fails);
// - never moves the file out of its folder: both names must be bare names, and the new name
//   one that the folder's file system takes as it is by `rules` (FileSystemRules(folder));
// - a change of case alone on a file system that ignores case (where the new name already
//   "exists" as the file itself, and no entry is spelled exactly like it) goes through a
//   unique temporary name in the same folder, and the result is checked.
RenameResult SafeRenameInFolder(const QString& folder, const QString& from, const QString& to,
                                const NameRules& rules = NameRules::Posix());

// The same in the folder held by the descriptor `dir` (kFolderHandleFlags), which the
// renames never leave, wherever the folder's path leads meanwhile.
RenameResult SafeRenameAt(int dir, const QString& from, const QString& to,
                          const NameRules& rules = NameRules::Posix());

// How a folder is opened to be renamed in: for its place alone where the system can (no
// right to read it is needed, as for a rename by path), never as anything but a folder.
#if defined(O_PATH)
inline constexpr int kFolderHandleFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
inline constexpr int kFolderHandleFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

} // namespace quillet::posix
