// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>

namespace quillet
{

// Lets into the start-number box only what reads, or can still become, a number from 0 to
// 9999: digits with an optional fraction and blanks around them. Letters, a minus sign and
// a number above 9999 never enter the box; an empty box may exist while the user retypes.
class StartNumberValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

} // namespace quillet
