// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "run/run_reporter.h"
#include "ui/message_service.h"
#include "ui/run_notice_box.h"

#include <QProgressBar>

namespace quillet
{

// Sets a progress bar's range. An empty range (maximum not above the minimum) shows an
// empty bar instead of the busy indicator that QProgressBar draws for it.
inline void SetProgressRange(QProgressBar* bar, double dMinimum, double dMaximum)
{
    const int nMinimum = int(dMinimum);
    const int nMaximum = int(dMaximum);
    bar->setRange(nMinimum, nMaximum > nMinimum ? nMaximum : nMinimum + 1);
}

// The window's side of a rename run: messages through the window's message service and
// the progress bar.
class WindowRunReporter : public RunReporter
{
public:
    WindowRunReporter(QWidget* window, MessageService* messages, QProgressBar* bar)
        : m_window(window), m_messages(messages), m_bar(bar)
    {
    }
    using RunReporter::tell;
    void tell(const RunNotice& notice) override { m_messages->show(m_window, NoticeBox(notice)); }
    bool ask(const RunNotice& question) override
    {
        return m_messages->show(m_window, QuestionBox(question)).yes;
    }
    bool tellFailure(const RunNotice& notice, const QString& silenceText) override
    {
        return !m_messages->show(m_window, FailureBox(notice, silenceText)).checked;
    }
    void setProgressRange(double dMinimum, double dMaximum) override
    {
        SetProgressRange(m_bar, dMinimum, dMaximum);
    }
    void setProgressValue(double dValue) override { m_bar->setValue(int(dValue)); }

private:
    QWidget* m_window;
    MessageService* m_messages;
    QProgressBar* m_bar;
};

} // namespace quillet
