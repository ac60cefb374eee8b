// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/job.h"
#include "run/rename_job.h"
#include "run/run_record.h"
#include "run/shell_run.h"
#include "ui/window_run_reporter.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class QAction;
class QProgressBar;
class QWidget;

namespace quillet
{

class MessageService;
class Platform;

// The runs of the window and their undo: which job holds the window, the Shell run whose
// interpreter is still watched, the record of the last run and the undo entry.
//
// A job that holds the window (an API run, an undo, a search and replace) keeps every click
// and key away from the window until it has finished, while the window goes on painting;
// closing the window waits for it. A Shell run holds the window only while its script is
// written and started; its interpreter is then watched in the background.
class RunController : public QObject
{
    Q_OBJECT

public:
    RunController(QWidget* window, MessageService* messages, Platform* platform, QProgressBar* bar);
    ~RunController() override;

    // Whether a job holds the window.
    bool Busy() const { return m_holding != nullptr; }
    // Whether a Shell run's interpreter is still running or its outcome not yet read.
    bool ScriptRunning() const { return m_shell != nullptr; }

    // "&Ok": the run of pairs by the Shell or the API method.
    void Run(bool bShell, const RenameJob& pairs);
    // "&Batch File".
    void WriteBatch(const RenameJob& pairs);
    // Holds the window while job runs; whenDone runs after it has finished.
    void Hold(Job* job, std::function<void()> whenDone);

    // At start-up: for each run that was interrupted (its journal left behind), asks whether
    // the files it renamed get their old names back; "Yes" gives them back with the checks of
    // the undo, then runs whenGivenBack; either answer removes the journal. One box at a time.
    void OfferInterruptedRuns(std::function<void()> whenGivenBack);

    // "Undo Last Rename": Ctrl+Z in the window and the context menu of both name lists.
    QAction* UndoAction() const { return m_undoAction; }
    const RunRecord& Record() const { return m_record; }

signals:
    // A job has finished (the window may be held no longer).
    void jobFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Undo();
    void UpdateUndoAction();

    QWidget* m_window;
    Platform* m_platform;
    WindowRunReporter m_reporter;
    RunRecord m_record;
    QPointer<Job> m_holding; // the job that holds the window
    QPointer<ShellRun> m_shell;
    QAction* m_undoAction = nullptr;
    std::optional<QByteArray> m_lastBatch; // the script "&Batch File" wrote last
    QStringList m_offeredJournals;         // offered once in this start, whatever came of it
};

} // namespace quillet
