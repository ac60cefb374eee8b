// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/caption_frame.h"

#include <QPainter>
#include <QStylePainter>
#include <qdrawutil.h>

namespace quillet
{

namespace
{

// Gap between the left border and the caption, and around the caption's text.
constexpr int kCaptionIndent = 6;
constexpr int kCaptionPadding = 2;

} // namespace

CaptionFrame::CaptionFrame(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

QRect CaptionFrame::BorderRect() const
{
    return rect().adjusted(0, fontMetrics().height() / 2, 0, 0);
}

void CaptionFrame::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    // An etched line drawn here rather than by the style: styles that put the caption
    // above the frame move their border down by the caption's height, whatever rectangle
    // they are given.
    qDrawShadeRect(&painter, BorderRect(), palette(), true, 1, 0);

    const QString caption = title();
    if (caption.isEmpty())
        return;
    const QFontMetrics metrics = fontMetrics();
    const int nTextWidth = metrics.horizontalAdvance(QString(caption).remove(u'&'));
    QRect captionRect(kCaptionIndent, 0, nTextWidth + 2 * kCaptionPadding, metrics.height());
    captionRect = captionRect.intersected(rect().adjusted(1, 0, -1, 0));
    // The caption covers the border line where it sits.
    painter.fillRect(captionRect, palette().brush(backgroundRole()));
    painter.drawItemText(captionRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                         isEnabled(), caption, QPalette::WindowText);
}

} // namespace quillet
