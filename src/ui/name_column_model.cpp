// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/name_column_model.h"

namespace quillet
{

NameColumnModel::NameColumnModel(int nColumn, QObject* parent)
    : QAbstractProxyModel(parent), m_nColumn(nColumn)
{
}

void NameColumnModel::setSourceModel(QAbstractItemModel* source)
{
    beginResetModel();
    if (sourceModel())
        disconnect(sourceModel(), nullptr, this, nullptr);
    QAbstractProxyModel::setSourceModel(source);
    if (source) {
        connect(source, &QAbstractItemModel::modelAboutToBeReset, this,
                &NameColumnModel::beginResetModel);
        connect(source, &QAbstractItemModel::modelReset, this, &NameColumnModel::endResetModel);
        connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                [this](const QModelIndex&, int nFirst, int nLast) {
                    beginRemoveRows({}, nFirst, nLast);
                });
        connect(source, &QAbstractItemModel::rowsRemoved, this, &NameColumnModel::endRemoveRows);
        connect(source, &QAbstractItemModel::rowsAboutToBeInserted, this,
                [this](const QModelIndex&, int nFirst, int nLast) {
                    beginInsertRows({}, nFirst, nLast);
                });
        connect(source, &QAbstractItemModel::rowsInserted, this, &NameColumnModel::endInsertRows);
        connect(source, &QAbstractItemModel::layoutAboutToBeChanged, this,
                [this] { emit layoutAboutToBeChanged(); });
        connect(source, &QAbstractItemModel::layoutChanged, this, [this] { emit layoutChanged(); });
        connect(source, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& topLeft, const QModelIndex& bottomRight,
                       const QList<int>& roles) {
                    if (topLeft.column() > m_nColumn || bottomRight.column() < m_nColumn)
                        return;
                    emit dataChanged(index(topLeft.row(), 0), index(bottomRight.row(), 0), roles);
                });
    }
    endResetModel();
}

QModelIndex NameColumnModel::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || column != 0 || row < 0 || row >= rowCount())
        return {};
    return createIndex(row, 0);
}

QModelIndex NameColumnModel::parent(const QModelIndex&) const
{
    return {};
}

int NameColumnModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !sourceModel() ? 0 : sourceModel()->rowCount();
}

int NameColumnModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QModelIndex NameColumnModel::mapToSource(const QModelIndex& proxyIndex) const
{
    if (!proxyIndex.isValid() || !sourceModel())
        return {};
    return sourceModel()->index(proxyIndex.row(), m_nColumn);
}

QModelIndex NameColumnModel::mapFromSource(const QModelIndex& sourceIndex) const
{
    if (!sourceIndex.isValid() || sourceIndex.column() != m_nColumn)
        return {};
    return createIndex(sourceIndex.row(), 0);
}

} // namespace quillet
