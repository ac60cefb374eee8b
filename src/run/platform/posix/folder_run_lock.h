// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../platform.h"

#include <QString>
#include <memory>

namespace quillet::posix
{

// The folder that holds the lock files of runs: "quillet-locks" in the user's cache folder
// ($XDG_CACHE_HOME, else ~/.cache), beside the script folder.
QString DefaultLockFolder();

// Takes the lock that lets one run at a time rename in `folder`: an exclusive flock(2) on the
// file "<device>-<inode>.lock" in lockFolder (created with mode 0700 when missing; a link or
// a folder of another user is refused), named by the device and inode of the folder the path
// leads to now, so that every path to one folder takes the same lock. Held until the
// returned object is destroyed, or the process ends. Nothing, with the reason in *error, when
// another run (another window, or quillet-batch) holds it, or when the lock cannot be taken.
std::unique_ptr<FolderRunLock> LockFolderForRun(const QString& lockFolder, const QString& folder,
                                                QString* error);

} // namespace quillet::posix
