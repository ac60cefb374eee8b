#pragma once

#include "source/drives.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace quillet
{

// One line of the system's mount table.
struct MountEntry {
    QString mountPoint;
    QString fsType;
};

// Reads the text of /proc/self/mountinfo. Lines that do not parse, and mount points whose
// name cannot be represented as text, are left out; escapes (\040 for a space) decoded.
QList<MountEntry> ParseMountInfo(const QByteArray& text);

// Reads the text of /proc/mounts (or /etc/mtab), the older form of the same table.
QList<MountEntry> ParseMounts(const QByteArray& text);

// Whether a user would pick this mount as a drive: not a pseudo file system (proc, sysfs,
// cgroup, devpts, mqueue, debugfs, tmpfs, ...), not mounted inside the system's own trees
// (/proc, /sys, /dev, /run except /run/media, /boot, /snap, /var, /tmp, /etc, /usr) and
// not inside a hidden folder.
bool IsUserVolume(const MountEntry& entry);

// The drives for a mount table: "/" first, then each user volume in table order, each
// mount point once.
QList<Drive> DrivesFromMounts(const QList<MountEntry>& mounts);

} // namespace quillet
