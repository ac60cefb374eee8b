// SPDX-License-Identifier: GPL-3.0-or-later
#include "source/mount_table.h"

#include <QSet>

namespace quillet
{

namespace
{

bool UnderTree(const QString& path, QLatin1String tree)
{
    return path == tree || (path.startsWith(tree) && path.at(tree.size()) == QLatin1Char('/'));
}

} // namespace

bool IsUserVolume(const MountEntry& entry)
{
    static const QStringList pseudoTypes = {
        QStringLiteral("proc"),
        QStringLiteral("sysfs"),
        QStringLiteral("devtmpfs"),
        QStringLiteral("devpts"),
        QStringLiteral("mqueue"),
        QStringLiteral("securityfs"),
        QStringLiteral("debugfs"),
        QStringLiteral("tracefs"),
        QStringLiteral("pstore"),
        QStringLiteral("bpf"),
        QStringLiteral("configfs"),
        QStringLiteral("fusectl"),
        QStringLiteral("hugetlbfs"),
        QStringLiteral("autofs"),
        QStringLiteral("binfmt_misc"),
        QStringLiteral("efivarfs"),
        QStringLiteral("rpc_pipefs"),
        QStringLiteral("nsfs"),
        QStringLiteral("selinuxfs"),
        QStringLiteral("nfsd"),
        QStringLiteral("ramfs"),
        // Memory, not a volume: what sandboxes and containers lay over folders.
        QStringLiteral("tmpfs"),
        QStringLiteral("overlay"),
        QStringLiteral("squashfs"),
        QStringLiteral("fuse.portal"),
        QStringLiteral("fuse.gvfsd-fuse"),
        QStringLiteral("fuse.snapfuse"),
        QStringLiteral("fuse.lxcfs"),
    };
    if (entry.fsType.startsWith(QLatin1String("cgroup")) || pseudoTypes.contains(entry.fsType))
        return false;
    const QString& point = entry.mountPoint;
    if (!point.startsWith(QLatin1Char('/')))
        return false;
    if (UnderTree(point, QLatin1String("/run")))
        return UnderTree(point, QLatin1String("/run/media")) &&
               point != QLatin1String("/run/media");
    for (const char* tree :
         {"/proc", "/sys", "/dev", "/boot", "/snap", "/var", "/tmp", "/efi", "/etc", "/usr"}) {
        if (UnderTree(point, QLatin1String(tree)))
            return false;
    }
    // A mount inside a hidden folder is some program's own, not a volume to pick.
    return !point.contains(QLatin1String("/."));
}

QList<Drive> DrivesFromMounts(const QList<MountEntry>& mounts)
{
    QList<Drive> drives{{QStringLiteral("/"), QStringLiteral("/")}};
    QSet<QString> seen{QStringLiteral("/")};
    for (const MountEntry& entry : mounts) {
        if (!IsUserVolume(entry) || seen.contains(entry.mountPoint))
            continue;
        seen.insert(entry.mountPoint);
        drives.append({entry.mountPoint, entry.mountPoint});
    }
    return drives;
}

} // namespace quillet
