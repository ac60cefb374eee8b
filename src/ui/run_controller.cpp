// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/run_controller.h"

#include "core/job.h"
#include "run/api_run.h"
#include "run/interrupted_run.h"
#include "run/release_away.h"
#include "run/rename_run.h"
#include "run/shell_run.h"
#include "run/undo_run.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace quillet
{

RunController::RunController(QWidget* window, MessageService* messages, Platform* platform,
                             QProgressBar* bar)
    : QObject(window), m_window(window), m_platform(platform), m_reporter(window, messages, bar)
{
    m_undoAction = new QAction(window);
    m_undoAction->setObjectName(QStringLiteral("actUndoLastRename"));
    m_undoAction->setShortcut(QKeySequence::Undo);
    m_undoAction->setShortcutContext(Qt::WindowShortcut);
    window->addAction(m_undoAction);
    connect(m_undoAction, &QAction::triggered, this, &RunController::Undo);
    connect(&m_record, &RunRecord::changed, this, &RunController::UpdateUndoAction);
    UpdateUndoAction();
}

RunController::~RunController()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void RunController::Hold(Job* job, std::function<void()> whenDone)
{
    job->setParent(this);
    m_holding = job;
    // What the job held is given back to the system once it is gone.
    connect(job, &QObject::destroyed, this, [] { ReturnFreedMemoryAway(); });
    qApp->installEventFilter(this);
    UpdateUndoAction();
    connect(job, &Job::finished, this, [this, job, whenDone = std::move(whenDone)] {
        if (m_holding == job) {
            m_holding = nullptr;
            qApp->removeEventFilter(this);
        }
        if (whenDone)
            whenDone();
        job->deleteLater();
        UpdateUndoAction();
        emit jobFinished();
    });
    job->start();
}

void RunController::Run(bool bShell, const RenameJob& pairs)
{
    if (!bShell) {
        auto* run = new ApiRun(pairs, *m_platform, m_reporter);
        m_record.watchRun(run);
        Hold(run, {});
        return;
    }
    auto* run = new ShellRun(pairs, *m_platform, m_reporter, this);
    m_shell = run;
    m_record.watchRun(run);
    connect(run, &QObject::destroyed, this, [] { ReturnFreedMemoryAway(); });
    connect(run, &Job::finished, this, [this, run] {
        if (m_shell == run)
            m_shell = nullptr;
        run->deleteLater();
        UpdateUndoAction();
        emit jobFinished();
    });
    UpdateUndoAction();
    run->start();
}

void RunController::WriteBatch(const RenameJob& pairs)
{
    WriteBatchForReview(pairs, *m_platform, m_reporter, &m_lastBatch);
}

void RunController::Undo()
{
    if (m_record.lastRun().isEmpty() || Busy() || ScriptRunning())
        return;
    auto* undo = new UndoRun(m_record.lastRun(), *m_platform, m_reporter);
    m_record.watchUndo(undo);
    Hold(undo, {});
}

void RunController::OfferInterruptedRuns(std::function<void()> whenGivenBack)
{
    QString error;
    const std::optional<QString> folder = JournalFolder(&error);
    if (!folder || folder->isEmpty() || Busy())
        return;
    std::optional<InterruptedRun> run = NextInterruptedRun(*folder, *m_platform, m_offeredJournals);
    if (!run)
        return;
    m_offeredJournals.append(run->journal->path());
    const auto next = [this, whenGivenBack] {
        QTimer::singleShot(0, this, [this, whenGivenBack] { OfferInterruptedRuns(whenGivenBack); });
    };
    const RunNotice question{InterruptedRunQuestion(*run),
                             QCoreApplication::translate("RenameRun", kErrorTitle),
                             NoticeKind::Problem,
                             {}};
    if (!m_reporter.ask(question)) {
        run->journal->remove(); // the renames stay
        next();
        return;
    }
    auto* undo = new UndoRun(run->done, *m_platform, m_reporter);
    undo->setConfirmed();
    std::shared_ptr<FoundJournal> journal = std::move(run->journal);
    // Removed as soon as every file was dealt with, before the closing box; kept when the
    // undo could not start (another run holds the folder): offered again at the next start.
    connect(undo, &Job::progress, this, [journal](qsizetype nProcessed, qsizetype nTotal) {
        if (nProcessed == nTotal)
            journal->remove();
    });
    Hold(undo, [whenGivenBack, next] {
        if (whenGivenBack)
            whenGivenBack();
        next();
    });
}

void RunController::UpdateUndoAction()
{
    m_undoAction->setText(UndoCaption(m_record.lastRun().size()));
    m_undoAction->setEnabled(!m_record.lastRun().isEmpty() && !Busy() && !ScriptRunning());
    m_undoAction->setToolTip(
        m_record.known() ? QString()
                         : tr("The Shell method on this system does not tell which files it "
                              "renamed, so its run cannot be undone."));
}

bool RunController::eventFilter(QObject* watched, QEvent* event)
{
    // While a job holds the window, no click or key reaches it (the boxes the job shows are
    // windows of their own); painting and everything else go on.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (m_holding && widget && widget->window() == m_window)
            return true;
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quillet
