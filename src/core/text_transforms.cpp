// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text_transforms.h"

#include <algorithm>

namespace quillet
{

namespace
{

constexpr char16_t kSpace = u' ';

} // namespace

void CapitalizeInitialInPlace(QString& strText)
{
    // Every space starts a word again, so the first character after a run of spaces is
    // upper-cased; characters without case still use up their turn.
    bool bStartOfWord = true;
    char16_t* d = reinterpret_cast<char16_t*>(strText.data());
    const qsizetype n = strText.size();
    qsizetype i = 0;
    for (; i < n && d[i] < 0x80; ++i) { // ASCII prefix, the common case
        const char16_t c = d[i];
        if (bStartOfWord) {
            if (c >= u'a' && c <= u'z')
                d[i] = c - 32;
        } else if (c >= u'A' && c <= u'Z') {
            d[i] = c + 32;
        }
        bStartOfWord = c == kSpace;
    }
    MapCodePoints(strText, i, n, [&bStartOfWord](char32_t c) {
        const char32_t mapped = bStartOfWord ? UpperOf(c) : LowerOf(c);
        bStartOfWord = c == kSpace;
        return mapped;
    });
}

QString CapitalizeInitial(const QString& strInput)
{
    QString strResult = strInput;
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
    // Find the first space that has to go; without one the input is the result.
    qsizetype nFirst = -1;
    for (qsizetype i = 0; i < n; ++i) {
        if (in[i] == kSpace && (nMode == 2 || (i > 0 && in[i - 1] == kSpace))) {
            nFirst = i;
            break;
        }
    }
    if (nFirst < 0)
        return strInput;
    buffer.resize(n);
    char16_t* out = reinterpret_cast<char16_t*>(buffer.data());
    std::copy(in, in + nFirst, out);
    qsizetype nOut = nFirst;
    bool bLastWasSpace = true; // the character before nFirst (mode 1) or irrelevant (mode 2)
    for (qsizetype i = nFirst + 1; i < n; ++i) {
        const char16_t c = in[i];
        if (c == kSpace) {
            if (nMode == 2 || bLastWasSpace)
                continue;
            bLastWasSpace = true;
        } else {
            bLastWasSpace = false;
        }
        out[nOut++] = c;
    }
    buffer.truncate(nOut);
    return buffer;
}

} // namespace quillet
