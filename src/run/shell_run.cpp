// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell_run.h"

#include "platform/script_run.h"
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
    // The window is closing: the interpreter is let finish, and a run that ended while the
    // program lived was not interrupted.
    m_run.reset();
    if (std::unique_ptr<FoundJournal> journal = ReadJournal(m_journalPath))
        journal->remove();
}

void ShellRun::begin()
{
    m_outcome.pairs = m_job.proposedNames.size();
    setTotal(m_job.proposedNames.size());
    m_run = RunShellMethod(m_job, m_platform, m_reporter, &m_journalPath);
    if (m_run)
        connect(m_run.get(), &ScriptRun::finished, this, &ShellRun::resume, Qt::QueuedConnection);
}

bool ShellRun::step(const QDeadlineTimer&)
{
    if (!m_run || !m_run->isRunning())
        return false;
    pause(); // until the interpreter has ended
    return true;
}

void ShellRun::end()
{
    if (!m_run) {
        m_outcome.pairs = 0; // nothing was started
        return;
    }
    RunOutcome outcome = ScriptRunOutcome(m_job, *m_run);
    NoteIdentities(outcome.done, m_platform);
    m_outcome.known = outcome.known;
    m_outcome.otherErrors = outcome.otherErrors;
    for (RenameResult& rename : outcome.done)
        noteRenamed(std::move(rename));
    for (RenameResult& pair : outcome.failed)
        noteFailed(std::move(pair));
    // The run's renames have all been reported: nothing is left to recover.
    if (std::unique_ptr<FoundJournal> journal = ReadJournal(m_journalPath))
        journal->remove();
    setProcessed(m_outcome.done.size() + m_outcome.failed.size());
    ReportScriptOutcome(m_outcome, m_reporter);
}

} // namespace quillet
