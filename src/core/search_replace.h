#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace quillet
{

// Replaces every occurrence of strSearch in strEntry by strReplace: exact, case-sensitive
// comparison, scanning left to right and going on after each match, so matches never
// overlap and the inserted text is not searched again. An empty search string changes
// nothing.
QString ReplaceAll(const QString& strEntry, const QString& strSearch, const QString& strReplace);

// Runs ReplaceAll over every entry in place, in order. After entry i is written,
// progress(i + 1) is called when given. The number and order of entries never change.
void SearchAndReplace(QStringList& entries, const QString& strSearch, const QString& strReplace,
                      const std::function<void(qsizetype)>& progress = {});

} // namespace quillet
