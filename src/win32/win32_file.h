// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillet::win32
{

// Writes the bytes to path in one step and never through a link: a file or folder that is a
// reparse point (a symbolic link, a junction, a mount point) in place of path is refused and
// left as it is, and so is a folder. The bytes go to a new file beside path (created new, not
// opened through a reparse point), are checked through write and flush, and replace path only
// when complete; on any failure path keeps its earlier content. Returns false with the
// reason, a phrase for the user, in *error.
bool ReplaceFileNoReparse(const std::wstring& path, const std::string& bytes, std::wstring* error);

} // namespace quillet::win32
