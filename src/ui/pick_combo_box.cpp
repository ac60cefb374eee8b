// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pick_combo_box.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

namespace quillet
{

PickComboBox::PickComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Completion would fill in and select the matching entry while the user types.
    setCompleter(nullptr);
    QLineEdit* edit = lineEdit();
    // QComboBox selects the entry matching the typed text on Enter and when the field
    // loses the focus; neither is a pick from the list.
    disconnect(edit, &QLineEdit::returnPressed, this, nullptr);
    disconnect(edit, &QLineEdit::editingFinished, this, nullptr);
    connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString& text) {
        if (currentIndex() == -1)
            return;
        const QSignalBlocker blocker(this);
        const int nCursor = edit->cursorPosition();
        setCurrentIndex(-1);
        setEditText(text);
        edit->setCursorPosition(nCursor);
    });
}

void PickComboBox::showPopup()
{
    // The list may be wider than the box: as wide as its widest entry, with room for a
    // scroll bar when the entries do not all fit.
    QAbstractItemView* list = view();
    int nWidest = 0;
    for (int i = 0; i < count(); ++i) {
        QStyleOptionViewItem option;
        option.initFrom(list);
        nWidest =
            qMax(nWidest, list->itemDelegate()->sizeHint(option, model()->index(i, 0)).width());
    }
    const int nFrame = 2 * list->frameWidth() + 4;
    const int nScrollBar =
        count() > maxVisibleItems() ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    list->setMinimumWidth(qMax(width(), nWidest + nFrame + nScrollBar));
    QComboBox::showPopup();
}

} // namespace quillet
