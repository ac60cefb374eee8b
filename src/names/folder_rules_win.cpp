// SPDX-License-Identifier: GPL-3.0-or-later
// Windows: every folder takes Windows names and ignores case, whatever its file system.
#include "names/folder_rules.h"

namespace quillet
{

NameRules FileSystemRules(const QString& strFolder)
{
    Q_UNUSED(strFolder);
    return NameRules::Windows();
}

bool FolderIgnoresCase(const QString& strFolder, const QStringList& fileNames)
{
    Q_UNUSED(strFolder);
    Q_UNUSED(fileNames);
    return true;
}

Qt::CaseSensitivity PathCaseSensitivity()
{
    return Qt::CaseInsensitive;
}

} // namespace quillet
