// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/start_number_validator.h"

#include "core/start_number.h"

namespace quillet
{

QValidator::State StartNumberValidator::validate(QString& input, int& /*pos*/) const
{
    const QStringView text = QStringView(input).trimmed();
    bool bPoint = false;
    bool bDigit = false;
    for (const QChar c : text) {
        if (c == u'.' && !bPoint) {
            bPoint = true;
        } else if (c.unicode() >= u'0' && c.unicode() <= u'9') {
            bDigit = true;
        } else {
            return Invalid; // letters, signs, blanks inside the number
        }
    }
    if (!bDigit)
        return Intermediate; // empty, blanks or a lone point: the user is still typing
    const auto value = ConvertStartNumber(input);
    if (!value || *value > 9999)
        return Invalid;
    return Acceptable;
}

} // namespace quillet
