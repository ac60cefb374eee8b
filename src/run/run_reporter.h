// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

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

// What a rename run needs of the window: message boxes and the progress bar. The window
// implements it; tests replace it.
class RunReporter
{
public:
    virtual ~RunReporter() = default;

    // Shows a modal message box and returns when it is closed.
    virtual MessageReply showMessage(const MessageRequest& request) = 0;

    // A box with an OK button, a text and an icon. An empty title means the application's
    // default title.
    void showMessage(const QString& text, const QString& title, MessageIcon icon)
    {
        showMessage(MessageRequest{text, title, icon, {}, {}, false});
    }

    virtual void setProgressRange(double minimum, double maximum) = 0;
    virtual void setProgressValue(double value) = 0;
};

} // namespace quillet
