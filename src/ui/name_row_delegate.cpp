// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/name_row_delegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QTextDocument>
#include <QToolTip>

namespace quillet
{

namespace
{

const QStyle* StyleOf(const QStyleOptionViewItem& option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

// Whether the row's text is wider than the part of its text area the user can see.
bool IsCut(const QStyleOptionViewItem& option, const QAbstractItemView* view)
{
    const QStyle* style = StyleOf(option);
    QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &option, option.widget);
    textRect = textRect.intersected(view->viewport()->rect());
    const int nMargin =
        style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
    return option.fontMetrics.horizontalAdvance(option.text) > textRect.width() - 2 * nMargin;
}

} // namespace

NameRowDelegate::NameRowDelegate(bool bMarkSlot, QObject* parent)
    : QStyledItemDelegate(parent), m_bMarkSlot(bMarkSlot)
{
}

void NameRowDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (m_bMarkSlot)
        option->features |= QStyleOptionViewItem::HasDecoration; // room for the mark
}

void NameRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    if (!view || view->hasFocus() || view->currentIndex() != index)
        return;
    painter->save();
    painter->setPen(option.palette.color(QPalette::Active, QPalette::Highlight));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

QSize NameRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // Measured with the mark's room in both columns, so their rows line up, and on a line
    // of sample text rather than the row's own: every row has the size of one line of the
    // font, so a new name never changes the layout (the row takes the column's width, and
    // a longer name is elided).
    QStyleOptionViewItem measured = option;
    initStyleOption(&measured, index);
    measured.features |= QStyleOptionViewItem::HasDecoration;
    measured.text = QStringLiteral("Ag");
    return StyleOf(option)->sizeFromContents(QStyle::CT_ItemViewItem, &measured, QSize(),
                                             option.widget);
}

bool NameRowDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    QStringList parts;
    if (IsCut(row, view))
        parts.append(row.text);
    const QString note = index.data(Qt::ToolTipRole).toString();
    if (!note.isEmpty())
        parts.append(note);
    if (parts.isEmpty()) {
        QToolTip::hideText();
        return true;
    }
    QString text = parts.join(QStringLiteral("\n\n"));
    // A file name is never markup: one that looks like it is shown as it is.
    if (Qt::mightBeRichText(text))
        text = QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
               QStringLiteral("</p>");
    QToolTip::showText(event->globalPos(), text, view->viewport(), option.rect);
    return true;
}

} // namespace quillet
