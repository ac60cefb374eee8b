// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which name rules apply to a folder: those of the file system that holds it, not those of
// the system the program runs on. A FAT stick or a Windows share on Linux takes Windows names.

#include "names/name_rules.h"

#include <QString>
#include <QStringList>

namespace quillet
{

enum class FileSystemKind : unsigned char {
    Posix,   // ext4, btrfs, xfs, tmpfs, ...: POSIX names, case kept
    Windows, // FAT, exFAT, NTFS, SMB: Windows names, case ignored
    Unknown, // not known here: POSIX names, case as the folder shows it
};

// The kind of a file system by the type name the mount table gives it ("ext4", "vfat",
// "fuseblk", "fuse.fusefat", ...).
FileSystemKind KindOfFileSystem(const QString& strType);

// The rules of a kind; bIgnoreCase is what the folder showed for the Posix and Unknown kinds.
NameRules RulesOfKind(FileSystemKind kind, bool bIgnoreCase);

// The rules of the file system that holds strFolder, judged by its type alone; what the rename
// layer checks a new name against.
NameRules FileSystemRules(const QString& strFolder);

// The rules for a folder whose files are fileNames: FileSystemRules, and where the file system
// keeps case by its type or the type is not known, the folder asked whether it ignores case.
NameRules FolderNameRules(const QString& strFolder, const QStringList& fileNames);

// Whether the file system of strFolder compares names without regard to case. Windows
// folders always do. On POSIX the folder is asked once: a file of it whose name has a
// letter with another case is looked up under the name with that letter's case changed.
// When that finds nothing, the folder keeps case; when it finds the same file (same inode),
// it ignores case; when it finds another inode, it ignores case unless the folder lists an
// entry of exactly that other spelling (some FUSE file systems give each spelling of one
// file its own inode number). Without such a file, false.
bool FolderIgnoresCase(const QString& strFolder, const QStringList& fileNames);

// How paths of this system compare: drive letters and folder names ignore case on Windows.
Qt::CaseSensitivity PathCaseSensitivity();

} // namespace quillet
