// SPDX-License-Identifier: GPL-3.0-or-later
#include "names/folder_rules.h"

namespace quillet
{

FileSystemKind KindOfFileSystem(const QString& strType)
{
    static const QStringList windowsTypes = {
        QStringLiteral("vfat"),       QStringLiteral("msdos"),
        QStringLiteral("exfat"),      QStringLiteral("ntfs"),
        QStringLiteral("ntfs3"),      QStringLiteral("cifs"),
        QStringLiteral("smb3"),       QStringLiteral("smbfs"),
        QStringLiteral("fuseblk"),    QStringLiteral("fuse.fusefat"),
        QStringLiteral("fuse.exfat"), QStringLiteral("fuse.ntfs-3g"),
    };
    static const QStringList posixTypes = {
        QStringLiteral("ext2"),  QStringLiteral("ext3"), QStringLiteral("ext4"),
        QStringLiteral("btrfs"), QStringLiteral("xfs"),  QStringLiteral("tmpfs"),
        QStringLiteral("f2fs"),  QStringLiteral("zfs"),  QStringLiteral("overlay"),
    };
    if (windowsTypes.contains(strType))
        return FileSystemKind::Windows;
    if (posixTypes.contains(strType))
        return FileSystemKind::Posix;
    return FileSystemKind::Unknown;
}

NameRules RulesOfKind(FileSystemKind kind, bool bIgnoreCase)
{
    return kind == FileSystemKind::Windows ? NameRules::Windows() : NameRules::Posix(bIgnoreCase);
}

NameRules FolderNameRules(const QString& strFolder, const QStringList& fileNames)
{
    NameRules rules = FileSystemRules(strFolder);
    // A POSIX file system may still ignore case in some folders (ext4 with casefold): ask.
    if (!rules.bIgnoreCase)
        rules.bIgnoreCase = FolderIgnoresCase(strFolder, fileNames);
    return rules;
}

} // namespace quillet
