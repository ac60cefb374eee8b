// The drives of a Windows system: its logical drives, named "c:" as the classic drive
// selector names them.
#include "source/drives.h"

#include <windows.h>

#include <vector>

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
        const DWORD nLength = GetLogicalDriveStringsW(0, nullptr);
        if (nLength == 0)
            return drives;
        std::vector<wchar_t> buffer(nLength + 1, L'\0');
        if (GetLogicalDriveStringsW(nLength, buffer.data()) == 0)
            return drives;
        // "C:\<nul>D:\<nul><nul>"
        for (const wchar_t* p = buffer.data(); *p; p += wcslen(p) + 1) {
            const QString name = QString::fromWCharArray(p).left(2).toLower();
            drives.append({name, name + QLatin1Char('/')});
        }
        return drives;
    }

    bool IsReady(const Drive& drive) const override
    {
        // Asking an empty drive must not raise the system's own "insert a disk" dialog.
        DWORD previousMode = 0;
        SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previousMode);
        const QString root = drive.text + QLatin1Char('\\');
        const BOOL bReady =
            GetVolumeInformationW(reinterpret_cast<const wchar_t*>(root.utf16()), nullptr, 0,
                                  nullptr, nullptr, nullptr, nullptr, 0);
        SetThreadErrorMode(previousMode, nullptr);
        return bReady != FALSE;
    }
};

} // namespace

std::unique_ptr<DriveProvider> CreateSystemDriveProvider()
{
    return std::make_unique<WindowsDriveProvider>();
}

} // namespace quillet
