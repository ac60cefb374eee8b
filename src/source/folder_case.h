#pragma once

#include <QString>
#include <QStringList>

namespace quillet
{

// Whether the file system of strFolder compares names without regard to case. Windows
// folders always do. On POSIX the folder is asked once: a file of it whose name has a
// letter with another case is looked up under the name with that letter's case changed.
// When that finds nothing, the folder keeps case; when it finds the same file (same inode),
// it ignores case; when it finds another inode, it ignores case unless the folder lists an
// entry of exactly that other spelling (some FUSE file systems give each spelling of one
// file its own inode number). Without such a file, false.
bool FolderIgnoresCase(const QString& strFolder, const QStringList& fileNames);

} // namespace quillet
