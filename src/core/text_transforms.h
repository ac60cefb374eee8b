// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "names/case_mapping.h"

#include <QString>

namespace quillet
{

// The case changes themselves (ToLowerText, ToUpperText, LowerInPlace, UpperInPlace) are
// the names library's, in names/case_mapping.h.

// Upper-cases the first character and every character that directly follows a space
// (U+0020 only); lower-cases every other character. Same length as the input.
QString CapitalizeInitial(QStringView strInput);
void CapitalizeInitialInPlace(QString& strText);

// nMode 1: every run of spaces becomes one space. nMode 2: every space is removed.
// Any other mode returns the input unchanged. Only U+0020 counts as a space.
QString ProcessSpace(const QString& strInput, int nMode);
// The same, written into buffer (kept by the caller and reused); the result is strInput
// itself when no space has to go.
QStringView ProcessSpaceInto(QStringView strInput, int nMode, QString& buffer);

} // namespace quillet
