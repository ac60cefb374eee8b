#pragma once

#include <optional>
#include <string>

namespace quillet::win32
{

// Converts text to the OEM code page, the one the command interpreter reads batch files in.
// Returns nothing when a character has no exact counterpart there: a name is never passed on
// altered (no best-fit replacement such as 'e' for an accented letter, no '?').
std::optional<std::string> ToOemCodePage(const std::wstring& text);

} // namespace quillet::win32
