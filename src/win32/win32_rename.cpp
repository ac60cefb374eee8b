// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32_rename.h"

#include "win32_error.h"

#include "names/name_rules.h"

#include <windows.h>

#include <shellapi.h>

#include <cwchar>

namespace quillet::win32
{

namespace
{

constexpr FILEOP_FLAGS kRenameFlags = FOF_NOCONFIRMATION | FOF_SIMPLEPROGRESS; // 0x0110

std::wstring Quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

// Whether the two paths name one and the same file, judged by volume and file index, so that
// "a.txt" and "A.TXT" match on a file system that ignores case and differ on one that does not.
bool IsSameFile(const std::wstring& a, const std::wstring& b)
{
    auto identify = [](const std::wstring& path, BY_HANDLE_FILE_INFORMATION* info) {
        HANDLE handle = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        const BOOL ok = GetFileInformationByHandle(handle, info);
        CloseHandle(handle);
        return ok != FALSE;
    };
    BY_HANDLE_FILE_INFORMATION infoA{};
    BY_HANDLE_FILE_INFORMATION infoB{};
    if (!identify(a, &infoA) || !identify(b, &infoB))
        return false; // cannot tell: treat as different, which refuses the rename
    return infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
           infoA.nFileIndexHigh == infoB.nFileIndexHigh &&
           infoA.nFileIndexLow == infoB.nFileIndexLow;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The name of the file at `path` as the folder stores it, in its own case; empty when there is
// no such file.
std::wstring StoredName(const std::wstring& path)
{
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::wstring();
    FindClose(search);
    return found.cFileName;
}

// Changes only the case of a file's name in two steps through a free temporary name, for a
// system whose rename call takes the new name for the file itself and changes nothing. Puts
// the file back under its old name when the second step fails.
bool ChangeCaseInTwoSteps(const std::wstring& source, const std::wstring& target)
{
    std::wstring temporary;
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        temporary = source + L".quillet-case-" + std::to_wstring(GetTickCount() + attempt);
        if (!Exists(temporary))
            break;
    }
    if (!MoveFileExW(source.c_str(), temporary.c_str(), 0))
        return false;
    if (MoveFileExW(temporary.c_str(), target.c_str(), 0))
        return true;
    MoveFileExW(temporary.c_str(), source.c_str(), 0);
    return false;
}

std::wstring ShellStatusText(int status)
{
    // Codes from 0x71 to 0x88 and a few others are the shell's own, not Win32 error codes.
    const bool shellCode =
        (status >= 0x71 && status <= 0x88) || status == 0x402 || status >= 0x10000;
    if (shellCode) {
        wchar_t hex[16];
        swprintf(hex, 16, L"0x%X", static_cast<unsigned>(status));
        return L"the shell's file operation failed with code " + std::wstring(hex);
    }
    return SystemMessage(static_cast<unsigned long>(status));
}

ShellRenameResult Refused(std::wstring error)
{
    ShellRenameResult result;
    result.error = std::move(error);
    return result;
}

std::u16string_view Utf16(const std::wstring& text)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

// Why `name` cannot stand for a file directly inside a folder, by the Windows name rules;
// nothing when it can. With bNew, also a name that Windows would not keep as it is.
std::optional<std::wstring> NameProblem(const std::wstring& name, bool bNew)
{
    switch (NameRules::Windows().FaultOf(Utf16(name))) {
    case NameFault::None:
        return std::nullopt;
    case NameFault::Empty:
        return L"the name is empty";
    case NameFault::DotName:
        return L"\"" + name + L"\" names a folder, not a file";
    case NameFault::Separator:
        return Quoted(name) + L" holds a folder separator";
    case NameFault::Forbidden:
        return Quoted(name) + L" holds a drive colon, a wildcard or another character that "
                              L"Windows refuses in names";
    case NameFault::TooLong:
        return Quoted(name) + L" is longer than 255 characters";
    case NameFault::TrailingDot:
    case NameFault::ReservedName:
        if (!bNew)
            return std::nullopt;
        return Quoted(name) + L" ends in a dot or a space or is a reserved device name, "
                              L"which Windows would not keep as it is";
    }
    return std::nullopt;
}

} // namespace

ShellRenameResult ShellRenameInFolder(const std::wstring& folder, const std::wstring& from,
                                      const std::wstring& to)
{
    if (const auto problem = NameProblem(from, false))
        return Refused(*problem);
    if (const auto problem = NameProblem(to, true))
        return Refused(*problem);
    std::wstring prefix = folder;
    if (prefix.empty() || prefix.back() != L'\\')
        prefix += L'\\';
    const std::wstring source = prefix + from;
    const std::wstring target = prefix + to;

    const DWORD attributes = GetFileAttributesW(source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        return Refused(code == ERROR_FILE_NOT_FOUND ? L"the file does not exist in the folder"
                                                    : SystemMessage(code));
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Refused(L"it is a folder, not a file");
    const bool targetExists = Exists(target);
    if (targetExists && !IsSameFile(source, target))
        return Refused(L"a file of the new name already exists in the folder");
    if (from == to || (targetExists && StoredName(target) == to)) {
        // The file bears the name already. The shell would answer "already exists" in an
        // error dialog.
        ShellRenameResult unchanged;
        unchanged.ok = true;
        return unchanged;
    }
    const bool caseOnly = targetExists; // the same file under a name that differs in case

    // Each path is a list of one: the path, its NUL, and the NUL that ends the list.
    std::wstring fromList = source;
    fromList.append(2, L'\0');
    std::wstring toList = target;
    toList.append(2, L'\0');

    SHFILEOPSTRUCTW operation{};
    operation.hwnd = nullptr;
    operation.wFunc = FO_RENAME;
    operation.pFrom = fromList.c_str();
    operation.pTo = toList.c_str();
    operation.fFlags = kRenameFlags;

    ShellRenameResult result;
    result.called = true;
    result.status = SHFileOperationW(&operation);
    result.aborted = operation.fAnyOperationsAborted != FALSE;

    // Some shells (Wine's among them) take a change of case for a rename onto an existing
    // file and refuse it, leaving the file as it was; their rename call may even report
    // success for it and change nothing. The file is then renamed through a free temporary
    // name, which never meets another file of the folder.
    if (caseOnly && StoredName(target) != to && IsSameFile(source, target) &&
        ChangeCaseInTwoSteps(source, target)) {
        result.status = 0;
        result.caseFallback = true;
    }

    // Judge by the file system too: a status of 0 is not taken on trust, and the folder must
    // hold the new name in exactly the case asked for.
    result.ok = result.status == 0 && !result.aborted && StoredName(target) == to;
    if (!result.ok) {
        if (result.status != 0)
            result.error = ShellStatusText(result.status);
        else if (result.aborted)
            result.error = L"the operation was cancelled";
        else
            result.error = L"the file is not there under its new name";
    }
    return result;
}

} // namespace quillet::win32
