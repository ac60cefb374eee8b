// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/folder_view.h"

#include "names/file_name_bytes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace quillet
{

namespace
{

constexpr int kIndentPixels = 8;

class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted = option;
        shifted.rect.setLeft(option.rect.left() +
                             kIndentPixels * index.data(FolderEntryModel::kLevelRole).toInt());
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += kIndentPixels * index.data(FolderEntryModel::kLevelRole).toInt();
        return size;
    }
};

} // namespace

void FolderEntryModel::SetFolders(const QList<FolderEntry>& chain,
                                  const QList<FolderEntry>& subfolders)
{
    beginResetModel();
    m_entries = chain + subfolders;
    m_nChain = chain.size();
    endResetModel();
}

int FolderEntryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant FolderEntryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const qsizetype row = index.row();
    switch (role) {
    // A byte of a name that is not UTF-8 shows as \xE9, the way the file lists show it.
    case Qt::DisplayRole:
        return DisplayFileName(m_entries[row].name);
    case Qt::ToolTipRole:
        return DisplayFileName(m_entries[row].path);
    case Qt::DecorationRole:
        return QApplication::style()->standardIcon(row < m_nChain ? QStyle::SP_DirOpenIcon
                                                                  : QStyle::SP_DirClosedIcon);
    case kLevelRole:
        return int(row < m_nChain ? row : m_nChain);
    default:
        return {};
    }
}

FolderView::FolderView(QWidget* parent) : QListView(parent)
{
    setModel(&m_model);
    setItemDelegate(new IndentDelegate(this));
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(16, 16));
    connect(this, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { emit entryOpened(index.row()); });
}

void FolderView::ShowFolders(const FolderList& folders)
{
    m_model.SetFolders(folders.Chain(), folders.Subfolders());
    const QModelIndex current = m_model.index(int(folders.CurrentIndex()));
    setCurrentIndex(current);
    scrollTo(current);
}

void FolderView::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
        emit entryOpened(currentIndex().row());
        return;
    }
    QListView::keyPressEvent(event);
}

} // namespace quillet
