// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListView>

namespace quillet
{

// A list view for a column of names. Every row has the same size whatever its text (one
// line of the font, the width of the column), so a change of the names or of their marks
// only repaints the rows shown: the rows are not laid out again, which for a million names
// would cost more than a frame on every keystroke.
class NameListView : public QListView
{
    Q_OBJECT

public:
    using QListView::QListView;

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
};

} // namespace quillet
