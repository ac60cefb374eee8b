// SPDX-License-Identifier: GPL-3.0-or-later
// The drives of a Windows system: its logical drives, named "c:" as the classic drive
// selector names them. The listing and the medium check are the Win32 layer's.
#include "source/drives.h"

#include "win32/win32_drives.h"

namespace quillet
{

namespace
{

class WindowsDriveProvider : public DriveProvider
{
public:
    QList<Drive> Drives() const override
    {
        QList<Drive> drives;
        for (const std::wstring& letter : win32::LogicalDrives()) {
            const QString name = QString::fromStdWString(letter);
            drives.append({name, name + QLatin1Char('/')});
        }
        return drives;
    }

    bool IsReady(const Drive& drive) const override
    {
        return win32::DriveHasMedium(drive.text.toStdWString(), nullptr);
    }
};

} // namespace

std::unique_ptr<DriveProvider> CreateSystemDriveProvider()
{
    return std::make_unique<WindowsDriveProvider>();
}

} // namespace quillet
