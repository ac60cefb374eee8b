#pragma once

#include <QComboBox>

namespace quillet
{

// The drive selector: a drop-down that tells, just before its list opens, that the list
// is about to be shown, so the window can read the system's drives afresh.
class DriveBox : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        emit aboutToShowPopup();
        QComboBox::showPopup();
    }

signals:
    void aboutToShowPopup();
};

} // namespace quillet
