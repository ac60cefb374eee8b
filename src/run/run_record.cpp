// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_record.h"

#include "release_away.h"
#include "rename_work.h"
#include "undo_run.h"

#include <utility>

namespace quillet
{

void RunRecord::watchRun(RenameWork* run)
{
    connect(run, &RenameWork::finished, this, [this, run] {
        const bool bKnown = run->outcome().known;
        // The run's own list is taken, not copied: a large run's record is large.
        DoneRenames renames = run->takeDone();
        renames.removeUnchanged();
        renames.trim();
        if (bKnown && renames.isEmpty())
            return;
        replace(std::move(renames));
        m_bKnown = bKnown;
        emit changed();
    });
}

void RunRecord::watchUndo(UndoRun* undo)
{
    connect(undo, &RenameWork::finished, this, [this, undo] {
        replace(undo->notUndone());
        m_bKnown = true;
        emit changed();
    });
}

void RunRecord::replace(DoneRenames renames)
{
    ReleaseAway(std::exchange(m_lastRun, std::move(renames)), /*bReturnMemory=*/true);
}

} // namespace quillet
