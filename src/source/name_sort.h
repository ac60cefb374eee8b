#pragma once

#include <QString>
#include <QStringList>

namespace quillet
{

// The key by which names sort without regard to case: the name case-folded (ASCII
// letters lowered directly, other text through Unicode case folding).
QString CaseFoldKey(const QString& strName);

// Sorts names by their case-fold key; names whose keys are equal (a.txt and A.TXT)
// keep a fixed order by their exact text. Each key is computed once.
void SortIgnoringCase(QStringList& names);

} // namespace quillet
