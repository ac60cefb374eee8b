#pragma once

#include <QString>

namespace quillet
{

// The icon of a message box.
enum class MessageIcon { None, Information, Warning, Critical };

// What a rename run needs of the window: message boxes and the progress bar. The window
// implements it; tests replace it.
class RunReporter
{
public:
    virtual ~RunReporter() = default;

    // Shows a modal message box with an OK button and returns when it is closed. An empty
    // title means the application's default title.
    virtual void showMessage(const QString& text, const QString& title, MessageIcon icon) = 0;

    virtual void setProgressRange(double minimum, double maximum) = 0;
    virtual void setProgressValue(double value) = 0;

    // Lets the window repaint during a long run (the run never hands control back otherwise).
    virtual void keepResponsive() = 0;
};

} // namespace quillet
