// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

namespace quillet
{

// An editable combo box whose selection changes only when the user picks an entry: with
// the mouse or the arrow keys in the open list, or with the arrow keys on the closed box.
// Typing, pressing Enter or leaving the box never selects the entry that matches the
// typed text; typing leaves no entry selected (index -1) and keeps the text as typed.
// Its open list is as wide as its longest entry, however narrow the box itself is.
class PickComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit PickComboBox(QWidget* parent = nullptr);

    void showPopup() override;
};

} // namespace quillet
