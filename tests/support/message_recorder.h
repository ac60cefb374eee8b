// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one stand-in for message boxes and the progress bar: it records every box a run or the
// window shows, with the bar's value at that moment, and answers it at once.

#include "run/run_reporter.h"
#include "ui/message_service.h"
#include "ui/run_notice_box.h"

#include <QList>
#include <functional>

namespace quillet::test
{

struct ShownMessage : MessageRequest {
    double progressShown = -1; // the bar's value while the box is open
};

class MessageRecorder : public RunReporter, public MessageService
{
public:
    // A run's notices are recorded as the boxes the window would show for them.
    using RunReporter::tell;
    void tell(const RunNotice& notice) override { showMessage(NoticeBox(notice)); }
    bool ask(const RunNotice& question) override { return showMessage(QuestionBox(question)).yes; }
    bool tellFailure(const RunNotice& notice, const QString& silenceText) override
    {
        return !showMessage(FailureBox(notice, silenceText)).checked;
    }

    MessageReply showMessage(const MessageRequest& request)
    {
        ShownMessage message;
        static_cast<MessageRequest&>(message) = request;
        message.progressShown = value;
        shown.append(message);
        if (onShow)
            onShow();
        return reply ? reply(request) : MessageReply();
    }
    using MessageService::show;
    MessageReply show(QWidget*, const MessageRequest& request) override
    {
        return showMessage(request);
    }
    void setProgressRange(double min, double max) override
    {
        rangeMin = min;
        rangeMax = max;
        ++rangeCalls;
    }
    void setProgressValue(double v) override
    {
        value = v;
        ++valueCalls;
    }

    QList<ShownMessage> shown;
    std::function<void()> onShow;                             // runs while the "box" is open
    std::function<MessageReply(const MessageRequest&)> reply; // how the "user" closes it
    double rangeMin = -1;
    double rangeMax = -1;
    double value = -1;
    int rangeCalls = 0;
    int valueCalls = 0;
};

} // namespace quillet::test
