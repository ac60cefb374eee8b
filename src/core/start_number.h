// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace quillet
{

// Reads a start-number text the way the start-number box converts it: blanks around the
// number are ignored, an optional sign, decimal digits with an optional fraction; the
// fraction is rounded to the nearest whole number, a half to the even neighbour
// (2.5 -> 2, 3.5 -> 4). Returns nothing when the text is not such a number or the result
// does not fit a 16-bit signed integer.
std::optional<qint16> ConvertStartNumber(const QString& strText);

// The whole number the template counter starts from. Same reading as ConvertStartNumber
// but without the 16-bit limit (up to +/-10^15). Text that is not a number (empty while
// the user retypes it, letters, out of range) counts as 0, so a pass never fails on it.
qint64 StartValueForTemplate(const QString& strStartAt);

} // namespace quillet
