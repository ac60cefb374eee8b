// SPDX-License-Identifier: GPL-3.0-or-later
#include "names/mount_info.h"
#include "names/file_name_bytes.h"

#include <QFile>

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
    return DecodeFileName(bytes);
}

void AppendEntry(QList<MountEntry>& entries, const QByteArray& mountPoint, const QByteArray& fsType)
{
    const QString point = DecodeField(mountPoint);
    if (!point.isEmpty())
        entries.append({point, QString::fromUtf8(fsType)});
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

QList<MountEntry> ReadMountTable()
{
    QFile info(QStringLiteral("/proc/self/mountinfo"));
    if (info.open(QIODevice::ReadOnly))
        return ParseMountInfo(info.readAll());
    QFile mounts(QStringLiteral("/proc/mounts"));
    if (mounts.open(QIODevice::ReadOnly))
        return ParseMounts(mounts.readAll());
    return {};
}

const MountEntry* MountHolding(const QList<MountEntry>& mounts, const QString& strPath)
{
    // The mount point that is the longest leading part of the path, whole folder names only;
    // of two mounts on one point the later one, which covers the earlier.
    const MountEntry* best = nullptr;
    for (const MountEntry& entry : mounts) {
        const QString& point = entry.mountPoint;
        const bool bUnder =
            strPath == point ||
            (strPath.startsWith(point) &&
             (point.endsWith(QLatin1Char('/')) || strPath.at(point.size()) == QLatin1Char('/')));
        if (bUnder && (!best || point.size() >= best->mountPoint.size()))
            best = &entry;
    }
    return best;
}

} // namespace quillet
