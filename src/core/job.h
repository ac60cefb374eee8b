// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>

namespace quillet
{

// A long piece of work (a rename run, an undo, a search and replace) that runs in slices
// from the event loop, so the window keeps painting while it goes on and nothing pumps the
// event loop from inside. A slice works until its deadline and hands back; the next slice
// is scheduled only when the slice has returned, so a modal box shown inside a slice holds
// the job where it is.
//
// start() runs the first slice at once and the others from the event loop, so a short job is
// done when start() returns; exec() runs every slice at once, for callers without an event
// loop (the command line, tests, benchmarks).
// progress() follows each slice, finished() is emitted once, after the last one.
class Job : public QObject
{
    Q_OBJECT

public:
    explicit Job(QObject* parent = nullptr);

    void start();
    void exec();

    bool isRunning() const { return m_bRunning; }
    bool isFinished() const { return m_bFinished; }
    qsizetype processed() const { return m_nProcessed; }
    qsizetype total() const { return m_nTotal; }

    // How long one slice works before the event loop gets its turn. A paint asked for during a
    // slice can wait for the next slice too (its timer fires in the same turn of the event
    // loop as the request): two slices must fit in the 50 ms the window may go without paint.
    static constexpr int kSliceMs = 20;

signals:
    void progress(qsizetype nProcessed, qsizetype nTotal);
    void finished();

protected:
    // Runs once, before the first slice.
    virtual void begin() {}
    // Works until the deadline has passed or the work is done; returns whether work is left.
    virtual bool step(const QDeadlineTimer& deadline) = 0;
    // Runs once, after the last slice and before finished().
    virtual void end() {}

    // A job that waits for something outside (a process) pauses after its slice; resume()
    // schedules the next slice. Only jobs started with start() may wait.
    void pause() { m_bPaused = true; }
    void resume();

    void setTotal(qsizetype nTotal) { m_nTotal = nTotal; }
    void setProcessed(qsizetype nProcessed);

private:
    void runSlice();

    QTimer m_next;
    bool m_bBegun = false;
    bool m_bPaused = false;
    bool m_bInline = false; // exec(): the slices run one after the other, here
    bool m_bRunning = false;
    bool m_bFinished = false;
    qsizetype m_nProcessed = 0;
    qsizetype m_nTotal = 0;
};

} // namespace quillet
