// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace quillet
{

// The contrast ratio of two colours as the web content accessibility guidelines define
// it, from 1 (the same) to 21 (black on white).
double ContrastRatio(const QColor& first, const QColor& second);

// A red that reads on the given background with a contrast of at least 4.5 to 1: darker
// on light backgrounds, lighter on dark ones.
QColor ReadableWarningColour(const QColor& background);

} // namespace quillet
