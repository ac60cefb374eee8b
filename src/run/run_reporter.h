// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillet
{

// How much a notice of a run weighs. The window chooses how to show it from this.
enum class NoticeKind {
    Plain,   // a plain statement, such as "the script was started"
    Done,    // the work is done as asked
    Problem, // the work is done in part, or a question with a risk in it
    Error    // nothing was done
};

// What a run tells the user, or asks: a refusal, a failed rename, a closing count.
struct RunNotice {
    QString text;
    QString title; // empty: the application's default title
    NoticeKind kind = NoticeKind::Plain;
    QString details; // the full list behind the text, when not empty
};

// What a rename run needs of the window: someone to tell and to ask, and a progress bar. The
// window implements it; tests replace it. Each call returns once the user has answered.
class RunReporter
{
public:
    virtual ~RunReporter() = default;

    virtual void tell(const RunNotice& notice) = 0;
    void tell(const QString& text, const QString& title, NoticeKind kind)
    {
        tell(RunNotice{text, title, kind, {}});
    }

    // A yes-or-no question; true for yes.
    virtual bool ask(const RunNotice& question) = 0;

    // Tells of one failure, offering `silenceText` as the choice to hear of no more of them.
    // Returns whether to go on telling of the next failures.
    virtual bool tellFailure(const RunNotice& notice, const QString& silenceText) = 0;

    virtual void setProgressRange(double minimum, double maximum) = 0;
    virtual void setProgressValue(double value) = 0;
};

} // namespace quillet
