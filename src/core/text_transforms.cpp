#include "core/text_transforms.h"

#include <algorithm>

namespace quillet
{

namespace
{

constexpr char16_t kSpace = u' ';

char32_t LowerOf(char32_t c)
{
    if (c < 0x80)
        return (c >= U'A' && c <= U'Z') ? c + 32 : c;
    return QChar::toLower(c); // simple case mapping: one code point to one code point
}

char32_t UpperOf(char32_t c)
{
    if (c < 0x80)
        return (c >= U'a' && c <= U'z') ? c - 32 : c;
    return QChar::toUpper(c);
}

// Maps every code point of [nFrom, nTo) with map(codePoint, index) and writes the result
// in place. A code point whose mapping needs a different number of UTF-16 units (a change
// between the Basic Multilingual Plane and the others) makes the rest of the range be
// rebuilt in a new string; the length in code points stays the same either way.
template <typename Map>
void MapCodePoints(QString& strText, qsizetype nFrom, qsizetype nTo, Map map)
{
    nFrom = qBound<qsizetype>(0, nFrom, strText.size());
    nTo = qBound(nFrom, nTo, strText.size());
    if (nFrom == nTo)
        return;
    QChar* d = strText.data();
    qsizetype i = nFrom;
    char32_t breakMapped = 0;
    while (i < nTo) {
        const char16_t c = d[i].unicode();
        if (c < 0x80) {
            d[i] = QChar(char16_t(map(c))); // ASCII maps to ASCII
            ++i;
            continue;
        }
        const bool bPair = QChar::isHighSurrogate(c) && i + 1 < nTo && d[i + 1].isLowSurrogate();
        const char32_t cp = bPair ? QChar::surrogateToUcs4(c, d[i + 1].unicode()) : c;
        const char32_t mapped = map(cp);
        if (QChar::requiresSurrogates(mapped) != bPair) {
            breakMapped = mapped;
            break;
        }
        if (bPair) {
            d[i] = QChar(QChar::highSurrogate(mapped));
            d[i + 1] = QChar(QChar::lowSurrogate(mapped));
            i += 2;
        } else {
            d[i] = QChar(char16_t(mapped));
            ++i;
        }
    }
    if (i >= nTo)
        return;
    // Rare path: rebuild the range from i on.
    const qsizetype nRebuildFrom = i;
    QString strMapped;
    strMapped.reserve(nTo - i + 8);
    while (i < nTo) {
        const char16_t c = strText[i].unicode();
        const bool bPair =
            QChar::isHighSurrogate(c) && i + 1 < nTo && strText[i + 1].isLowSurrogate();
        const char32_t cp = bPair ? QChar::surrogateToUcs4(c, strText[i + 1].unicode()) : c;
        // map has already seen the code point the fast loop stopped at.
        const char32_t mapped = i == nRebuildFrom ? breakMapped : map(cp);
        if (QChar::requiresSurrogates(mapped)) {
            strMapped += QChar(QChar::highSurrogate(mapped));
            strMapped += QChar(QChar::lowSurrogate(mapped));
        } else {
            strMapped += QChar(char16_t(mapped));
        }
        i += bPair ? 2 : 1;
    }
    strText = strText.left(nRebuildFrom) + strMapped + strText.mid(nTo);
}

} // namespace

void LowerInPlace(QString& strText, qsizetype nFrom, qsizetype nTo)
{
    MapCodePoints(strText, nFrom, nTo, LowerOf);
}

void UpperInPlace(QString& strText, qsizetype nFrom, qsizetype nTo)
{
    MapCodePoints(strText, nFrom, nTo, UpperOf);
}

QString ToLowerText(const QString& strInput)
{
    QString strResult = strInput;
    LowerInPlace(strResult, 0, strResult.size());
    return strResult;
}

QString ToUpperText(const QString& strInput)
{
    QString strResult = strInput;
    UpperInPlace(strResult, 0, strResult.size());
    return strResult;
}

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
    if (nMode != 1 && nMode != 2)
        return strInput;
    const char16_t* in = reinterpret_cast<const char16_t*>(strInput.constData());
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
    QString strResult(n, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(strResult.data());
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
    strResult.truncate(nOut);
    return strResult;
}

} // namespace quillet
