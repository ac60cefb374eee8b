// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/name_list_view.h"

#include <algorithm>

namespace quillet
{

void NameListView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                               const QList<int>& roles)
{
    // Both name columns are views of one model: a change of the other column is not ours.
    if (topLeft.isValid() && bottomRight.isValid() &&
        (modelColumn() < topLeft.column() || modelColumn() > bottomRight.column()))
        return;
    if (!uniformItemSizes() || !topLeft.isValid() || !bottomRight.isValid()) {
        QListView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    // QListView lays every row out again after any change of data, in case a row's size
    // changed, and the item view then measures every changed row to find what to repaint.
    // Rows of uniform size cannot change size (the delegate sizes them by the font alone),
    // and rows not shown are drawn from the model when they are scrolled to: only the
    // changed rows that are shown are repainted.
    const QModelIndex first = indexAt(QPoint(0, 0));
    if (!first.isValid()) {
        // No row shown, or the rows not laid out yet (they are painted afresh then).
        viewport()->update();
        return;
    }
    const QModelIndex last = indexAt(QPoint(0, viewport()->height() - 1));
    const int nTop = std::max(topLeft.row(), first.row());
    const int nBottom = std::min(bottomRight.row(),
                                 last.isValid() ? last.row() : model()->rowCount(rootIndex()) - 1);
    if (nTop <= nBottom)
        QAbstractItemView::dataChanged(model()->index(nTop, modelColumn(), topLeft.parent()),
                                       model()->index(nBottom, modelColumn(), bottomRight.parent()),
                                       roles);
}

} // namespace quillet
