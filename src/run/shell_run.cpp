// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell_run.h"

#include "platform/platform.h"
#include "platform/script_report.h"
#include "platform/script_run.h"
#include "release_away.h"
#include "rename_run.h"
#include "run_journal.h"
#include "undo_run.h"

namespace quillet
{

ShellRun::ShellRun(RenameJob job, Platform& platform, RunReporter& reporter, QObject* parent)
    : RenameWork(parent), m_job(std::move(job)), m_platform(platform), m_reporter(reporter)
{
}

ShellRun::~ShellRun()
{
    // The window is closing: the script being written is let finish and is not started.
    if (m_writer.joinable())
        m_writer.join();
    // The interpreter is let finish, and a run that ended while the program lived was not
    // interrupted. What it reports meanwhile is no longer taken: this run is half gone.
    if (m_run)
        m_run->disconnect(this);
    m_run.reset();
    RemoveEndedJournal(m_journalPath);
    // The names of a large folder are freed away from the window.
    ReleaseAway(std::move(m_job.currentNames), /*bReturnMemory=*/true);
    ReleaseAway(std::move(m_job.proposedNames), /*bReturnMemory=*/true);
}

void ShellRun::begin()
{
    m_outcome.pairs = m_job.proposedNames.size();
    // The record names each rename by its pair in the job's own lists.
    m_outcome.done = DoneRenames(m_job.currentNames, m_job.proposedNames);
    setTotal(m_job.proposedNames.size());
    const std::optional<ShellScriptPlan> plan =
        PlanShellRun(m_job, m_platform, m_reporter, /*bJournal=*/true);
    if (!plan)
        return;
    m_journalPath = plan->journalPath;
    // The script of a large folder takes a while to compose and write: that is done on a
    // thread of its own while the window goes on painting, and the run goes on once written.
    m_writer = std::thread([this, folder = plan->scriptFolder] {
        WrittenScript script = WriteShellScript(m_job, m_platform, folder);
        QMetaObject::invokeMethod(
            this, [this, script = std::move(script)] { startScript(script); },
            Qt::QueuedConnection);
    });
}

void ShellRun::startScript(const WrittenScript& script)
{
    m_writer.join();
    m_run = StartShellScript(m_job, m_platform, m_reporter, script, m_journalPath);
    if (m_run) {
        // The records are taken as they come, while the interpreter runs on, so that little
        // is left to do once it has ended.
        connect(m_run.get(), &ScriptRun::resultsAdded, this, &ShellRun::takeResults);
        connect(m_run.get(), &ScriptRun::finished, this, &ShellRun::resume, Qt::QueuedConnection);
    }
    resume();
}

void ShellRun::takeResults()
{
    QList<ScriptLineResult> results = m_run->takeResults();
    for (ScriptLineResult& result : results) {
        if (result.kind == ScriptLineResult::Kind::LineError) {
            m_outcome.otherErrors.append(ScriptLineErrorText(result));
            continue;
        }
        // The script has one rename line per pair, in order. The names a record gives back
        // are its pair's: the pair's own texts are kept rather than a second copy of each.
        RenameResult& rename = result.rename;
        const qsizetype i = m_nReported++;
        bool bPair = true;
        if (i < m_job.currentNames.size() && rename.from == m_job.currentNames.at(i))
            rename.from = m_job.currentNames.at(i);
        else
            bPair = false;
        if (i < m_job.proposedNames.size() && rename.to == m_job.proposedNames.at(i))
            rename.to = m_job.proposedNames.at(i);
        else
            bPair = false;
        if (result.kind == ScriptLineResult::Kind::Failed) {
            noteFailed(std::move(rename));
            continue;
        }
        // The interpreter sends the file's identity when it took it for its journal.
        if (rename.identity.isEmpty())
            rename.identity =
                m_platform.fileIdentity(rename.folder, rename.to).value_or(QByteArray());
        noteRenamed(std::move(rename), bPair ? i : -1);
    }
}

bool ShellRun::step(const QDeadlineTimer&)
{
    if (!m_writer.joinable() && (!m_run || !m_run->isRunning()))
        return false;
    pause(); // until the script is written, then until the interpreter has ended
    return true;
}

void ShellRun::end()
{
    if (!m_run) {
        m_outcome.pairs = 0; // nothing was started
        return;
    }
    m_outcome.known = m_run->outcomeKnown();
    if (m_outcome.known) {
        takeResults();
        RunOutcome rest;
        FinishScriptOutcome(m_job, *m_run, m_nReported, rest);
        for (RenameResult& pair : rest.failed)
            noteFailed(std::move(pair));
        m_outcome.otherErrors += rest.otherErrors;
    }
    // The run's renames have all been reported: nothing is left to recover.
    RemoveEndedJournal(m_journalPath);
    setProcessed(m_outcome.done.size() + m_outcome.failed.size());
    ReportScriptOutcome(m_outcome, m_reporter);
}

} // namespace quillet
