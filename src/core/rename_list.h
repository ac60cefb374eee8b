// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>

namespace quillet
{

// Removes the entries at the given indexes from both lists, so the entries that remain
// stay paired by index. Indexes may come in any order and may repeat; indexes beyond a
// list's end are ignored for that list. Linear in the length of the lists.
void RemoveEntries(QStringList& currentNames, QStringList& proposedNames,
                   const QList<qsizetype>& indexes);

} // namespace quillet
