// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace quillet::win32
{

// Converts text to the OEM code page, the one the command interpreter reads batch files in.
// Returns nothing when a character has no exact counterpart there: a name is never passed on
// altered (no best-fit replacement such as 'e' for an accented letter, no '?').
std::optional<std::string> ToOemCodePage(const std::wstring& text);

// Reads bytes of the OEM code page, the one the command interpreter writes its output in.
// Returns nothing when they hold a byte sequence that code page does not define.
std::optional<std::wstring> FromOemCodePage(const std::string& bytes);

} // namespace quillet::win32
