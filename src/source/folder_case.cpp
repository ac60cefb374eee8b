#include "source/folder_case.h"

#include <QFile>

#ifndef Q_OS_WIN
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace quillet
{

#ifndef Q_OS_WIN
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
#endif

bool FolderIgnoresCase(const QString& strFolder, const QStringList& fileNames)
{
#ifdef Q_OS_WIN
    Q_UNUSED(strFolder);
    Q_UNUSED(fileNames);
    return true;
#else
    const QString strBase = strFolder.endsWith(u'/') ? strFolder : strFolder + u'/';
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
        if (::stat(QFile::encodeName(strBase + strName).constData(), &original) != 0)
            continue;
        if (::stat(QFile::encodeName(strBase + strOther).constData(), &other) != 0)
            return false;
        if (original.st_dev == other.st_dev && original.st_ino == other.st_ino)
            return true;
        // Two inode numbers: two files on a folder that keeps case, or one file on a file
        // system that numbers each spelling apart (FAT through FUSE). Only in the first case
        // is the other spelling an entry of its own.
        return !HoldsExactName(QFile::encodeName(strBase), QFile::encodeName(strOther));
    }
    return false;
#endif
}

} // namespace quillet
