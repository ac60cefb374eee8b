// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a file system accepts as the name of a file inside a folder. Plain C++ without Qt, so
// that the Win32 layer, which is built without Qt, checks names by the same rules as the rest
// of the program.

#include <string_view>

namespace quillet
{

// Why a file system would refuse a bare name, or store the file under another name.
enum class NameFault : unsigned char {
    None,
    Empty,        // ""
    DotName,      // "." or "..": names of folders
    Separator,    // "/" (and "\" where the file system takes it for one)
    Forbidden,    // NUL, or a character the file system refuses
    TrailingDot,  // ends in a dot or a space, which the file system drops
    ReservedName, // a device name (CON, NUL, COM1, ...), alone or with an extension
    TooLong,      // more than the file system's maximum length
};

enum class LengthUnit : unsigned char {
    Utf8Bytes,  // POSIX file systems count the bytes of the name's UTF-8 form
    Utf16Units, // FAT, exFAT, NTFS and SMB count UTF-16 code units
};

// The rules of one file system for names.
struct NameRules {
    bool bWindowsCharacters = false; // refuse \ : * ? " < > | and control characters
    bool bReservedNames = false;     // refuse device names
    bool bNoTrailingDot = false;     // refuse a trailing dot or space
    LengthUnit lengthUnit = LengthUnit::Utf8Bytes;
    int nMaxLength = 255;
    bool bIgnoreCase = false; // two names that differ only in case name one file

    // ext4, btrfs, xfs, tmpfs and the like: only "/" and NUL are refused, 255 bytes.
    static NameRules Posix(bool bIgnoreCase = false);
    // Windows, and FAT, exFAT, NTFS or SMB shares on any system: case ignored.
    static NameRules Windows();

    NameFault FaultOf(std::u16string_view name) const;
    bool Accepts(std::u16string_view name) const { return FaultOf(name) == NameFault::None; }

    bool operator==(const NameRules& other) const;
    bool operator!=(const NameRules& other) const { return !(*this == other); }
};

// The length of a name as a file system of that unit counts it against its maximum.
std::size_t NameLength(std::u16string_view name, LengthUnit unit);

// Whether Windows would store a file of this name under another name or take it for a
// device: a name ending in a dot or a space (both are dropped), or a reserved device name
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, and COM/LPT with a superscript 1 to 3),
// in any case, alone or followed by an extension ("nul.txt", "Com1 .log").
bool WindowsChangesName(std::u16string_view name);

} // namespace quillet
