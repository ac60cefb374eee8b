// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a command line kept in the registry the way the shell does: reads it from a value of
// a key under HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE, puts the folder in for %V as Explorer
// does for a folder verb, starts it with CreateProcessW, and returns the exit code of what
// it started.
//   run_registered_command.exe <HKCU\key | HKLM\key> <value name, @ for the default> [folder]
// The installer test runs the folder verbs and the quiet uninstaller through it, so that
// their command lines are used as written, quotes included.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fwprintf(stderr,
                      L"usage: run_registered_command <HKCU\\key|HKLM\\key> <value|@> [folder]\n");
        return 2;
    }
    const std::wstring key = argv[1];
    const bool machine = key.rfind(L"HKLM\\", 0) == 0;
    if (!machine && key.rfind(L"HKCU\\", 0) != 0) {
        std::fwprintf(stderr, L"the key must start with HKCU\\ or HKLM\\: %ls\n", argv[1]);
        return 2;
    }
    const wchar_t* value = std::wstring(argv[2]) == L"@" ? nullptr : argv[2];
    wchar_t buffer[4096];
    DWORD size = sizeof buffer;
    const LSTATUS status =
        RegGetValueW(machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, key.c_str() + 5, value,
                     RRF_RT_REG_SZ, nullptr, buffer, &size);
    if (status != ERROR_SUCCESS) {
        std::fwprintf(stderr, L"no value %ls in %ls (%ld)\n", argv[2], argv[1], long(status));
        return 2;
    }
    std::wstring commandLine = buffer;
    if (argc > 3) {
        const auto at = commandLine.find(L"%V");
        if (at != std::wstring::npos)
            commandLine.replace(at, 2, argv[3]);
    }
    std::fwprintf(stdout, L"running: %ls\n", commandLine.c_str());
    std::fflush(stdout);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fwprintf(stderr, L"CreateProcessW failed (%lu)\n", GetLastError());
        return 2;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return int(exitCode);
}
