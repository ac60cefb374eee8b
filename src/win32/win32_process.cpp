// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32_process.h"

#include "win32_error.h"

#include <vector>
#include <windows.h>

namespace quillet::win32
{

bool StartCommandLine(const std::wstring& commandLine, ShowStyle style, std::wstring* error)
{
    // CreateProcessW may write into the command line, so it gets a private copy.
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = style == ShowStyle::Hidden ? SW_HIDE : SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};

    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        const DWORD code = GetLastError();
        if (error != nullptr)
            *error = L"Cannot start \"" + commandLine + L"\": " + SystemMessage(code);
        return false;
    }
    // The program runs on its own; nothing here waits for it or looks at it again.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

std::wstring SystemProgramPath(const std::wstring& program)
{
    std::vector<wchar_t> folder(MAX_PATH + 1);
    UINT length = GetSystemDirectoryW(folder.data(), UINT(folder.size()));
    if (length >= folder.size()) {
        folder.resize(length + 1);
        length = GetSystemDirectoryW(folder.data(), UINT(folder.size()));
    }
    if (length == 0 || length >= folder.size())
        return std::wstring();
    std::wstring path(folder.data(), length);
    if (path.back() != L'\\')
        path += L'\\';
    return path + program;
}

} // namespace quillet::win32
