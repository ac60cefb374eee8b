// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace quillet
{

// The icon of a message box.
enum class MessageIcon { None, Information, Warning, Critical };

// One modal message box.
struct MessageRequest {
    QString text;
    QString title; // empty: the application's default title
    MessageIcon icon = MessageIcon::None;
    QString detailedText;  // behind "Show Details..." when not empty
    QString checkBoxText;  // a check box under the text when not empty, unticked at first
    bool question = false; // "Yes" and "No" instead of "OK"
};

// How the user closed a message box.
struct MessageReply {
    bool yes = true;      // "OK" or "Yes"; false for "No" or a box closed otherwise
    bool checked = false; // the state of the check box
};

// Modal message boxes. The window shows every message through this interface, so tests
// replace it and never wait on a box.
class MessageService
{
public:
    virtual ~MessageService() = default;
    // Returns when the user has closed the box, with the button and the check box state.
    virtual MessageReply show(QWidget* parent, const MessageRequest& request) = 0;

    // A box with an OK button. An empty title shows the application's default title.
    void show(QWidget* parent, const QString& text, const QString& title, MessageIcon icon)
    {
        show(parent, MessageRequest{text, title, icon, {}, {}, false});
    }
};

// The real boxes, QMessageBox.
class QtMessageService : public MessageService
{
public:
    using MessageService::show;
    MessageReply show(QWidget* parent, const MessageRequest& request) override;
};

} // namespace quillet
