// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

namespace quillet
{

// Draws the rows of a name column. A name cut by the column's width shows whole in the
// row's tooltip, together with what the model says of the row. The current row is
// outlined even while the column has no focus, so the row that is current in the other
// column shows here too. With a mark slot, every row keeps room in front of its name for
// the problem icon, so the names stay aligned; rows of both columns have the same height.
class NameRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    NameRowDelegate(bool bMarkSlot, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    bool m_bMarkSlot;
};

} // namespace quillet
