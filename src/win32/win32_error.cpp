// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32_error.h"

#include <windows.h>

namespace quillet::win32
{

std::wstring SystemMessage(unsigned long errorCode)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length != 0 && buffer != nullptr)
        text.assign(buffer, length);
    if (buffer != nullptr)
        LocalFree(buffer);
    // The system's texts end with a full stop and a line break; callers put them mid-sentence.
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                             text.back() == L'.'))
        text.pop_back();
    if (text.empty())
        text = L"Unknown error";
    return text + L" (error " + std::to_wstring(errorCode) + L")";
}

} // namespace quillet::win32
