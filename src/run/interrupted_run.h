// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "run_journal.h"
#include "run_outcome.h"

#include <QList>
#include <QString>
#include <memory>

namespace quillet
{

class Platform;

// A run that was cut short (the program or the interpreter killed), as its journal tells it.
struct InterruptedRun {
    std::unique_ptr<FoundJournal> journal; // held by the reader until removed
    QString folder;                        // the folder of its first renames
    qsizetype total = 0;                   // the pairs of the run
    DoneRenames done;                      // the renames it made, in the order it made them
};

// The runs of journalFolder that were interrupted, one at a time: the oldest journal whose
// run has ended, together with its renames. A rename the journal announced without telling
// its result counts only when the folder is still the one of the run and the file has its new
// name and no longer its old one; it carries no identity then. Journals without a rename are
// removed on the way. Nothing when there is none.
// Journals named in `skip` are passed over.
std::optional<InterruptedRun> NextInterruptedRun(const QString& journalFolder,
                                                 const Platform& platform,
                                                 const QStringList& skip = {});

// "The rename run in <folder> was interrupted after N of M files. Give those N files their
// old names back?"
QString InterruptedRunQuestion(const InterruptedRun& run);

} // namespace quillet
