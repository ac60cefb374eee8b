// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the Win32 side of the platform layer on a Windows system (run under Wine here):
// renames through the shell's file operation, the start of a hidden "rename.bat", the OEM code
// page conversion and the drive letters. Plain C++ with no test framework, so that it builds
// with the MinGW-w64 cross compiler alone; exit status 0 when every check holds.

#include "win32_codepage.h"
#include "win32_drives.h"
#include "win32_file.h"
#include "win32_process.h"
#include "win32_rename.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>
#include <windows.h>

using namespace quillet::win32;

namespace
{

using Files = std::map<std::wstring, std::string>; // name -> content

int failures = 0;

void Check(bool condition, const std::wstring& what)
{
    if (!condition) {
        ++failures;
        std::printf("FAIL: %ls\n", what.c_str());
    }
}

// Removes a folder with everything in it.
void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + name + L"\\");
            else
                DeleteFileW((folder + name).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

std::wstring MakeFolder(const std::wstring& under, const std::wstring& name)
{
    std::wstring path = under + name + L"\\";
    CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

void WriteFile(const std::wstring& path, const std::string& content)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadFile(const std::wstring& path)
{
    // Shared for deletion too: a rename running meanwhile must not meet a sharing violation.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    std::string content(4096, '\0');
    DWORD read = 0;
    ::ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
    CloseHandle(file);
    content.resize(read);
    return content;
}

// The names of the files of a folder (not its subfolders), as stored.
std::vector<std::wstring> ListNames(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// The files of a folder (not its subfolders) with their contents, names as stored.
Files ListFiles(const std::wstring& folder)
{
    Files files;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files[found.cFileName] = ReadFile(folder + found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

std::wstring Describe(const Files& files)
{
    std::wstring text;
    for (const auto& [name, content] : files)
        text += L" [" + name + L"=" + std::wstring(content.begin(), content.end()) + L"]";
    return text.empty() ? L" (none)" : text;
}

struct RenameCase {
    const wchar_t* name;
    Files before;
    std::wstring from;
    std::wstring to;
    bool ok;
    bool called;
    Files after;
};

void TestShellRename(const std::wstring& root)
{
    const std::vector<RenameCase> cases = {
        {L"plain rename", {{L"a.txt", "A"}}, L"a.txt", L"b.txt", true, true, {{L"b.txt", "A"}}},
        {L"target exists: refused, nothing lost",
         {{L"a.txt", "A"}, {L"b.txt", "B"}},
         L"a.txt",
         L"b.txt",
         false,
         false,
         {{L"a.txt", "A"}, {L"b.txt", "B"}}},
        {L"target exists in other case: refused",
         {{L"a.txt", "A"}, {L"b.txt", "B"}},
         L"a.txt",
         L"B.TXT",
         false,
         false,
         {{L"a.txt", "A"}, {L"b.txt", "B"}}},
        {L"missing source", {{L"a.txt", "A"}}, L"x.txt", L"y.txt", false, false, {{L"a.txt", "A"}}},
        {L"case-only rename", {{L"a.txt", "A"}}, L"a.txt", L"A.TXT", true, true, {{L"A.TXT", "A"}}},
        {L"same name", {{L"a.txt", "A"}}, L"a.txt", L"a.txt", true, false, {{L"a.txt", "A"}}},
        {L"listed in other case, already bears the name",
         {{L"A.TXT", "A"}},
         L"a.txt",
         L"A.TXT",
         true,
         false,
         {{L"A.TXT", "A"}}},
        {L"blanks and non-ASCII",
         {{L"my file \u00e9.txt", "A"}},
         L"my file \u00e9.txt",
         L"\u65e5\u672c %x% & y.txt",
         true,
         true,
         {{L"\u65e5\u672c %x% & y.txt", "A"}}},
        {L"target in the parent folder: refused",
         {{L"a.txt", "A"}},
         L"a.txt",
         L"..\\a.txt",
         false,
         false,
         {{L"a.txt", "A"}}},
        {L"target in a subfolder: refused",
         {{L"a.txt", "A"}},
         L"a.txt",
         L"sub/a.txt",
         false,
         false,
         {{L"a.txt", "A"}}},
        {L"target on another drive: refused",
         {{L"a.txt", "A"}},
         L"a.txt",
         L"c:a.txt",
         false,
         false,
         {{L"a.txt", "A"}}},
        {L"dot as target: refused",
         {{L"a.txt", "A"}},
         L"a.txt",
         L".",
         false,
         false,
         {{L"a.txt", "A"}}},
        {L"wildcard source: refused",
         {{L"a1.txt", "1"}, {L"a2.txt", "2"}},
         L"a?.txt",
         L"b.txt",
         false,
         false,
         {{L"a1.txt", "1"}, {L"a2.txt", "2"}}},
        {L"empty target: refused",
         {{L"a.txt", "A"}},
         L"a.txt",
         L"",
         false,
         false,
         {{L"a.txt", "A"}}},
        {L"device name target: refused",
         {{L"a.txt", "A"}},
         L"a.txt",
         L"Nul.txt",
         false,
         false,
         {{L"a.txt", "A"}}},
        {L"trailing dot: refused",
         {{L"a.txt", "A"}},
         L"a.txt",
         L"b.",
         false,
         false,
         {{L"a.txt", "A"}}},
        {L"trailing space: refused",
         {{L"a.txt", "A"}},
         L"a.txt",
         L"b ",
         false,
         false,
         {{L"a.txt", "A"}}},
    };
    int index = 0;
    for (const RenameCase& c : cases) {
        const std::wstring folder = MakeFolder(root, L"rename" + std::to_wstring(++index));
        for (const auto& [name, content] : c.before)
            WriteFile(folder + name, content);
        const ShellRenameResult result = ShellRenameInFolder(folder, c.from, c.to);
        const std::wstring label = std::wstring(c.name) + L": ";
        Check(result.ok == c.ok, label + L"ok is " + (result.ok ? L"true" : L"false") +
                                     L", error \"" + result.error + L"\", status " +
                                     std::to_wstring(result.status));
        Check(result.called == c.called, label + L"SHFileOperationW called or not as expected");
        Check(result.ok == result.error.empty(), label + L"an error text exactly on failure");
        const Files after = ListFiles(folder);
        Check(after == c.after,
              label + L"files" + Describe(after) + L", expected" + Describe(c.after));
        std::printf("%ls -> ok=%d called=%d status=0x%X caseFallback=%d error=\"%ls\"\n", c.name,
                    result.ok, result.called, static_cast<unsigned>(result.status),
                    result.caseFallback, result.error.c_str());
    }

    // A folder given without its trailing separator gets one.
    const std::wstring folder = MakeFolder(root, L"noslash");
    WriteFile(folder + L"a.txt", "A");
    const ShellRenameResult result =
        ShellRenameInFolder(folder.substr(0, folder.size() - 1), L"a.txt", L"b.txt");
    Check(result.ok && ListFiles(folder) == Files{{L"b.txt", "A"}},
          L"folder without trailing separator");

    // A folder is never renamed in place of a file.
    const std::wstring parent = MakeFolder(root, L"dirsource");
    MakeFolder(parent, L"inner");
    const ShellRenameResult dir = ShellRenameInFolder(parent, L"inner", L"outer");
    Check(!dir.ok && !dir.called, L"a folder as source is refused");
}

void TestOemCodePage()
{
    Check(ToOemCodePage(L"rename \"a.txt\" \"b.txt\"\r\n") ==
              std::string("rename \"a.txt\" \"b.txt\"\r\n"),
          L"ASCII passes unchanged");
    Check(ToOemCodePage(L"") == std::string(), L"empty text");
    Check(!ToOemCodePage(L"\u65e5\u672c.txt"), L"CJK is refused by the OEM code page");
    Check(!ToOemCodePage(L"\xD800.txt"), L"a lone surrogate is refused");
    if (GetOEMCP() == 437) {
        Check(ToOemCodePage(L"caf\u00e9") == std::string("caf\x82"), L"e-acute is 0x82 in 437");
        // 437 has no a-macron; a best-fit table would turn it into a plain 'a'.
        Check(!ToOemCodePage(L"\u0101.txt"), L"a-macron is refused, not best-fitted");
    }
}

void TestDrives()
{
    const std::vector<std::wstring> drives = LogicalDrives();
    Check(std::find(drives.begin(), drives.end(), L"c:") != drives.end(), L"drive c: listed");
    Check(std::is_sorted(drives.begin(), drives.end()), L"drives in order");
    std::wstring error;
    Check(DriveHasMedium(L"c:", &error), L"c: holds a medium: " + error);
    Check(DriveHasMedium(L"C:\\", &error), L"C:\\ holds a medium: " + error);
    for (wchar_t letter = L'y'; letter > L'd'; --letter) {
        const std::wstring drive{letter, L':'};
        if (std::find(drives.begin(), drives.end(), drive) != drives.end())
            continue;
        error.clear();
        Check(!DriveHasMedium(drive, &error) && !error.empty(),
              L"unmapped drive " + drive + L" has no medium and a reason");
        break;
    }
}

// Writes a script in the program's format to "c:\rename.bat", starts it hidden and waits, with a
// deadline, for the renames to show in the folder.
void TestStartScript(const std::wstring& root)
{
    const std::wstring folder = MakeFolder(root, L"script");
    WriteFile(folder + L"caf\u00e9.txt", "1");
    WriteFile(folder + L"two words.txt", "2");
    WriteFile(folder + L"keep.txt", "3");
    const std::wstring text = L"cd " + folder + L"\r\n" + folder.substr(0, 2) + L"\r\n" +
                              L"rename \"caf\u00e9.txt\" \"Caf\u00e9 1.txt\"\r\n" +
                              L"rename \"two words.txt\" \"2 words.txt\"\r\n";
    const auto bytes = ToOemCodePage(text);
    Check(bytes.has_value(), L"script text fits the OEM code page");
    WriteFile(L"c:\\rename.bat", bytes.value_or(std::string()));

    std::wstring error;
    Check(StartCommandLine(L"c:\\rename.bat", ShowStyle::Hidden, &error),
          L"script started: " + error);
    const Files expected = {{L"Caf\u00e9 1.txt", "1"}, {L"2 words.txt", "2"}, {L"keep.txt", "3"}};
    // The poll looks at names only, opening no file the script is about to rename.
    std::vector<std::wstring> expectedNames;
    for (const auto& entry : expected)
        expectedNames.push_back(entry.first);
    const DWORD deadline = GetTickCount() + 120000;
    while (ListNames(folder) != expectedNames && GetTickCount() < deadline)
        Sleep(50); // a short poll step, bounded by the deadline
    const Files now = ListFiles(folder);
    Check(now == expected, L"script renamed the files:" + Describe(now));

    error.clear();
    Check(!StartCommandLine(L"no-such-program-here.exe", ShowStyle::NormalWithFocus, &error) &&
              !error.empty(),
          L"a missing program is reported");
    std::printf("missing program -> \"%ls\"\n", error.c_str());
}

void TestWindowsNames()
{
    for (const wchar_t* name : {L"CON", L"con.txt", L"Com1 .log", L"LPT9", L"aux", L"x.", L"x "})
        Check(WindowsChangesName(name), std::wstring(name) + L" is changed by Windows");
    for (const wchar_t* name : {L"COM0", L"console", L"con-x.txt", L"x.con", L"a.b", L""})
        Check(!WindowsChangesName(name), std::wstring(name) + L" is kept by Windows");
}

void TestReplaceFile(const std::wstring& root)
{
    const std::wstring folder = MakeFolder(root, L"replace");
    const std::wstring path = folder + L"rename.bat";
    std::wstring error;
    Check(ReplaceFileNoReparse(path, "first", &error), L"script written: " + error);
    Check(ReplaceFileNoReparse(path, "second", &error), L"script replaced: " + error);
    Check(ListFiles(folder) == Files{{L"rename.bat", "second"}},
          L"only the second content, no file left beside it");
    CreateDirectoryW((folder + L"dir").c_str(), nullptr);
    Check(!ReplaceFileNoReparse(folder + L"dir", "x", &error) && !error.empty(),
          L"a folder in place of the script is refused");
    Check(!ReplaceFileNoReparse(folder + L"missing\\rename.bat", "x", &error) && !error.empty(),
          L"a missing folder is reported");
    Check(ListFiles(folder) == Files{{L"rename.bat", "second"}}, L"a failure leaves no file");
}

} // namespace

int main()
{
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    // Process ids repeat from one Wine session to the next: start from an empty folder.
    const std::wstring root = std::wstring(temp) + L"quillet-win32-test\\";
    RemoveTree(root);
    MakeFolder(temp, L"quillet-win32-test");

    TestShellRename(root);
    TestWindowsNames();
    TestReplaceFile(root);
    TestOemCodePage();
    TestDrives();
    TestStartScript(root);

    RemoveTree(root);
    std::printf("%s: %d failure(s)\n", failures == 0 ? "PASS" : "FAIL", failures);
    return failures == 0 ? 0 : 1;
}
