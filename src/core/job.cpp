// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/job.h"

namespace quillet
{

Job::Job(QObject* parent) : QObject(parent)
{
    m_next.setSingleShot(true);
    m_next.setInterval(0);
    connect(&m_next, &QTimer::timeout, this, &Job::runSlice);
}

void Job::start()
{
    if (m_bRunning || m_bFinished)
        return;
    m_bRunning = true;
    // The first slice runs at once, in the handler that started the job: a short job is
    // done when start() returns, and a long one has shown its first progress.
    runSlice();
}

void Job::exec()
{
    if (m_bFinished)
        return;
    m_next.stop();
    m_bRunning = true;
    m_bInline = true;
    while (m_bRunning)
        runSlice();
}

void Job::setProcessed(qsizetype nProcessed)
{
    m_nProcessed = nProcessed;
    emit progress(m_nProcessed, m_nTotal);
}

void Job::resume()
{
    m_bPaused = false;
    if (m_bRunning && !m_bInline && !m_next.isActive())
        m_next.start();
}

void Job::runSlice()
{
    if (!m_bBegun) {
        m_bBegun = true;
        begin();
    }
    if (step(QDeadlineTimer(kSliceMs))) {
        if (!m_bInline && !m_bPaused)
            m_next.start();
        return;
    }
    end();
    m_bRunning = false;
    m_bFinished = true;
    emit finished();
}

} // namespace quillet
