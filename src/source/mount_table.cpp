#include "source/mount_table.h"

#include <QFile>
#include <QSet>

namespace quillet
{

namespace
{

// Undoes the octal escapes the kernel writes for space, tab, newline and backslash.
QString DecodeField(const QByteArray& field)
{
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c == '\\' && i + 3 < field.size() && field.at(i + 1) >= '0' && field.at(i + 1) <= '3') {
            bool bOk = false;
            const int code = field.mid(i + 1, 3).toInt(&bOk, 8);
            if (bOk) {
                bytes.append(static_cast<char>(code));
                i += 3;
                continue;
            }
        }
        bytes.append(c);
    }
    const QString text = QFile::decodeName(bytes);
    return QFile::encodeName(text) == bytes ? text : QString();
}

void AppendEntry(QList<MountEntry>& entries, const QByteArray& mountPoint, const QByteArray& fsType)
{
    const QString point = DecodeField(mountPoint);
    if (!point.isEmpty())
        entries.append({point, QString::fromUtf8(fsType)});
}

bool UnderTree(const QString& path, QLatin1String tree)
{
    return path == tree || (path.startsWith(tree) && path.at(tree.size()) == QLatin1Char('/'));
}

} // namespace

QList<MountEntry> ParseMountInfo(const QByteArray& text)
{
    // id parent major:minor root mount-point options [optional fields...] - type source ...
    QList<MountEntry> entries;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        const qsizetype nSeparator = fields.indexOf(QByteArray("-"));
        if (fields.size() < 5 || nSeparator < 6 || nSeparator + 1 >= fields.size())
            continue;
        AppendEntry(entries, fields.at(4), fields.at(nSeparator + 1));
    }
    return entries;
}

QList<MountEntry> ParseMounts(const QByteArray& text)
{
    // source mount-point type options dump pass
    QList<MountEntry> entries;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3)
            continue;
        AppendEntry(entries, fields.at(1), fields.at(2));
    }
    return entries;
}

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
