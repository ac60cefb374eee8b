// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "run/run_reporter.h"

#include <QString>

class QWidget;

namespace quillet
{

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
