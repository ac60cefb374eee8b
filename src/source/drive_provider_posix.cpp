// SPDX-License-Identifier: GPL-3.0-or-later
// The drives of a POSIX system: the root and the user's mounted volumes.
#include "source/drives.h"
#include "source/mount_table.h"

#include "names/file_name_bytes.h"

namespace quillet
{

namespace
{

class PosixDriveProvider : public DriveProvider
{
public:
    QList<Drive> Drives() const override { return DrivesFromMounts(ReadMountTable()); }

    bool IsReady(const Drive& drive) const override
    {
        if (!IsExistingFolder(drive.root))
            return false;
        if (drive.root == QLatin1String("/"))
            return true;
        // An unmounted volume often leaves its empty mount folder behind: it counts as
        // ready only while it is still in the mount table.
        const QList<MountEntry> mounts = ReadMountTable();
        for (const MountEntry& entry : mounts) {
            if (entry.mountPoint == drive.root)
                return true;
        }
        return false;
    }
};

} // namespace

std::unique_ptr<DriveProvider> CreateSystemDriveProvider()
{
    return std::make_unique<PosixDriveProvider>();
}

} // namespace quillet
