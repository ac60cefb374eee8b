// SPDX-License-Identifier: GPL-3.0-or-later
// Folder reading on POSIX systems: one pass of readdir, stat only where the entry type
// is not known from the directory itself or the entry is a symbolic link.
#include "source/folder_reader.h"

#include "names/file_name_bytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace quillet
{

namespace
{

enum class Kind { File, Folder, Other };

Kind KindOf(int dirFd, const dirent* entry)
{
    switch (entry->d_type) {
    case DT_REG:
        return Kind::File;
    case DT_DIR:
        return Kind::Folder;
    case DT_LNK:
    case DT_UNKNOWN:
        break;
    default:
        return Kind::Other;
    }
    // Follows symbolic links: a link counts as what it points to; a broken one as nothing.
    struct stat info;
    if (fstatat(dirFd, entry->d_name, &info, 0) != 0)
        return Kind::Other;
    if (S_ISREG(info.st_mode))
        return Kind::File;
    if (S_ISDIR(info.st_mode))
        return Kind::Folder;
    return Kind::Other;
}

QString ReadError(const QString& path, int error)
{
    return QCoreApplication::translate("FileSource", "The folder \"%1\" cannot be read: %2")
        .arg(QDir::toNativeSeparators(path), qt_error_string(error));
}

} // namespace

FolderContents ReadFolder(const QString& path)
{
    FolderContents contents;
    contents.path = path;
    DIR* dir = opendir(EncodeFileName(path).constData());
    if (!dir) {
        contents.error = ReadError(path, errno);
        return contents;
    }
    const int dirFd = dirfd(dir);
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir);
        if (!entry) {
            if (errno != 0) {
                // A folder read only in part is reported as unreadable: a partial list
                // would look complete to the user.
                contents.error = ReadError(path, errno);
                contents.files.clear();
                contents.folders.clear();
                contents.nUnrepresentable = 0;
            }
            break;
        }
        if (entry->d_name[0] == '.') // hidden, and also "." and ".."
            continue;
        const Kind kind = KindOf(dirFd, entry);
        if (kind == Kind::Other)
            continue;
        // Every name is listed: bytes that are not UTF-8 are kept as escapes, and a rename
        // encodes them back to the very same bytes.
        QString name = DecodeFileName(entry->d_name);
        (kind == Kind::File ? contents.files : contents.folders).append(std::move(name));
    }
    closedir(dir);
    return contents;
}

} // namespace quillet
