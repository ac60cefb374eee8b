// SPDX-License-Identifier: GPL-3.0-or-later
// Folder reading on Windows: one pass of FindFirstFileW / FindNextFileW. Names come as
// UTF-16 and go back to the system as UTF-16, so every name is representable.
#include "source/folder_reader.h"

#include <QCoreApplication>
#include <QDir>

#include <windows.h>

namespace quillet
{

namespace
{

QString ReadError(const QString& path, DWORD error)
{
    return QCoreApplication::translate("FileSource", "The folder \"%1\" cannot be read: %2")
        .arg(QDir::toNativeSeparators(path), qt_error_string(static_cast<int>(error)));
}

} // namespace

FolderContents ReadFolder(const QString& path)
{
    FolderContents contents;
    contents.path = path;
    QString pattern = QDir::toNativeSeparators(path);
    if (!pattern.endsWith(QLatin1Char('\\')))
        pattern += QLatin1Char('\\');
    pattern += QLatin1Char('*');

    WIN32_FIND_DATAW data;
    HANDLE find =
        FindFirstFileExW(reinterpret_cast<const wchar_t*>(pattern.utf16()), FindExInfoBasic, &data,
                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // An empty drive root has no entries at all, not even "." and "..".
        if (error != ERROR_FILE_NOT_FOUND)
            contents.error = ReadError(path, error);
        return contents;
    }
    do {
        if (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        QString name = QString::fromWCharArray(data.cFileName);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            contents.folders.append(std::move(name));
        else
            contents.files.append(std::move(name));
    } while (FindNextFileW(find, &data));
    const DWORD error = GetLastError();
    FindClose(find);
    if (error != ERROR_NO_MORE_FILES) {
        contents.error = ReadError(path, error);
        contents.files.clear();
        contents.folders.clear();
    }
    return contents;
}

} // namespace quillet
