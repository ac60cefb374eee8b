// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/message_service.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>

namespace quillet
{

namespace
{

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The text with a break opportunity (a zero-width space) inside every run of more than
// kRun characters without one, such as a long file name: the box then wraps it between
// words like any other text. Without them the box breaks such a run anywhere, and measures
// the lines so broken wrongly, cutting off the end of the text.
QString Breakable(const QString& text)
{
    constexpr qsizetype kRun = 24;
    QString out;
    out.reserve(text.size() + text.size() / kRun);
    qsizetype nRun = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            nRun = 0;
        } else if (++nRun > kRun && !c.isLowSurrogate()) {
            out += QChar(0x200b);
            nRun = 1;
        }
        out += c;
    }
    return out;
}

} // namespace

MessageReply QtMessageService::show(QWidget* parent, const MessageRequest& request)
{
    QMessageBox box(parent);
    box.setTextFormat(Qt::PlainText);
    box.setText(Breakable(request.text));
    box.setWindowTitle(request.title.isEmpty() ? QApplication::applicationDisplayName()
                                               : request.title);
    box.setIcon(request.question && request.icon == MessageIcon::None ? QMessageBox::Question
                                                                      : BoxIcon(request.icon));
    if (!request.detailedText.isEmpty())
        box.setDetailedText(request.detailedText);
    if (!request.checkBoxText.isEmpty())
        box.setCheckBox(new QCheckBox(request.checkBoxText, &box));
    if (request.question) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int button = box.exec();
    MessageReply reply;
    reply.yes = request.question ? button == QMessageBox::Yes : true;
    reply.checked = box.checkBox() && box.checkBox()->isChecked();
    return reply;
}

} // namespace quillet
