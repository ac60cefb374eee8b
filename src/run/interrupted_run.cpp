// SPDX-License-Identifier: GPL-3.0-or-later
#include "interrupted_run.h"

#include "names/file_name_bytes.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>

namespace quillet
{

namespace
{

DoneRenames RenamesMade(const FoundJournal& journal, const Platform& platform)
{
    DoneRenames done;
    for (const JournalPair& pair : journal.pairs()) {
        if (pair.state == JournalPair::State::Renamed) {
            done.append(pair.folder, pair.from, pair.to, pair.identity);
        } else if (pair.state == JournalPair::State::Announced &&
                   (pair.folderIdentity.isEmpty() ||
                    platform.folderIdentity(pair.folder) == pair.folderIdentity) &&
                   platform.fileIdentity(pair.folder, pair.to) &&
                   !platform.fileIdentity(pair.folder, pair.from)) {
            done.append(pair.folder, pair.from, pair.to, {});
        }
    }
    return done;
}

} // namespace

std::optional<InterruptedRun> NextInterruptedRun(const QString& journalFolder,
                                                 const Platform& platform, const QStringList& skip)
{
    for (const QString& path : JournalPaths(journalFolder)) {
        if (skip.contains(path))
            continue;
        std::unique_ptr<FoundJournal> journal = ReadJournal(path);
        if (!journal)
            continue; // its run is still going on
        InterruptedRun run;
        run.done = RenamesMade(*journal, platform);
        if (run.done.isEmpty()) {
            journal->remove(); // nothing to give back
            continue;
        }
        run.folder = run.done.folder(0);
        run.total = qMax(journal->total(), qsizetype(run.done.size()));
        run.journal = std::move(journal);
        return run;
    }
    return std::nullopt;
}

QString InterruptedRunQuestion(const InterruptedRun& run)
{
    QString folder = run.folder;
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return QCoreApplication::translate("RenameRun",
                                       "The rename run in %1 was interrupted after %2 of %3 "
                                       "files. Give those %2 files their old names back?")
        .arg(QDir::toNativeSeparators(DisplayFileName(folder)), QString::number(run.done.size()),
             QString::number(run.total));
}

} // namespace quillet
