// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillet::win32
{

// A file held open for reading so that, while it is held, nobody can write to it, rename it,
// delete it or replace it: other programs may only read it. This keeps a script from being
// swapped between the moment it was written and the end of the run that reads it.
class HeldFile
{
public:
    HeldFile() = default;
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    // Opens path (not through a reparse point) and checks that it is a plain file with one
    // name whose content is exactly `expected`. Returns false, with the reason, a phrase for
    // the user, in *error, and holds nothing when it is not.
    bool Hold(const std::wstring& path, const std::string& expected, std::wstring* error);

    // Lets go of the file; other programs may change it again.
    void Release();

    bool IsHeld() const { return m_handle != nullptr; }

private:
    void* m_handle = nullptr; // the file's HANDLE while held
};

} // namespace quillet::win32
