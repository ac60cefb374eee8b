#include "rename_run.h"

#include "batch_script.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace quillet
{

namespace
{

void ShowError(RunReporter& reporter, const QString& text)
{
    reporter.showMessage(text, QCoreApplication::translate("RenameRun", kErrorTitle),
                         MessageIcon::Critical);
}

} // namespace

std::unique_ptr<ScriptRun> RunShellMethod(const RenameJob& job, Platform& platform,
                                          RunReporter& reporter)
{
    QString error;
    const std::optional<QString> folder = platform.scriptFolder(&error);
    if (!folder) {
        ShowError(reporter, error);
        return nullptr;
    }
    const ComposedScript script =
        ComposeBatchScript(job, platform.separator(), [&platform](const QString& text) {
            return platform.encodeScriptText(text);
        });
    if (!script.bytes) {
        ShowError(reporter, script.error);
        return nullptr;
    }
    std::optional<QString> written;
    if (WriteScriptBytes(*folder, *script.bytes, &error)) {
        written = *folder;
    } else {
        // A folder that refuses the file gives way to the user's own folder, without a word;
        // when that fails too, the first reason is the one shown.
        QString fallbackError;
        const std::optional<QString> fallback = platform.fallbackScriptFolder(&fallbackError);
        if (fallback && WriteScriptBytes(*fallback, *script.bytes, &fallbackError))
            written = fallback;
    }
    std::unique_ptr<ScriptRun> run;
    if (written)
        run = platform.startScript(*written + QLatin1String(kBatchFileName), *script.bytes, &error);
    if (!run) {
        ShowError(reporter, error);
        return nullptr;
    }
    reporter.showMessage(QCoreApplication::translate("RenameRun", kShellFinished), QString(),
                         MessageIcon::None);
    return run;
}

RunOutcome RunApiMethod(const RenameJob& job, Platform& platform, RunReporter& reporter)
{
    const qsizetype count = qMin(job.proposedNames.size(), job.currentNames.size());
    const QString folder = FolderText(job.folderPath, platform.separator());
    reporter.setProgressRange(0, double(job.proposedNames.size()));

    RunOutcome outcome;
    outcome.pairs = job.proposedNames.size();
    bool showErrors = true;
    QElapsedTimer sinceUpdate;
    sinceUpdate.start();
    for (qsizetype i = 0; i < count; ++i) {
        if (i == 0 || i + 1 == count || sinceUpdate.elapsed() >= kProgressIntervalMs) {
            reporter.setProgressValue(double(i + 1));
            reporter.keepResponsive();
            sinceUpdate.restart();
        }
        const QString& from = job.currentNames.at(i);
        const QString& to = job.proposedNames.at(i);
        const RenameOutcome renamed = platform.renameInFolder(folder, from, to);
        if (renamed.ok) {
            outcome.done.append(
                {folder, from, to, platform.fileIdentity(folder, to).value_or(QByteArray())});
            continue;
        }
        outcome.failed.append({from, to, renamed.error});
        if (!showErrors)
            continue;
        reporter.setProgressValue(double(i + 1));
        MessageRequest request;
        request.text =
            QCoreApplication::translate("RenameRun", "Could not rename \"%1\" to \"%2\": %3.")
                .arg(from, to, renamed.error);
        request.title = QCoreApplication::translate("RenameRun", kErrorTitle);
        request.icon = MessageIcon::Warning;
        request.checkBoxText = QCoreApplication::translate("RenameRun", kNoMoreErrors);
        showErrors = !reporter.showMessage(request).checked;
    }
    MessageRequest finished;
    finished.text = QCoreApplication::translate("RenameRun", kApiFinished);
    finished.title = QCoreApplication::translate("RenameRun", kApiFinishedTitle);
    finished.icon = MessageIcon::Information;
    finished.detailedText = FailureDetails(outcome);
    reporter.showMessage(finished);
    reporter.setProgressValue(0);
    return outcome;
}

bool WriteBatchForReview(const RenameJob& job, Platform& platform, RunReporter& reporter)
{
    QString error;
    // An empty folder text: "rename.bat" in the working directory, which the program never
    // changes.
    const std::optional<QString> script = WriteBatchFile(QString(), job, platform, &error);
    if (!script || !platform.openInTextEditor(*script, &error)) {
        ShowError(reporter, error);
        return false;
    }
    return true;
}

} // namespace quillet
