// SPDX-License-Identifier: GPL-3.0-or-later
#include "api_run.h"

#include "batch_script.h"
#include "names/file_name_bytes.h"
#include "platform/platform.h"
#include "release_away.h"
#include "rename_run.h"
#include "run_journal.h"
#include "run_reporter.h"

#include <QCoreApplication>

namespace quillet
{

ApiRun::ApiRun(RenameJob job, Platform& platform, RunReporter& reporter, QObject* parent)
    : RenameWork(parent), m_job(std::move(job)), m_platform(platform), m_reporter(reporter)
{
}

ApiRun::~ApiRun()
{
    // The names of a large folder are freed away from the window.
    ReleaseAway(std::move(m_job.currentNames), /*bReturnMemory=*/true);
    ReleaseAway(std::move(m_job.proposedNames), /*bReturnMemory=*/true);
}

void ApiRun::begin()
{
    QString error;
    m_folder = FolderText(m_job.folderPath, m_platform.separator());
    // One run at a time in a folder, whichever window or interpreter started it.
    m_nCount = qMin(m_job.proposedNames.size(), m_job.currentNames.size());
    m_runFolder = m_platform.openRunFolder(m_folder, m_job.folderIdentity, &error);
    if (m_runFolder)
        m_lock = m_platform.lockFolderForRun(m_folder, &error);
    if (m_lock && !startJournal(&error))
        m_lock.reset();
    if (!m_lock) {
        // Not one file of another folder is touched: nothing was started.
        m_bRefused = true;
        m_reporter.tell(error, QCoreApplication::translate("RenameRun", kErrorTitle),
                        NoticeKind::Error);
        return;
    }
    m_outcome.pairs = m_job.proposedNames.size();
    // The record names each rename by its pair in the job's own lists.
    m_outcome.done = DoneRenames(m_job.currentNames, m_job.proposedNames);
    setTotal(m_nCount);
    m_reporter.setProgressRange(0, double(m_job.proposedNames.size()));
}

bool ApiRun::step(const QDeadlineTimer& deadline)
{
    if (m_bRefused)
        return false;
    // Between slices another program may move the folder away and put something in its
    // place. The renames would still go to the folder held, but the records of the run (and
    // the undo) name the folder by its path: the run stops there.
    if (m_nNext > 0 && !SameFolderAsListed(m_job, m_platform, nullptr)) {
        const QString reason =
            QCoreApplication::translate("RenameRun", "the folder is no longer the one listed");
        for (; m_nNext < m_nCount; ++m_nNext)
            noteFailed(RenameResult::notRenamed(m_folder, m_job.currentNames.at(m_nNext),
                                                m_job.proposedNames.at(m_nNext), reason));
        setProcessed(m_nNext);
        return false;
    }
    const qsizetype nFirst = m_nNext;
    while (m_nNext < m_nCount) {
        if (m_journal && m_nNext == m_nAnnounced)
            announce();
        if (m_nNext == nFirst || m_nNext + 1 == m_nCount)
            m_reporter.setProgressValue(double(m_nNext + 1));
        renamePair(m_nNext++);
        if ((m_nNext & 15) == 0 && deadline.hasExpired())
            break;
    }
    setProcessed(m_nNext);
    return m_nNext < m_nCount;
}

void ApiRun::renamePair(qsizetype nIndex)
{
    const QString& from = m_job.currentNames.at(nIndex);
    const QString& to = m_job.proposedNames.at(nIndex);
    const RenameResult renamed = m_runFolder->rename(from, to);
    if (renamed.ok) {
        QByteArray identity = m_runFolder->fileIdentity(to).value_or(QByteArray());
        if (m_journal)
            m_journal->renamed(identity);
        noteRenamed(RenameResult::renamed(m_folder, from, to, std::move(identity)), nIndex);
        return;
    }
    if (m_journal)
        m_journal->failed();
    noteFailed(RenameResult::notRenamed(m_folder, from, to, renamed.reason));
    if (!m_bShowErrors)
        return;
    m_reporter.setProgressValue(double(nIndex + 1));
    RunNotice notice;
    notice.text = QCoreApplication::translate("RenameRun", "Could not rename \"%1\" to \"%2\": %3.")
                      .arg(DisplayFileName(from), DisplayFileName(to), renamed.reason);
    notice.title = QCoreApplication::translate("RenameRun", kErrorTitle);
    notice.kind = NoticeKind::Problem;
    m_bShowErrors =
        m_reporter.tellFailure(notice, QCoreApplication::translate("RenameRun", kNoMoreErrors));
}

bool ApiRun::startJournal(QString* error)
{
    if (!StartRunJournal(m_nCount, &m_journal, error))
        return false;
    if (!m_journal)
        return true; // a system that keeps no journals
    m_journal->enterFolder(m_folder,
                           m_job.folderIdentity.isEmpty()
                               ? m_platform.folderIdentity(m_folder).value_or(QByteArray())
                               : m_job.folderIdentity);
    return true;
}

void ApiRun::announce()
{
    // The next pairs are written to the journal in one go, before the first of them is
    // renamed: one write for many renames.
    m_nAnnounced = qMin(m_nNext + kAnnouncedAtOnce, m_nCount);
    for (qsizetype i = m_nNext; i < m_nAnnounced; ++i)
        m_journal->intend(m_job.currentNames.at(i), m_job.proposedNames.at(i));
    m_journal->flush();
}

void ApiRun::end()
{
    if (m_bRefused)
        return;
    // The run's renames have all been reported: nothing is left to recover.
    if (m_journal)
        m_journal->remove();
    RunNotice finished;
    finished.text = QCoreApplication::translate("RenameRun", kApiFinished);
    finished.title = QCoreApplication::translate("RenameRun", kApiFinishedTitle);
    finished.kind = NoticeKind::Done;
    if (!m_outcome.failed.isEmpty()) {
        // Failures are never only behind the details: the box counts them.
        finished.text += QLatin1Char('\n') +
                         QCoreApplication::translate("RenameRun", "%1 of %2 were not renamed.")
                             .arg(m_outcome.failed.size())
                             .arg(FilesText(m_outcome.pairs));
        finished.kind = NoticeKind::Problem;
    }
    finished.details = FailureDetails(m_outcome);
    m_lock.reset();
    m_runFolder.reset();
    m_reporter.tell(finished);
    m_reporter.setProgressValue(0);
}

} // namespace quillet
