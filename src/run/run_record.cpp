// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_record.h"

#include "rename_work.h"
#include "undo_run.h"

#include <memory>

namespace quillet
{

void RunRecord::watchRun(RenameWork* run)
{
    auto renames = std::make_shared<QList<RenameResult>>();
    connect(run, &RenameWork::renamed, this, [renames](const RenameResult& rename) {
        if (rename.from != rename.to)
            renames->append(rename);
    });
    connect(run, &RenameWork::finished, this, [this, run, renames] {
        const bool bKnown = run->outcome().known;
        if (bKnown && renames->isEmpty())
            return;
        m_lastRun = std::move(*renames);
        m_bKnown = bKnown;
        emit changed();
    });
}

void RunRecord::watchUndo(UndoRun* undo)
{
    connect(undo, &RenameWork::finished, this, [this, undo] {
        m_lastRun = undo->notUndone();
        m_bKnown = true;
        emit changed();
    });
}

} // namespace quillet
