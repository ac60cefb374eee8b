// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quillet
{

// What one read of a folder found. Every name is a bare name, without folder part.
struct FolderContents {
    QString path;        // the folder read, as given to ReadFolder
    QStringList files;   // regular files and symbolic links to regular files, unsorted
    QStringList folders; // folders and symbolic links to folders, unsorted
    // Entries left out because their name cannot be held as text and written back to the
    // same bytes. None on POSIX, where bytes that are not valid UTF-8 are held as escapes
    // (names/file_name_bytes.h) and every name is listed.
    qsizetype nUnrepresentable = 0;
    QString error; // empty on success; otherwise which folder and why, for the user
};

// Reads the entries of a folder once. Left out: "." and "..", hidden entries (POSIX: names
// that start with a dot; Windows: the hidden or system attribute), broken symbolic links
// and special files (devices, pipes, sockets). On failure (no permission, removed, not a
// folder) the lists are empty and error says which folder and why.
FolderContents ReadFolder(const QString& path);

} // namespace quillet
