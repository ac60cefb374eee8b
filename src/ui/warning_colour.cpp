// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/warning_colour.h"

#include <cmath>

namespace quillet
{

namespace
{

double RelativeLuminance(const QColor& colour)
{
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

// A little above the 4.5 the guidelines ask, so rounding to 8-bit channels never drops
// below it.
constexpr double kWantedContrast = 4.7;

} // namespace

double ContrastRatio(const QColor& first, const QColor& second)
{
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (qMax(a, b) + 0.05) / (qMin(a, b) + 0.05);
}

QColor ReadableWarningColour(const QColor& background)
{
    // Start from a strong red and move its lightness away from the background's until
    // the text reads.
    const bool bDarkBackground = RelativeLuminance(background) < 0.18;
    float fLightness = 0.42f;
    const float fStep = bDarkBackground ? 0.02f : -0.02f;
    QColor colour = QColor::fromHslF(0.0f, 1.0f, fLightness);
    while (ContrastRatio(colour, background) < kWantedContrast && fLightness > 0.0f &&
           fLightness < 1.0f) {
        fLightness = qBound(0.0f, fLightness + fStep, 1.0f);
        colour = QColor::fromHslF(0.0f, 1.0f, fLightness);
    }
    return colour;
}

} // namespace quillet
