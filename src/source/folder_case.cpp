#include "source/folder_case.h"

#include <QFile>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace quillet
{

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
        return original.st_dev == other.st_dev && original.st_ino == other.st_ino;
    }
    return false;
#endif
}

} // namespace quillet
