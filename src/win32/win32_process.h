// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillet::win32
{

// Window styles of a started program, as ShowWindow takes them.
enum class ShowStyle {
    Hidden,          // SW_HIDE: no visible window
    NormalWithFocus, // SW_SHOWNORMAL: an ordinary window that takes the focus
};

// Starts commandLine (program and arguments, as typed at a prompt) with the given window style
// and returns at once, without waiting for the program. A command line naming a ".bat" file
// runs in the command interpreter. The process and thread handles are closed straight away.
// Returns false, with the system's message in *error, when nothing started.
bool StartCommandLine(const std::wstring& commandLine, ShowStyle style, std::wstring* error);

// The full path of a program of the system folder ("C:\Windows\System32\cmd.exe" for
// L"cmd.exe"), so that it is started from there and never found first in the current folder
// or on the search path. Empty when the system folder is unknown.
std::wstring SystemProgramPath(const std::wstring& program);

} // namespace quillet::win32
