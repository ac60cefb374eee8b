#pragma once

#include <QString>
#include <QStringList>

namespace quillet
{

// Whether the file system of strFolder compares names without regard to case. Windows
// folders always do. On POSIX the folder is asked once: a file of it whose name has a
// letter with another case is looked up under the name with that letter's case changed;
// when that finds the same file, the folder ignores case. Without such a file, false.
bool FolderIgnoresCase(const QString& strFolder, const QStringList& fileNames);

} // namespace quillet
