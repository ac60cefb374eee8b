// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32_file.h"

#include "win32_error.h"

#include <algorithm>
#include <windows.h>

namespace quillet::win32
{

namespace
{

bool Fail(std::wstring* error, std::wstring text)
{
    if (error)
        *error = std::move(text);
    return false;
}

// Why the entry at path may not be replaced, or an empty text when it may (or is missing).
std::wstring RefusedEntry(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::wstring();
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return L"it is a link (a reparse point), which Quillet does not write through";
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return L"it is a folder";
    return std::wstring();
}

} // namespace

bool ReplaceFileNoReparse(const std::wstring& path, const std::string& bytes, std::wstring* error)
{
    if (const std::wstring refused = RefusedEntry(path); !refused.empty())
        return Fail(error, refused);

    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = path + L".new-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(GetTickCount() + attempt);
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return Fail(error, SystemMessage(GetLastError()));
    }
    if (file == INVALID_HANDLE_VALUE)
        return Fail(error, SystemMessage(GetLastError()));

    bool ok = true;
    std::string::size_type done = 0;
    while (ok && done < bytes.size()) {
        const DWORD chunk = DWORD(std::min<std::string::size_type>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            ok = Fail(error, SystemMessage(GetLastError()));
        done += written;
    }
    if (ok && !FlushFileBuffers(file))
        ok = Fail(error, SystemMessage(GetLastError()));
    if (!CloseHandle(file) && ok)
        ok = Fail(error, SystemMessage(GetLastError()));
    // A link put in place meanwhile is refused too; the move would only replace the link.
    if (ok) {
        if (const std::wstring refused = RefusedEntry(path); !refused.empty())
            ok = Fail(error, refused);
    }
    if (ok && !MoveFileExW(temporary.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ok = Fail(error, SystemMessage(GetLastError()));
    if (!ok)
        DeleteFileW(temporary.c_str());
    return ok;
}

} // namespace quillet::win32
