// The rename buttons, the watch over the Shell run's interpreter and the undo of the last run.

#include "run/platform/platform.h"
#include "run/rename_run.h"
#include "run/undo_run.h"
#include "ui/form1.h"
#include "ui/window_run_reporter.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QListView>
#include <QMenu>
#include <QRadioButton>

namespace quillet
{

RenameJob Form1::CurrentJob() const
{
    // The folder in the platform's own spelling: the run appends its separator to it.
    return {QDir::toNativeSeparators(m_file1.Path()), m_currentNames.Names(),
            m_proposedNames.Names()};
}

bool Form1::ScriptRunning() const
{
    // The run is kept until its outcome has been read.
    return m_scriptRun != nullptr;
}

void Form1::OnOkClicked()
{
    if (m_bRunning)
        return;
    if (ScriptRunning()) {
        // The lists may still show names the running interpreter is changing.
        ShowMessage(tr("The previous rename run is still going on. Nothing was started; try "
                       "again when it has finished."),
                    tr("Rename"), MessageIcon::Information);
        return;
    }
    const RenameJob job = CurrentJob();
    WindowRunReporter reporter(this, m_services.messages, ProgressBar1);
    m_bRunning = true;
    UpdateUndoAction();
    if (Option1->isChecked()) {
        std::unique_ptr<ScriptRun> run = RunShellMethod(job, *m_services.platform, reporter);
        m_bRunning = false;
        if (run) {
            m_scriptJob = job;
            m_scriptRun = std::move(run);
            connect(m_scriptRun.get(), &ScriptRun::finished, this, &Form1::OnScriptFinished,
                    Qt::QueuedConnection);
            // It may have ended while "Rename Finished!" was open, before the connection.
            if (!m_scriptRun->isRunning())
                OnScriptFinished();
        }
    } else {
        const RunOutcome outcome = RunApiMethod(job, *m_services.platform, reporter);
        m_bRunning = false;
        TakeUndoRecord(outcome);
    }
    UpdateUndoAction();
}

void Form1::OnScriptFinished()
{
    if (!m_scriptRun || m_scriptRun->isRunning())
        return; // already read (a queued signal after the direct read)
    const std::unique_ptr<ScriptRun> run = std::move(m_scriptRun);
    RunOutcome outcome = ScriptRunOutcome(m_scriptJob, *run);
    NoteIdentities(outcome.done, *m_services.platform);
    m_scriptJob = RenameJob();
    TakeUndoRecord(outcome);
    UpdateUndoAction();
    WindowRunReporter reporter(this, m_services.messages, ProgressBar1);
    ReportScriptOutcome(outcome, reporter);
}

void Form1::OnBatchFileClicked()
{
    if (m_bRunning)
        return;
    const RenameJob job = CurrentJob();
    WindowRunReporter reporter(this, m_services.messages, ProgressBar1);
    WriteBatchForReview(job, *m_services.platform, reporter);
}

// ---- Undo ----------------------------------------------------------------------------

void Form1::ConnectUndo()
{
    m_undoAction = new QAction(this);
    m_undoAction->setObjectName(QStringLiteral("actUndoLastRename"));
    m_undoAction->setShortcut(QKeySequence::Undo);
    m_undoAction->setShortcutContext(Qt::WindowShortcut);
    addAction(m_undoAction);
    connect(m_undoAction, &QAction::triggered, this, &Form1::OnUndo);
    for (QListView* list : {lstNewFileName, lstOldFileName}) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, list](const QPoint& pos) { ShowUndoMenu(list, pos); });
    }
    UpdateUndoAction();
}

void Form1::TakeUndoRecord(const RunOutcome& outcome)
{
    // A run that renamed nothing (say a second "&Ok" over names the lists still show from
    // before) leaves the renames before it to undo.
    if (outcome.known && outcome.done.isEmpty())
        return;
    m_lastRun = outcome.done;
    m_bLastRunKnown = outcome.known;
}

void Form1::ShowUndoMenu(QListView* list, const QPoint& pos)
{
    QMenu menu(this);
    menu.setToolTipsVisible(true); // the reason the entry is disabled
    menu.addAction(m_undoAction);
    menu.exec(list->viewport()->mapToGlobal(pos));
}

void Form1::UpdateUndoAction()
{
    m_undoAction->setText(UndoCaption(m_lastRun.size()));
    m_undoAction->setEnabled(!m_lastRun.isEmpty() && !m_bRunning && !ScriptRunning());
    m_undoAction->setToolTip(
        m_bLastRunKnown ? QString()
                        : tr("The Shell method on this system does not tell which files it "
                             "renamed, so its run cannot be undone."));
}

void Form1::OnUndo()
{
    if (m_lastRun.isEmpty() || m_bRunning || ScriptRunning())
        return;
    WindowRunReporter reporter(this, m_services.messages, ProgressBar1);
    m_bRunning = true;
    UpdateUndoAction();
    m_lastRun = UndoRenames(m_lastRun, *m_services.platform, reporter);
    m_bRunning = false;
    UpdateUndoAction();
}

void Form1::closeEvent(QCloseEvent* event)
{
    // A run goes on to its closing message; the window closes after it.
    if (m_bRunning) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

} // namespace quillet
