// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/job.h"
#include "run_outcome.h"

namespace quillet
{

// A job over rename pairs (a run by either method, an undo). Besides the job's progress it
// reports each rename as it happens, with the file's identity, and each pair that failed,
// so that whoever keeps a record of the renames (the undo) learns only what really happened.
class RenameWork : public Job
{
    Q_OBJECT

public:
    using Job::Job;

    // What the job did so far; complete once finished() was emitted.
    const RunOutcome& outcome() const { return m_outcome; }

signals:
    void renamed(const quillet::RenameResult& rename);
    void failed(const quillet::RenameResult& pair);

protected:
    void noteRenamed(RenameResult rename)
    {
        m_outcome.done.append(std::move(rename));
        emit renamed(m_outcome.done.constLast());
    }
    void noteFailed(RenameResult pair)
    {
        m_outcome.failed.append(std::move(pair));
        emit failed(m_outcome.failed.constLast());
    }

    RunOutcome m_outcome;
};

} // namespace quillet
