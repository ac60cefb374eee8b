// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "done_renames.h"
#include "platform/rename_result.h"
#include "rename_job.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quillet
{

class RunReporter;
class ScriptRun;
struct ScriptLineResult;

// What one run did, as far as the program can know.
struct RunOutcome {
    qsizetype pairs = 0;        // the pairs of the run
    DoneRenames done;           // the renames that happened, in the order they happened
    QList<RenameResult> failed; // the pairs that were not renamed
    QStringList otherErrors;    // failures that were no pair's: a cd line, an interpreter that
                                // stopped early
    bool known = true;          // false when the interpreter told nothing of what it did
};

// A count of files in words: "1 file", "128 files".
QString FilesText(qsizetype count);

// A script line that failed and was no rename's, as the outcome lists it: "line 3: why".
QString ScriptLineErrorText(const ScriptLineResult& result);

// Once the interpreter of run has ended, after its `reported` records of pairs were added:
// the pairs without a record (the interpreter stopped early) count as not renamed, and the
// interpreter's own words when it did not run to the end are another error.
void FinishScriptOutcome(const RenameJob& job, const ScriptRun& run, qsizetype reported,
                         RunOutcome& outcome);

// One line per failed pair, `"old" -> "new": why`, then the other errors.
QString FailureDetails(const RunOutcome& outcome);

// After a Shell run has finished: one warning box saying how many of how many files were not
// renamed and why, every failed pair in its details. Nothing when everything was renamed.
void ReportScriptOutcome(const RunOutcome& outcome, RunReporter& reporter);

} // namespace quillet
