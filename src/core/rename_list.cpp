// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rename_list.h"

#include <vector>

namespace quillet
{

namespace
{

void Compact(QStringList& list, const std::vector<bool>& remove)
{
    qsizetype nKept = 0;
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (i < qsizetype(remove.size()) && remove[size_t(i)])
            continue;
        if (nKept != i)
            list[nKept] = std::move(list[i]);
        ++nKept;
    }
    list.resize(nKept);
}

} // namespace

void RemoveEntries(QStringList& currentNames, QStringList& proposedNames,
                   const QList<qsizetype>& indexes)
{
    if (indexes.isEmpty())
        return;
    const qsizetype nLength = qMax(currentNames.size(), proposedNames.size());
    std::vector<bool> remove(size_t(nLength), false);
    for (const qsizetype i : indexes) {
        if (i >= 0 && i < nLength)
            remove[size_t(i)] = true;
    }
    Compact(currentNames, remove);
    Compact(proposedNames, remove);
}

} // namespace quillet
