// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "source/folder_list.h"

#include <QAbstractListModel>
#include <QListView>

namespace quillet
{

// The folder list's lines for a view: the chain from the root down to the current
// folder, each indented one step deeper, then the current folder's subfolders one step
// deeper still.
class FolderEntryModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void SetFolders(const QList<FolderEntry>& chain, const QList<FolderEntry>& subfolders);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    static constexpr int kLevelRole = Qt::UserRole + 1;

private:
    QList<FolderEntry> m_entries;
    qsizetype m_nChain = 0;
};

// A classic folder list: folder icons, indented lines, a double-click or Enter opens the
// folder of the line.
class FolderView : public QListView
{
    Q_OBJECT

public:
    explicit FolderView(QWidget* parent = nullptr);

    // Shows the folder list and puts the cursor on its current folder.
    void ShowFolders(const FolderList& folders);

signals:
    void entryOpened(qsizetype nIndex);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    FolderEntryModel m_model;
};

} // namespace quillet
