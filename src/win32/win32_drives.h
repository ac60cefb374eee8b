// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace quillet::win32
{

// The drive letters of the system, in the style "c:" (lower-case letter and colon), in order.
std::vector<std::wstring> LogicalDrives();

// Whether the drive ("c:" or "C:\\") holds a readable medium. Asks without letting the system
// show its "no disk" dialog. When it does not, *error receives the system's message.
bool DriveHasMedium(const std::wstring& drive, std::wstring* error);

} // namespace quillet::win32
