// SPDX-License-Identifier: GPL-3.0-or-later
#include "name_rules.h"

namespace quillet
{

namespace
{

bool IsAsciiCaseless(std::u16string_view text, std::string_view word)
{
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const char16_t lower = (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
        if (lower != char16_t(word[i]))
            return false;
    }
    return true;
}

bool IsReservedDevice(std::u16string_view stem)
{
    for (const std::string_view device : {"con", "prn", "aux", "nul"}) {
        if (IsAsciiCaseless(stem, device))
            return true;
    }
    if (stem.size() != 4 ||
        !(IsAsciiCaseless(stem.substr(0, 3), "com") || IsAsciiCaseless(stem.substr(0, 3), "lpt")))
        return false;
    const char16_t digit = stem[3];
    return (digit >= u'1' && digit <= u'9') || digit == u'\u00b9' || digit == u'\u00b2' ||
           digit == u'\u00b3';
}

bool EndsInDotOrSpace(std::u16string_view name)
{
    return !name.empty() && (name.back() == u'.' || name.back() == u' ');
}

// The device is the part before the first dot; blanks before the dot do not count.
bool IsReservedName(std::u16string_view name)
{
    std::size_t end = name.find(u'.');
    if (end == std::u16string_view::npos)
        end = name.size();
    while (end > 0 && name[end - 1] == u' ')
        --end;
    return IsReservedDevice(name.substr(0, end));
}

bool IsWindowsForbidden(char16_t c)
{
    return c < 0x20 || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' || c == u'>' ||
           c == u'|';
}

} // namespace

std::size_t NameLength(std::u16string_view name, LengthUnit unit)
{
    if (unit == LengthUnit::Utf16Units)
        return name.size();
    std::size_t nBytes = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        if (c < 0x80) {
            nBytes += 1;
        } else if (c < 0x800) {
            nBytes += 2;
        } else if (c >= 0xd800 && c < 0xdc00 && i + 1 < name.size() && name[i + 1] >= 0xdc00 &&
                   name[i + 1] < 0xe000) {
            nBytes += 4; // a surrogate pair is one code point of four bytes
            ++i;
        } else if (c >= 0xdc80 && c <= 0xdcff) {
            nBytes += 1; // an escaped byte of a name that is not UTF-8 (file_name_bytes.h)
        } else {
            nBytes += 3;
        }
    }
    return nBytes;
}

NameRules NameRules::Posix(bool bIgnoreCase)
{
    NameRules rules;
    rules.bIgnoreCase = bIgnoreCase;
    return rules;
}

NameRules NameRules::Windows()
{
    NameRules rules;
    rules.bWindowsCharacters = true;
    rules.bReservedNames = true;
    rules.bNoTrailingDot = true;
    rules.lengthUnit = LengthUnit::Utf16Units;
    rules.nMaxLength = 255;
    rules.bIgnoreCase = true;
    return rules;
}

NameFault NameRules::FaultOf(std::u16string_view name) const
{
    if (name.empty())
        return NameFault::Empty;
    if (name == u"." || name == u"..")
        return NameFault::DotName;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        if (c == u'/' || (bWindowsCharacters && c == u'\\'))
            return NameFault::Separator;
        if (c == 0 || (bWindowsCharacters && IsWindowsForbidden(c)))
            return NameFault::Forbidden;
        // POSIX names are bytes: a surrogate that is neither half of a pair nor an escaped
        // byte (U+DC80 to U+DCFF alone) stands for no bytes at all.
        if (!bWindowsCharacters && c >= 0xd800 && c < 0xe000) {
            if (c < 0xdc00 && i + 1 < name.size() && name[i + 1] >= 0xdc00 && name[i + 1] < 0xe000)
                ++i;
            else if (c < 0xdc80 || c > 0xdcff)
                return NameFault::Forbidden;
        }
    }
    // At most three UTF-8 bytes per UTF-16 unit: short names need no count.
    const std::size_t nMax = std::size_t(nMaxLength);
    if (lengthUnit == LengthUnit::Utf16Units
            ? name.size() > nMax
            : name.size() * 3 > nMax && NameLength(name, lengthUnit) > nMax)
        return NameFault::TooLong;
    if (bNoTrailingDot && EndsInDotOrSpace(name))
        return NameFault::TrailingDot;
    if (bReservedNames && IsReservedName(name))
        return NameFault::ReservedName;
    return NameFault::None;
}

bool NameRules::operator==(const NameRules& other) const
{
    return bWindowsCharacters == other.bWindowsCharacters &&
           bReservedNames == other.bReservedNames && bNoTrailingDot == other.bNoTrailingDot &&
           lengthUnit == other.lengthUnit && nMaxLength == other.nMaxLength &&
           bIgnoreCase == other.bIgnoreCase;
}

bool WindowsChangesName(std::u16string_view name)
{
    return EndsInDotOrSpace(name) || (!name.empty() && IsReservedName(name));
}

} // namespace quillet
