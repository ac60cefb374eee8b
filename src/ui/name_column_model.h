// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractProxyModel>

namespace quillet
{

// One column of the rename pairs as a list model of its own: what a name list and assistive
// technology see of it (an accessible list reads every column of its model, whatever column
// the view shows). Rows are the pairs' rows; a change of the other column is not passed on.
class NameColumnModel : public QAbstractProxyModel
{
    Q_OBJECT

public:
    NameColumnModel(int nColumn, QObject* parent = nullptr);

    void setSourceModel(QAbstractItemModel* source) override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;

private:
    int m_nColumn;
};

} // namespace quillet
