// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "names/mount_info.h"
#include "source/drives.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace quillet
{

// Whether a user would pick this mount as a drive: not a pseudo file system (proc, sysfs,
// cgroup, devpts, mqueue, debugfs, tmpfs, ...), not mounted inside the system's own trees
// (/proc, /sys, /dev, /run except /run/media, /boot, /snap, /var, /tmp, /etc, /usr) and
// not inside a hidden folder.
bool IsUserVolume(const MountEntry& entry);

// The drives for a mount table: "/" first, then each user volume in table order, each
// mount point once.
QList<Drive> DrivesFromMounts(const QList<MountEntry>& mounts);

} // namespace quillet
