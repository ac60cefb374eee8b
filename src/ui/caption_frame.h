// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>

namespace quillet
{

// A captioned frame drawn as the window was designed: the border's top runs through the
// middle of the caption, which sits on it near the left corner, and the controls placed
// below the caption lie inside the border. (Some styles draw the caption above the frame
// and start the border lower, through the first row of controls.)
class CaptionFrame : public QGroupBox
{
    Q_OBJECT

public:
    CaptionFrame(const QString& title, QWidget* parent = nullptr);

    // The border's rectangle in the frame's own coordinates.
    QRect BorderRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quillet
