#pragma once

#include "run/run_reporter.h"

#include <QString>

class QWidget;

namespace quillet
{

// Modal message boxes with an OK button. The window shows every message through this
// interface, so tests replace it and never wait on a box.
class MessageService
{
public:
    virtual ~MessageService() = default;
    // Returns when the user has closed the box. An empty title shows the application's
    // default title.
    virtual void show(QWidget* parent, const QString& text, const QString& title,
                      MessageIcon icon) = 0;
};

// The real boxes, QMessageBox.
class QtMessageService : public MessageService
{
public:
    void show(QWidget* parent, const QString& text, const QString& title,
              MessageIcon icon) override;
};

} // namespace quillet
