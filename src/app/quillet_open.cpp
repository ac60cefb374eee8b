// SPDX-License-Identifier: GPL-3.0-or-later
// quillet-open.exe: starts quillet.exe, which sits in the same folder, with a given folder
// as its working folder, so that the window opens on that folder. Explorer's folder verb
// runs it with the folder ("%V"); the Start-menu shortcut runs it with none, which opens the
// user's profile folder. It is a GUI program, so no console window flashes, and it returns
// as soon as the window's process is started. Plain Win32, no Qt.
#include <windows.h>

#include <string>

namespace
{

// The folder named on the command line: the whole rest of the line, with the quotes around
// it taken off. It is not split like argv: a quoted drive root ("C:\") ends in a backslash
// before the quote, which CommandLineToArgvW reads as an escaped quote.
std::wstring folderArgument(const wchar_t* arguments)
{
    std::wstring folder = arguments ? arguments : L"";
    const auto first = folder.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return {};
    folder.erase(0, first);
    folder.erase(folder.find_last_not_of(L" \t") + 1);
    if (!folder.empty() && folder.front() == L'"')
        folder.erase(0, 1);
    if (!folder.empty() && folder.back() == L'"')
        folder.pop_back();
    return folder;
}

std::wstring profileFolder()
{
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"USERPROFILE", buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

// quillet.exe beside this program.
std::wstring programBeside()
{
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (length == 0 || length >= path.size())
        return {};
    path.resize(length);
    path.erase(path.find_last_of(L"\\/") + 1);
    return path + L"quillet.exe";
}

bool start(const std::wstring& program, const std::wstring& folder)
{
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int)
{
    const std::wstring program = programBeside();
    if (program.empty())
        return 2;
    std::wstring folder = folderArgument(arguments);
    if (folder.empty())
        folder = profileFolder();
    // A folder that is gone by now (a removed medium) still opens the window, on the
    // profile folder.
    if (start(program, folder) || start(program, profileFolder()))
        return 0;
    return 1;
}
