// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell_run.h"

#include "platform/script_report.h"
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
    if (!m_run)
        return;
    // The records are taken as they come, while the interpreter runs on, so that little is
    // left to do once it has ended.
    connect(m_run.get(), &ScriptRun::resultsAdded, this, &ShellRun::takeResults);
    connect(m_run.get(), &ScriptRun::finished, this, &ShellRun::resume, Qt::QueuedConnection);
}

void ShellRun::takeResults()
{
    RunOutcome part;
    m_nReported += AddScriptResults(m_run->takeResults(), part);
    for (RenameResult& rename : part.done) {
        // Every rename of a run acts in one folder: one text for all of them.
        if (rename.folder == m_folder)
            rename.folder = m_folder;
        else
            m_folder = rename.folder;
    }
    NoteIdentities(part.done, m_platform);
    for (RenameResult& rename : part.done)
        noteRenamed(std::move(rename));
    for (RenameResult& pair : part.failed)
        noteFailed(std::move(pair));
    m_outcome.otherErrors += part.otherErrors;
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
    if (std::unique_ptr<FoundJournal> journal = ReadJournal(m_journalPath))
        journal->remove();
    setProcessed(m_outcome.done.size() + m_outcome.failed.size());
    ReportScriptOutcome(m_outcome, m_reporter);
}

} // namespace quillet
