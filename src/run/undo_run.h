// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename_work.h"

#include <QList>
#include <memory>

namespace quillet
{

class FolderRunLock;
class Platform;
class RunFolder;
class RunJournal;
class RunReporter;

// The caption of the undo entry: "Undo Last Rename (128 files)", or "Undo Last Rename" when
// there is nothing to undo.
QString UndoCaption(qsizetype count);

// Takes back the renames `done` of the last run: first a question box saying how many files
// get their old names back; on "Yes", in reverse order, each file `to` is renamed back to
// `from` through Platform::renameInFolder (never replacing a file). A file that is no longer
// where the run left it (gone, or another file under its name), or whose old name is taken,
// is skipped. A closing box says how many were restored; its details list the skipped ones
// and why. Like a run, the undo keeps a journal (RunJournal) while it renames. Each file given its
// old name back is reported by renamed() (from its run's new name to its old one), each skipped one
// by failed().
class UndoRun : public RenameWork
{
    Q_OBJECT

public:
    UndoRun(DoneRenames done, Platform& platform, RunReporter& reporter, QObject* parent = nullptr);
    ~UndoRun() override;

    // The renames still not taken back: the skipped ones, or all of them when the user said
    // "No". Complete once finished.
    const DoneRenames& notUndone() const { return m_notUndone; }

    // The user has already said "Yes" to another question (the offer of an interrupted run):
    // the run asks none, and keeps no journal of its own, since the journal of the
    // interrupted run stays until it has ended.
    void setConfirmed() { m_bConfirmed = true; }

protected:
    void begin() override;
    bool step(const QDeadlineTimer& deadline) override;
    void end() override;

private:
    void undoOne(qsizetype i); // the rename i of m_done
    bool startJournal(QString* error);
    void announce();

    DoneRenames m_done;
    Platform& m_platform;
    RunReporter& m_reporter;
    bool m_bAnswered = false;  // the user said "Yes"
    bool m_bConfirmed = false; // no question: the answer is "Yes"
    qsizetype m_nNext = 0;
    QList<qsizetype> m_skipped; // where the skipped ones are in m_done, the last one first
    QStringList m_details;      // of the skipped ones, the last one first
    DoneRenames m_notUndone;
    std::unique_ptr<FolderRunLock> m_lock; // held while the files get their names back
    // The run's folder, held from the answer on: each file is checked and renamed back in
    // the same folder, even when its path is made to lead elsewhere in between.
    std::unique_ptr<RunFolder> m_runFolder;
    std::unique_ptr<RunJournal> m_journal;
    qsizetype m_nAnnounced = 0; // the renames written to the journal so far
    QString m_journalFolder;    // the folder the journal names last
};

// The undo run to its end at once (UndoRun, for callers without an event loop). Returns the
// renames still not taken back.
DoneRenames UndoRenames(const DoneRenames& done, Platform& platform, RunReporter& reporter);

} // namespace quillet
