// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "names/case_mapping.h"

#include <QString>
#include <QStringList>

namespace quillet
{

// From this many names on, a sort makes the names again in their sorted order, so that a
// pass over the list reads the memory in order (it costs the sort a copy of the texts, and
// saves every later pass over a large list far more).
constexpr qsizetype kRemakeSortedFrom = 250000;

// Sorts names by their case-fold key (CaseFoldKey); names whose keys are equal (a.txt and
// A.TXT) keep a fixed order by their exact text.
void SortIgnoringCase(QStringList& names, qsizetype nRemakeFrom = kRemakeSortedFrom);

} // namespace quillet
