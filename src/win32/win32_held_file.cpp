// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32_held_file.h"

#include "win32_error.h"

#include <algorithm>
#include <vector>
#include <windows.h>

namespace quillet::win32
{

HeldFile::~HeldFile()
{
    Release();
}

void HeldFile::Release()
{
    if (m_handle != nullptr)
        CloseHandle(static_cast<HANDLE>(m_handle));
    m_handle = nullptr;
}

bool HeldFile::Hold(const std::wstring& path, const std::string& expected, std::wstring* error)
{
    Release();
    auto fail = [error](std::wstring text) {
        if (error)
            *error = std::move(text);
        return false;
    };
    // Sharing read access alone: while this handle is open, every open for writing or
    // deleting (a rename or a replacement of the file included) fails with a sharing
    // violation; one already open for them makes this open fail instead.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return fail(L"it cannot be opened: " + SystemMessage(GetLastError()));

    BY_HANDLE_FILE_INFORMATION info{};
    bool plain =
        GetFileInformationByHandle(file, &info) &&
        !(info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) &&
        info.nNumberOfLinks == 1;
    const unsigned long long size =
        (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    bool same = plain && size == expected.size();
    std::vector<char> chunk(1 << 16);
    std::string::size_type done = 0;
    while (same && done < expected.size()) {
        DWORD got = 0;
        const DWORD want =
            DWORD(std::min<std::string::size_type>(expected.size() - done, chunk.size()));
        if (!ReadFile(file, chunk.data(), want, &got, nullptr) || got == 0) {
            const DWORD code = GetLastError();
            CloseHandle(file);
            return fail(L"it cannot be read: " + SystemMessage(code));
        }
        same = std::equal(chunk.begin(), chunk.begin() + got, expected.begin() + done);
        done += got;
    }
    if (!plain) {
        CloseHandle(file);
        return fail(L"it is not a plain file with a single name");
    }
    if (!same) {
        CloseHandle(file);
        return fail(L"it was changed by another program after Quillet wrote it");
    }
    m_handle = file;
    return true;
}

} // namespace quillet::win32
