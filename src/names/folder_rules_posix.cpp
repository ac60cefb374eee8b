// SPDX-License-Identifier: GPL-3.0-or-later
// POSIX: the rules follow the type of the mounted file system that holds the folder.
#include "names/file_name_bytes.h"
#include "names/folder_rules.h"
#include "names/mount_info.h"

#include "names/folder_path.h"
#include <QFile>
#include <QFileInfo>

#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace quillet
{

namespace
{

// Whether the folder holds an entry spelled exactly like name (byte for byte).
bool HoldsExactName(const QByteArray& folder, const QByteArray& name)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return false;
    bool found = false;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, name.constData()) == 0) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

} // namespace

NameRules FileSystemRules(const QString& strFolder)
{
    QString strPath = strFolder;
    if (char* real = ::realpath(EncodeFileName(strFolder).constData(), nullptr)) {
        strPath = DecodeFileName(real);
        ::free(real);
    }
    const QList<MountEntry> mounts = ReadMountTable();
    const MountEntry* mount = MountHolding(mounts, strPath);
    const FileSystemKind kind = mount ? KindOfFileSystem(mount->fsType) : FileSystemKind::Unknown;
    return RulesOfKind(kind, false);
}

bool FolderIgnoresCase(const QString& strFolder, const QStringList& fileNames)
{
    const QString strBase = WithSeparator(strFolder);
    for (const QString& strName : fileNames) {
        // The name with the case of its first cased ASCII letter changed.
        QString strOther = strName;
        for (QChar& c : strOther) {
            if (c.isLower() && c.unicode() < 0x80) {
                c = c.toUpper();
                break;
            }
            if (c.isUpper() && c.unicode() < 0x80) {
                c = c.toLower();
                break;
            }
        }
        if (strOther == strName)
            continue;
        struct stat original {
        };
        struct stat other {
        };
        if (::stat(EncodeFileName(strBase + strName).constData(), &original) != 0)
            continue;
        if (::stat(EncodeFileName(strBase + strOther).constData(), &other) != 0)
            return false;
        if (original.st_dev == other.st_dev && original.st_ino == other.st_ino)
            return true;
        // Two inode numbers: two files on a folder that keeps case, or one file on a file
        // system that numbers each spelling apart (FAT through FUSE). Only in the first case
        // is the other spelling an entry of its own.
        return !HoldsExactName(EncodeFileName(strBase), EncodeFileName(strOther));
    }
    return false;
}

Qt::CaseSensitivity PathCaseSensitivity()
{
    return Qt::CaseSensitive;
}

} // namespace quillet
