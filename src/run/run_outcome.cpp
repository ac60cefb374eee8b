// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_outcome.h"

#include "platform/script_run.h"
#include "run_reporter.h"

#include "names/file_name_bytes.h"

#include <QCoreApplication>
#include <algorithm>

namespace quillet
{

QString FilesText(qsizetype count)
{
    return count == 1 ? QCoreApplication::translate("RenameRun", "1 file")
                      : QCoreApplication::translate("RenameRun", "%1 files").arg(count);
}

QString ScriptLineErrorText(const ScriptLineResult& result)
{
    return QCoreApplication::translate("RenameRun", "line %1: %2")
        .arg(result.line)
        .arg(result.message);
}

void FinishScriptOutcome(const RenameJob& job, const ScriptRun& run, qsizetype reported,
                         RunOutcome& outcome)
{
    const qsizetype count = qMin(job.currentNames.size(), job.proposedNames.size());
    for (qsizetype i = reported; i < count; ++i)
        outcome.failed.append(RenameResult::notRenamed(
            QString(), job.currentNames.at(i), job.proposedNames.at(i),
            QCoreApplication::translate("RenameRun", "the interpreter did not reach this pair")));
    if (!run.ranToEnd() && !run.endText().isEmpty())
        outcome.otherErrors.append(run.endText());
}

QString FailureDetails(const RunOutcome& outcome)
{
    QStringList lines;
    lines.reserve(outcome.failed.size() + outcome.otherErrors.size());
    for (const RenameResult& pair : outcome.failed)
        lines.append(QCoreApplication::translate("RenameRun", "\"%1\" -> \"%2\": %3")
                         .arg(DisplayFileName(pair.from), DisplayFileName(pair.to), pair.reason));
    lines += outcome.otherErrors;
    return lines.join(QLatin1Char('\n'));
}

void ReportScriptOutcome(const RunOutcome& outcome, RunReporter& reporter)
{
    if (!outcome.known || (outcome.failed.isEmpty() && outcome.otherErrors.isEmpty()))
        return;
    const qsizetype notRenamed = outcome.pairs - outcome.done.size();
    QString text = QCoreApplication::translate("RenameRun", "%1 of %2 were not renamed.")
                       .arg(notRenamed)
                       .arg(FilesText(outcome.pairs));
    const bool oneReason =
        !outcome.failed.isEmpty() &&
        std::all_of(outcome.failed.cbegin(), outcome.failed.cend(), [&](const RenameResult& pair) {
            return pair.reason == outcome.failed.first().reason;
        });
    if (oneReason && outcome.failed.size() > 1) {
        text += QLatin1Char('\n') + QCoreApplication::translate("RenameRun", "For each: %1.")
                                        .arg(outcome.failed.first().reason);
    } else if (!outcome.failed.isEmpty()) {
        const RenameResult& first = outcome.failed.first();
        text += QLatin1Char('\n') +
                QCoreApplication::translate("RenameRun", "The first: \"%1\" -> \"%2\": %3.")
                    .arg(DisplayFileName(first.from), DisplayFileName(first.to), first.reason);
    } else {
        text += QLatin1Char('\n') + outcome.otherErrors.first();
    }
    text += QLatin1Char('\n') +
            QCoreApplication::translate("RenameRun", "Every failure is listed in the details.");
    reporter.tell(RunNotice{text, QCoreApplication::translate("RenameRun", "Rename"),
                            NoticeKind::Problem, FailureDetails(outcome)});
}

} // namespace quillet
