#pragma once

#include "names/case_mapping.h"

#include <QString>
#include <QStringList>

namespace quillet
{

// Sorts names by their case-fold key (CaseFoldKey); names whose keys are equal (a.txt and A.TXT)
// keep a fixed order by their exact text. Each key is computed once.
void SortIgnoringCase(QStringList& names);

} // namespace quillet
