// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "names/name_rules.h"

#include <optional>
#include <string>

namespace quillet::win32
{

// What became of one rename through the shell's file operation.
struct ShellRenameResult {
    bool ok = false;           // the file now bears the new name
    bool called = false;       // SHFileOperationW was called (false when refused before it)
    int status = 0;            // what SHFileOperationW returned (0 when not called)
    bool aborted = false;      // its fAnyOperationsAborted
    bool caseFallback = false; // a change of case the shell refused, done by MoveFileExW
    std::wstring error;        // why it failed, a phrase for the user ("a file of the new name
                               // already exists in the folder"); empty when ok
};

// Whether Windows would store a file of this name under another name or take it for a device
// (the name rules' WindowsChangesName, for wide strings).
inline bool WindowsChangesName(const std::wstring& name)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");
    return quillet::WindowsChangesName(
        std::u16string_view(reinterpret_cast<const char16_t*>(name.data()), name.size()));
}

// Renames the file `from` of `folder` to `to` through SHFileOperationW with FO_RENAME, flags
// FOF_NOCONFIRMATION | FOF_SIMPLEPROGRESS (0x0110), full paths ended by two NULs and no owner
// window. With those flags the shell would replace an existing target, and it takes paths,
// not names; so the call is made only when both names are plain names by the Windows name rules
// (NameRules::Windows), the new name is one that Windows keeps as it is, the source is a file
// and the target is free or is the same file (a change of case). A name that does not change
// at all needs no call and succeeds. `folder` ends in '\\' (one is added when missing).
ShellRenameResult ShellRenameInFolder(const std::wstring& folder, const std::wstring& from,
                                      const std::wstring& to);

} // namespace quillet::win32
