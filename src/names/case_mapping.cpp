// SPDX-License-Identifier: GPL-3.0-or-later
#include "names/case_mapping.h"

namespace quillet
{

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

char32_t FoldOf(char32_t c)
{
    if (c < 0x80)
        return (c >= U'A' && c <= U'Z') ? c + 32 : c;
    return QChar::toCaseFolded(c);
}

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

QStringView CaseFoldedInto(QStringView text, std::u16string& buffer)
{
    const qsizetype n = text.size();
    buffer.resize(std::size_t(n));
    char16_t* d = buffer.data();
    const char16_t* s = text.utf16();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c < 0x80) {
            d[i] = (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(c, s[i + 1]));
            const bool bPair = QChar::requiresSurrogates(folded);
            d[i] = bPair ? QChar::highSurrogate(folded) : c;
            d[i + 1] = bPair ? QChar::lowSurrogate(folded) : s[i + 1];
            ++i;
        } else {
            const char32_t folded = QChar::toCaseFolded(char32_t(c));
            d[i] = QChar::requiresSurrogates(folded) ? c : char16_t(folded);
        }
    }
    return QStringView(d, n);
}

QString CaseFoldKey(const QString& strName)
{
    std::u16string buffer;
    const QStringView folded = CaseFoldedInto(strName, buffer);
    return folded == QStringView(strName) ? strName : folded.toString();
}

bool SameNameIgnoringCase(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    std::u16string foldedA;
    std::u16string foldedB;
    return CaseFoldedInto(a, foldedA) == CaseFoldedInto(b, foldedB);
}

} // namespace quillet
