// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text_transforms.h"

#include <algorithm>

namespace quillet
{

namespace
{

constexpr char16_t kSpace = u' ';

bool IsAscii(const char16_t* d, qsizetype n)
{
    char16_t bits = 0;
    for (qsizetype i = 0; i < n; ++i)
        bits |= d[i];
    return bits < 0x80;
}

// One ASCII character of CapitalizeInitial, without branches: a letter after a space is
// upper-cased, any other letter lower-cased.
inline char16_t CapitalizedAscii(char16_t c, char16_t before)
{
    const char16_t letterBit = char16_t((c | 0x20) - u'a') < 26 ? 0x20 : 0;
    const char16_t lowerBit = before == kSpace ? 0 : letterBit;
    return char16_t((c & ~letterBit) | lowerBit);
}

} // namespace

void CapitalizeInitialInPlace(QString& strText)
{
    char16_t* d = reinterpret_cast<char16_t*>(strText.data());
    const qsizetype n = strText.size();
    if (IsAscii(d, n)) {
        // The common case. From the end backwards, so that the character before each one
        // is still unchanged when it is read: the compiler then does several at a time.
        for (qsizetype i = n - 1; i > 0; --i)
            d[i] = CapitalizedAscii(d[i], d[i - 1]);
        if (n > 0)
            d[0] = CapitalizedAscii(d[0], kSpace);
        return;
    }
    // Every space starts a word again, so the first character after a run of spaces is
    // upper-cased; characters without case still use up their turn.
    bool bStartOfWord = true;
    qsizetype i = 0;
    for (; i < n && d[i] < 0x80; ++i) { // ASCII prefix
        const char16_t c = d[i];
        d[i] = CapitalizedAscii(c, bStartOfWord ? kSpace : 0);
        bStartOfWord = c == kSpace;
    }
    MapCodePoints(strText, i, n, [&bStartOfWord](char32_t c) {
        const char32_t mapped = bStartOfWord ? UpperOf(c) : LowerOf(c);
        bStartOfWord = c == kSpace;
        return mapped;
    });
}

QString CapitalizeInitial(QStringView strInput)
{
    // Written straight into the new string: an ASCII text needs nothing more, any other
    // goes once more through the whole mapping (its ASCII letters come out as they are).
    const qsizetype n = strInput.size();
    QString strResult(n, Qt::Uninitialized);
    const char16_t* s = strInput.utf16();
    char16_t* d = reinterpret_cast<char16_t*>(strResult.data());
    if (n == 0)
        return strResult;
    char16_t bits = s[0];
    d[0] = CapitalizedAscii(s[0], kSpace);
    for (qsizetype i = 1; i < n; ++i) {
        bits |= s[i];
        d[i] = CapitalizedAscii(s[i], s[i - 1]);
    }
    if (bits >= 0x80)
        CapitalizeInitialInPlace(strResult);
    return strResult;
}

QString ProcessSpace(const QString& strInput, int nMode)
{
    QString buffer;
    const QStringView result = ProcessSpaceInto(strInput, nMode, buffer);
    return result.data() == strInput.constData() ? strInput : buffer;
}

QStringView ProcessSpaceInto(QStringView strInput, int nMode, QString& buffer)
{
    if (nMode != 1 && nMode != 2)
        return strInput;
    const char16_t* in = strInput.utf16();
    const qsizetype n = strInput.size();
    // Most names have no space that has to go: one look at all of them, which the compiler
    // does several characters at a time, finds that quickest.
    int nToGo = 0;
    if (nMode == 2) {
        for (qsizetype i = 0; i < n; ++i)
            nToGo |= int(in[i] == kSpace);
    } else {
        for (qsizetype i = 1; i < n; ++i)
            nToGo |= int(in[i] == kSpace) & int(in[i - 1] == kSpace);
    }
    if (nToGo == 0)
        return strInput;
    buffer.resize(n);
    char16_t* out = reinterpret_cast<char16_t*>(buffer.data());
    // Every character is written and the end moves on past those that stay, without
    // branches that guess wrong at every space.
    qsizetype nOut = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = in[i];
        out[nOut] = c;
        nOut += !(c == kSpace && (nMode == 2 || (i > 0 && in[i - 1] == kSpace)));
    }
    buffer.truncate(nOut);
    return buffer;
}

} // namespace quillet
