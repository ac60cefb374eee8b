// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What assistive technology reads of the window's combo boxes and of a label that shows a
// value beside its caption, where Qt's own accessible interfaces tell less.

#include <QLabel>

namespace quillet
{

// A label that shows a value beside its caption, another label whose buddy it is (the
// file count beside "File Count:").
class ValueLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;
};

// Installs, once per process, the interfaces for:
// - combo boxes: named by their accessible name. On Linux Qt names a combo box by its
//   current text, so the drive box would be "/" and the case box "No change".
// - value labels: named by the caption followed by the value ("File Count: 12"); the name
//   follows each change of the value.
// Qt makes a control's interface as soon as the control is made: this comes first.
void InstallAccessibleControls();

} // namespace quillet
