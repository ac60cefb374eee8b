// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename_job.h"
#include "rename_work.h"

#include <memory>

namespace quillet
{

class FolderRunLock;
class Platform;
class RunFolder;
class RunJournal;
class RunReporter;

// The API method ("&Ok" with "API(slow)"): one Platform::renameInFolder per pair in list
// order, the progress bar ranging 0..N and at i + 1 before pair i (set once a slice: for the
// first pair of each slice, and always for the last pair), a message per failed pair (which
// file, why; with a check box kNoMoreErrors that, once ticked, silences the rest of the run)
// after which the run goes on, then "Finished Renaming Files" and the bar back to 0. When pairs
// failed, the closing box says how many with the warning icon and lists them in its details,
// whether or not the boxes of the single pairs were silenced.
// Before its first rename the run starts a journal (RunJournal) of its pairs, which it
// removes once it has finished; a run cut short leaves it behind, for the next start.
class ApiRun : public RenameWork
{
    Q_OBJECT

public:
    ApiRun(RenameJob job, Platform& platform, RunReporter& reporter, QObject* parent = nullptr);
    ~ApiRun() override;

protected:
    void begin() override;
    bool step(const QDeadlineTimer& deadline) override;
    void end() override;

private:
    void renamePair(qsizetype nIndex);
    bool startJournal(QString* error);
    void announce();

    RenameJob m_job;
    Platform& m_platform;
    RunReporter& m_reporter;
    QString m_folder;
    qsizetype m_nCount = 0;
    qsizetype m_nNext = 0;
    bool m_bShowErrors = true;
    bool m_bRefused = false; // the folder was not the one listed, or another run holds it
    std::unique_ptr<FolderRunLock> m_lock;
    // The listed folder, held from the start: a folder put in its place meanwhile gets none
    // of the renames.
    std::unique_ptr<RunFolder> m_runFolder;
    std::unique_ptr<RunJournal> m_journal; // none on systems that keep no journals
    qsizetype m_nAnnounced = 0;            // the pairs written to the journal so far
};

} // namespace quillet
