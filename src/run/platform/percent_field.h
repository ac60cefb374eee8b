// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

namespace quillet
{

// The fields of the run's records (the report of a script, the journal): bytes
// percent-encoded as QByteArray::toPercentEncoding() writes them, letters, digits and "-._~"
// as they are, every other byte as %XX, so that no field holds a blank or a line break.
// Written straight into the record, without a copy of each field: a run writes a few records
// per rename.

// Writes one byte of a field at out; returns the end of what was written.
inline char* PutPercentEncoded(char* out, unsigned char c)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    const bool bUnreserved = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                             (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
    if (bUnreserved) {
        *out++ = char(c);
    } else {
        *out++ = '%';
        *out++ = kHex[c >> 4];
        *out++ = kHex[c & 15];
    }
    return out;
}

// Appends bytes, percent-encoded, to record.
inline void AppendPercentEncoded(QByteArray& record, QByteArrayView bytes)
{
    const qsizetype start = record.size();
    record.resize(start + 3 * bytes.size());
    char* out = record.data() + start;
    for (const char byte : bytes)
        out = PutPercentEncoded(out, static_cast<unsigned char>(byte));
    record.resize(out - record.constData());
}

// Appends text as the percent-encoded field of its bytes; toBytes(text) gives the bytes of a
// text that is not all ASCII (the bytes of ASCII text are its characters).
template <typename ToBytes>
void AppendTextField(QByteArray& record, QStringView text, ToBytes&& toBytes)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            AppendPercentEncoded(record, toBytes(text));
            return;
        }
    }
    const qsizetype start = record.size();
    record.resize(start + 3 * text.size());
    char* out = record.data() + start;
    for (const QChar c : text)
        out = PutPercentEncoded(out, static_cast<unsigned char>(c.unicode()));
    record.resize(out - record.constData());
}

} // namespace quillet
