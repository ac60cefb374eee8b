// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "run/run_reporter.h"
#include "ui/message_service.h"

namespace quillet
{

// The message box that shows a run's notice: its weight picks the icon.
inline MessageRequest NoticeBox(const RunNotice& notice)
{
    MessageRequest request;
    request.text = notice.text;
    request.title = notice.title;
    request.detailedText = notice.details;
    switch (notice.kind) {
    case NoticeKind::Plain:
        request.icon = MessageIcon::None;
        break;
    case NoticeKind::Done:
        request.icon = MessageIcon::Information;
        break;
    case NoticeKind::Problem:
        request.icon = MessageIcon::Warning;
        break;
    case NoticeKind::Error:
        request.icon = MessageIcon::Critical;
        break;
    }
    return request;
}

// A run's question as a box with "Yes" and "No".
inline MessageRequest QuestionBox(const RunNotice& question)
{
    MessageRequest request = NoticeBox(question);
    request.question = true;
    return request;
}

// A failure as a box with a check box to hear of no more of them.
inline MessageRequest FailureBox(const RunNotice& notice, const QString& silenceText)
{
    MessageRequest request = NoticeBox(notice);
    request.checkBoxText = silenceText;
    return request;
}

} // namespace quillet
