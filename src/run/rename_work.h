// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/job.h"
#include "run_outcome.h"

#include <utility>

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
    // The renames that happened, taken out of the outcome (for the record of the run, which
    // keeps them rather than a copy).
    DoneRenames takeDone() { return std::exchange(m_outcome.done, {}); }

signals:
    void renamed(const quillet::RenameResult& rename);
    void failed(const quillet::RenameResult& pair);

protected:
    // pair: the index of the rename's pair in the run's own lists, which the record was made
    // with (see DoneRenames); -1 when its names are other texts.
    void noteRenamed(RenameResult rename, qsizetype pair = -1)
    {
        if (!m_bKeepDone) {
            emit renamed(rename);
            return;
        }
        // A run that knows its pairs makes room for all of them at its first rename, so that its
        // record never moves while the run goes on (identities of one folder are about as long).
        if (m_outcome.done.isEmpty() && m_outcome.pairs > 0)
            m_outcome.done.reserve(m_outcome.pairs, m_outcome.pairs * (rename.identity.size() + 2));
        if (pair >= 0)
            m_outcome.done.appendPair(pair, rename.folder, rename.identity);
        else
            m_outcome.done.append(rename);
        emit renamed(rename);
    }
    void noteFailed(RenameResult pair)
    {
        m_outcome.failed.append(std::move(pair));
        emit failed(m_outcome.failed.constLast());
    }

    RunOutcome m_outcome;
    bool m_bKeepDone = true; // false: renames are reported, not kept in the outcome
};

} // namespace quillet
