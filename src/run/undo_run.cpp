// SPDX-License-Identifier: GPL-3.0-or-later
#include "undo_run.h"

#include "platform/platform.h"
#include "release_away.h"
#include "run_journal.h"
#include "run_reporter.h"

#include "names/file_name_bytes.h"

#include <QCoreApplication>
#include <algorithm>

namespace quillet
{

namespace
{

QString UndoTitle()
{
    return QCoreApplication::translate("RenameRun", "Undo Last Rename");
}

} // namespace

QString UndoCaption(qsizetype count)
{
    return count > 0 ? QCoreApplication::translate("RenameRun", "Undo Last Rename (%1)")
                           .arg(FilesText(count))
                     : UndoTitle();
}

UndoRun::UndoRun(DoneRenames done, Platform& platform, RunReporter& reporter, QObject* parent)
    : RenameWork(parent), m_done(std::move(done)), m_platform(platform), m_reporter(reporter)
{
    // What came back is told as it happens; what is left is notUndone().
    m_bKeepDone = false;
}

void UndoRun::begin()
{
    m_outcome.pairs = m_done.size();
    setTotal(m_done.size());
    RunNotice question;
    question.text = QCoreApplication::translate(
                        "RenameRun", "Give %1 back the names they had before the last run?")
                        .arg(FilesText(m_done.size()));
    question.title = UndoTitle();
    m_bAnswered = !m_done.isEmpty() && (m_bConfirmed || m_reporter.ask(question));
    if (m_bAnswered) {
        // One run at a time in a folder, an undo included.
        QString error;
        m_lock = m_platform.lockFolderForRun(m_done.folder(0), &error);
        if (m_lock)
            m_runFolder = m_platform.openRunFolder(m_done.folder(0), {}, &error);
        if (m_runFolder && !startJournal(&error))
            m_runFolder.reset();
        if (!m_runFolder) {
            m_reporter.tell(error, UndoTitle(), NoticeKind::Error);
            m_bAnswered = false;
        }
    }
    if (!m_bAnswered) {
        m_notUndone = m_done;
        return;
    }
    m_reporter.setProgressRange(0, double(m_done.size()));
}

bool UndoRun::step(const QDeadlineTimer& deadline)
{
    if (!m_bAnswered)
        return false;
    const qsizetype nCount = m_done.size();
    const qsizetype nFirst = m_nNext;
    // Last rename first, so that a chain or a swap of the run unwinds in the right order.
    while (m_nNext < nCount) {
        if (m_nNext == nFirst || m_nNext + 1 == nCount)
            m_reporter.setProgressValue(double(m_nNext + 1));
        if (m_journal && m_nNext == m_nAnnounced)
            announce();
        undoOne(nCount - 1 - m_nNext);
        ++m_nNext;
        if ((m_nNext & 15) == 0 && deadline.hasExpired())
            break;
    }
    setProcessed(m_nNext);
    return m_nNext < nCount;
}

void UndoRun::undoOne(qsizetype i)
{
    const RenameResult rename = m_done.at(i);
    // The renames of one run share one folder; another one is reached by its path.
    std::unique_ptr<RunFolder> byPath;
    RunFolder* folder = m_runFolder.get();
    if (rename.folder != folder->path()) {
        byPath = std::make_unique<PathRunFolder>(m_platform, rename.folder);
        folder = byPath.get();
    }
    RenameResult back;
    const std::optional<QByteArray> now =
        rename.identity.isEmpty() ? std::nullopt : folder->fileIdentity(rename.to);
    if (!rename.identity.isEmpty() && now != rename.identity)
        back.reason = now ? QCoreApplication::translate(
                                "RenameRun", "another file has taken this name since the run")
                          : QCoreApplication::translate(
                                "RenameRun", "the file is no longer there under this name");
    else
        back = folder->rename(rename.to, rename.from);
    if (m_journal && back.ok)
        m_journal->renamed(
            folder->identityAfterRename(rename.identity, rename.from).value_or(QByteArray()));
    else if (m_journal)
        m_journal->failed();
    if (back.ok) {
        noteRenamed(RenameResult::renamed(rename.folder, rename.to, rename.from, rename.identity));
        return;
    }
    m_skipped.append(i);
    m_details.append(
        QCoreApplication::translate("RenameRun", "\"%1\" -> \"%2\": %3")
            .arg(DisplayFileName(rename.to), DisplayFileName(rename.from), back.reason));
    noteFailed(RenameResult::notRenamed(rename.folder, rename.to, rename.from, back.reason));
}

bool UndoRun::startJournal(QString* error)
{
    if (m_bConfirmed)
        return true;
    return StartRunJournal(m_done.size(), &m_journal, error);
}

void UndoRun::announce()
{
    // As the run does: the next renames in one write, before the first of them is made.
    const qsizetype nCount = m_done.size();
    m_nAnnounced = qMin(m_nNext + kAnnouncedAtOnce, nCount);
    for (qsizetype i = m_nNext; i < m_nAnnounced; ++i) {
        const qsizetype nAt = nCount - 1 - i;
        const QString& folder = m_done.folder(nAt);
        if (folder != m_journalFolder) {
            m_journalFolder = folder;
            m_journal->enterFolder(folder,
                                   m_platform.folderIdentity(folder).value_or(QByteArray()));
        }
        m_journal->intend(m_done.to(nAt), m_done.from(nAt));
    }
    m_journal->flush();
}

UndoRun::~UndoRun()
{
    // The record of a large run is freed away from the window.
    ReleaseAway(std::move(m_done), /*bReturnMemory=*/true);
}

void UndoRun::end()
{
    if (!m_bAnswered)
        return;
    if (m_journal)
        m_journal->remove();
    m_lock.reset();
    m_runFolder.reset();
    const qsizetype nCount = m_done.size();
    // The skipped ones were met last first; what is left of the run keeps the run's order.
    m_notUndone.reserve(m_skipped.size());
    for (auto it = m_skipped.crbegin(); it != m_skipped.crend(); ++it)
        m_notUndone.append(m_done.folder(*it), m_done.from(*it), m_done.to(*it),
                           m_done.identity(*it));
    std::reverse(m_details.begin(), m_details.end());
    RunNotice closing;
    closing.title = UndoTitle();
    if (m_skipped.isEmpty()) {
        closing.text = QCoreApplication::translate("RenameRun", "%1 got their old names back.")
                           .arg(FilesText(nCount));
        closing.kind = NoticeKind::Done;
    } else {
        closing.text =
            QCoreApplication::translate(
                "RenameRun", "%1 of %2 got their old names back. %3 skipped: they are no "
                             "longer where the run left them, or their old names are taken "
                             "now. The details list them.")
                .arg(nCount - m_skipped.size())
                .arg(FilesText(nCount))
                .arg(m_skipped.size());
        closing.kind = NoticeKind::Problem;
        closing.details = m_details.join(QLatin1Char('\n'));
    }
    m_reporter.tell(closing);
    m_reporter.setProgressValue(0);
}

DoneRenames UndoRenames(const DoneRenames& done, Platform& platform, RunReporter& reporter)
{
    UndoRun run(done, platform, reporter);
    run.exec();
    return run.notUndone();
}

} // namespace quillet
