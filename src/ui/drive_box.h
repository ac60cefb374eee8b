// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QFocusEvent>

namespace quillet
{

// The drive selector: a drop-down that tells, before the user can pick a drive (when it
// gets the focus, and just before its list opens), that its drives are about to be
// offered, so the window can read the system's drives afresh.
class DriveBox : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        emit aboutToOffer();
        QComboBox::showPopup();
    }

signals:
    void aboutToOffer();

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        emit aboutToOffer();
        QComboBox::focusInEvent(event);
    }
};

} // namespace quillet
