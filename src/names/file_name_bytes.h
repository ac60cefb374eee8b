// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// File names and paths on POSIX are bytes, not text, and need not be UTF-8. They are held as
// text without loss: the UTF-8 parts decode as usual, and each byte that is not part of valid
// UTF-8 becomes a lone low surrogate U+DC80 to U+DCFF (the byte plus 0xDC00), which no valid
// UTF-8 decodes to, and which encodes back to that very byte (the "surrogateescape" scheme of
// Python). Every name or path read from the file system goes through DecodeFileName, and
// every one handed to it through EncodeFileName.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace quillet
{

// The first and last code unit that stand for an undecodable byte.
inline constexpr char16_t kFirstEscapedByte = 0xDC80;
inline constexpr char16_t kLastEscapedByte = 0xDCFF;

// The bytes as text: UTF-8 decoded, each byte that is not part of valid UTF-8 escaped.
QString DecodeFileName(QByteArrayView bytes);

// The bytes the text stands for; EncodeFileName(DecodeFileName(b)) == b for all bytes b.
// A surrogate that stands for no byte (a lone one outside U+DC80 to U+DCFF) has no bytes:
// it is written as U+FFFD and *ok, when given, is set to false.
QByteArray EncodeFileName(QStringView name, bool* ok = nullptr);

// Whether the name holds an escaped byte.
bool HoldsEscapedBytes(QStringView name);

// The name as the window shows it: each escaped byte as "\xE9" (two upper-case hex digits),
// so that such a name is readable and visibly marked; other names are unchanged.
QString DisplayFileName(QStringView name);

// The folder the process was started in (its current folder), byte for byte: on POSIX the
// bytes of getcwd(3) decoded by DecodeFileName, so that a folder whose path is not UTF-8 is
// that folder and no other. Empty when it cannot be read.
QString CurrentFolderPath();

// Whether path leads to a folder (following links); the path is encoded by EncodeFileName.
bool IsExistingFolder(const QString& path);

} // namespace quillet
