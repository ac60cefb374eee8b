// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Case changes of file names, one code point at a time with Unicode simple case mapping, so
// that a name keeps its length in code points; a surrogate pair counts as one character.
// Every part of the program that changes, ignores or sorts by case does it here.

#include <QString>
#include <QStringView>

#include <string>

namespace quillet
{

// Simple case mapping of one code point: one code point to one code point.
char32_t LowerOf(char32_t c);
char32_t UpperOf(char32_t c);
char32_t FoldOf(char32_t c);

QString ToLowerText(const QString& strInput);
QString ToUpperText(const QString& strInput);

// Converts the UTF-16 units [nFrom, nTo) of strText in place.
void LowerInPlace(QString& strText, qsizetype nFrom, qsizetype nTo);
void UpperInPlace(QString& strText, qsizetype nFrom, qsizetype nTo);

// Maps every code point of [nFrom, nTo) with map(codePoint) and writes the result in place,
// in order (map may keep state). A code point whose mapping needs a different number of
// UTF-16 units (a change between the Basic Multilingual Plane and the others) makes the rest
// of the range be rebuilt in a new string; the length in code points stays the same.
template <typename Map>
void MapCodePoints(QString& strText, qsizetype nFrom, qsizetype nTo, Map map);

// The case-folded form of text, written into buffer (kept by the caller and reused, so that
// folding many names allocates once). Code points whose folded form would need another
// number of UTF-16 units are kept, so the result has the length of text.
QStringView CaseFoldedInto(QStringView text, std::u16string& buffer);

// The key by which names sort and compare without regard to case: the case-folded name.
QString CaseFoldKey(const QString& strName);

// Whether two names are one name for a file system that ignores case.
bool SameNameIgnoringCase(QStringView a, QStringView b);

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

} // namespace quillet
