// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillet::win32
{

// The system's own text for a Win32 error code, without its closing full stop and line break,
// followed by the code in brackets: "File not found (error 2)".
std::wstring SystemMessage(unsigned long errorCode);

} // namespace quillet::win32
