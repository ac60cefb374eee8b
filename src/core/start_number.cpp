// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/start_number.h"

#include <limits>

namespace quillet
{

namespace
{

// Reads "[sign]digits[.digits]" or "[sign].digits" with blanks around it and rounds the
// fraction to the nearest whole number, a half to the even neighbour. The rounding works
// on the digits themselves, so 2.5 and 0.5000000001 round exactly. Returns nothing when
// the text is not such a number or its magnitude exceeds nLimit.
std::optional<qint64> ReadRoundedNumber(const QString& strText, qint64 nLimit)
{
    const QStringView text = QStringView(strText).trimmed();
    qsizetype i = 0;
    bool bNegative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        bNegative = text[i] == u'-';
        ++i;
    }
    qint64 nWhole = 0;
    int nDigits = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80; ++i) {
        nWhole = nWhole * 10 + (text[i].unicode() - u'0');
        if (nWhole > nLimit + 1)
            return std::nullopt;
        ++nDigits;
    }
    int nFirstFraction = -1; // first digit after the point
    bool bRestNonZero = false;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80; ++i) {
            const int d = text[i].unicode() - u'0';
            if (nFirstFraction < 0)
                nFirstFraction = d;
            else if (d != 0)
                bRestNonZero = true;
            ++nDigits;
        }
    }
    if (nDigits == 0 || i != text.size())
        return std::nullopt;
    const bool bRoundUp = nFirstFraction > 5 || (nFirstFraction == 5 && bRestNonZero) ||
                          (nFirstFraction == 5 && !bRestNonZero && (nWhole % 2) == 1);
    if (bRoundUp)
        ++nWhole;
    if (nWhole > nLimit)
        return std::nullopt;
    return bNegative ? -nWhole : nWhole;
}

} // namespace

std::optional<qint16> ConvertStartNumber(const QString& strText)
{
    const auto value = ReadRoundedNumber(strText, 32768);
    if (!value || *value > std::numeric_limits<qint16>::max() ||
        *value < std::numeric_limits<qint16>::min())
        return std::nullopt;
    return static_cast<qint16>(*value);
}

qint64 StartValueForTemplate(const QString& strStartAt)
{
    constexpr qint64 nLimit = 1'000'000'000'000'000; // 10^15
    return ReadRoundedNumber(strStartAt, nLimit).value_or(0);
}

} // namespace quillet
