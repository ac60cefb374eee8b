// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32_drives.h"

#include "win32_error.h"

#include <cwchar>
#include <cwctype>
#include <windows.h>

namespace quillet::win32
{

std::vector<std::wstring> LogicalDrives()
{
    std::vector<std::wstring> drives;
    std::wstring buffer(64, L'\0');
    for (;;) {
        const DWORD length =
            GetLogicalDriveStringsW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0)
            return drives;
        if (length < buffer.size())
            break;
        buffer.assign(length + 1, L'\0'); // too small: the call said how much it needs
    }
    // The buffer holds "C:\\", "D:\\", ... each ended by a NUL, and one more NUL at the end.
    for (const wchar_t* root = buffer.c_str(); *root != L'\0'; root += wcslen(root) + 1) {
        if (root[0] != L'\0' && root[1] == L':')
            drives.push_back(std::wstring{static_cast<wchar_t>(std::towlower(root[0])), L':'});
    }
    return drives;
}

bool DriveHasMedium(const std::wstring& drive, std::wstring* error)
{
    std::wstring root = drive.substr(0, 2);
    root += L'\\';
    // Without this, an empty floppy or card reader makes the system ask "insert a disk".
    // Set for this thread only, so other threads keep the mode they chose.
    DWORD previousMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
    BOOL ok =
        GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0);
    DWORD code = ok ? 0 : GetLastError();
    if (!ok) {
        ULARGE_INTEGER available{};
        ok = GetDiskFreeSpaceExW(root.c_str(), &available, nullptr, nullptr);
        if (!ok)
            code = GetLastError();
    }
    // A volume that answers still needs its root folder: Wine answers for a drive letter
    // mapped to a folder that is gone, and the folder list could not be read there.
    if (ok) {
        const DWORD attributes = GetFileAttributesW(root.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ok = FALSE;
            code = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_NOT_READY;
        }
    }
    SetThreadErrorMode(previousMode, nullptr);
    if (!ok && error != nullptr)
        *error = SystemMessage(code);
    return ok != FALSE;
}

} // namespace quillet::win32
