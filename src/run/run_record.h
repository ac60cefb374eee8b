// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "run_outcome.h"

#include <QList>
#include <QObject>

namespace quillet
{

class RenameWork;
class UndoRun;

// What the last run really renamed, for its undo. It listens to the runs themselves: only a
// rename that happened and changed the name enters the record (a name left as it was moved
// nothing), and a run that renamed nothing leaves the record of the run before it.
// An undo leaves in the record what it could not take back.
class RunRecord : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Records the renames of run; its record replaces the last one once it has finished.
    void watchRun(RenameWork* run);
    // The record afterwards is what undo could not take back.
    void watchUndo(UndoRun* undo);

    const DoneRenames& lastRun() const { return m_lastRun; }
    // False after a run that did not tell what it renamed (the Shell method on Windows).
    bool known() const { return m_bKnown; }

signals:
    void changed();

private:
    void replace(DoneRenames renames);

    DoneRenames m_lastRun;
    bool m_bKnown = true;
};

} // namespace quillet
