// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32_codepage.h"

#include <windows.h>

namespace quillet::win32
{

namespace
{

std::optional<std::wstring> FromCodePage(UINT codePage, const std::string& bytes)
{
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                           static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                        static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

} // namespace

std::optional<std::string> ToOemCodePage(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const UINT codePage = GetOEMCP();
    // UTF-8 and UTF-7 refuse WC_NO_BEST_FIT_CHARS and the default-character flag; they can
    // hold every character, and WC_ERR_INVALID_CHARS catches a lone surrogate.
    const bool utf = codePage == CP_UTF8 || codePage == CP_UTF7;
    const DWORD flags = utf ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf ? nullptr : &usedDefault;

    const int inputLength = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(codePage, flags, text.data(), inputLength, nullptr, 0,
                                           nullptr, usedDefaultOut);
    if (length <= 0 || usedDefault)
        return std::nullopt;
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), inputLength, bytes.data(), length, nullptr,
                        usedDefaultOut);
    if (usedDefault)
        return std::nullopt;
    // A last guard: the bytes must read back as exactly the text, whatever the conversion
    // tables of this system do with characters they map loosely.
    const std::optional<std::wstring> back = FromCodePage(codePage, bytes);
    if (!back || *back != text)
        return std::nullopt;
    return bytes;
}

std::optional<std::wstring> FromOemCodePage(const std::string& bytes)
{
    if (bytes.empty())
        return std::wstring();
    return FromCodePage(GetOEMCP(), bytes);
}

} // namespace quillet::win32
