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

} // namespace

MessageReply QtMessageService::show(QWidget* parent, const MessageRequest& request)
{
    QMessageBox box(parent);
    box.setText(request.text);
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
