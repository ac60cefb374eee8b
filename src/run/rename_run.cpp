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

bool RunShellMethod(const RenameJob& job, Platform& platform, RunReporter& reporter)
{
    QString error;
    const std::optional<QString> folder = platform.scriptFolder(&error);
    if (!folder) {
        ShowError(reporter, error);
        return false;
    }
    const std::optional<QString> script = WriteBatchFile(*folder, job, platform, &error);
    if (!script || !platform.startScript(*script, &error)) {
        ShowError(reporter, error);
        return false;
    }
    reporter.showMessage(QCoreApplication::translate("RenameRun", kShellFinished), QString(),
                         MessageIcon::None);
    return true;
}

int RunApiMethod(const RenameJob& job, Platform& platform, RunReporter& reporter)
{
    const qsizetype count = qMin(job.proposedNames.size(), job.currentNames.size());
    const QString folder = FolderText(job.folderPath, platform.separator());
    reporter.setProgressRange(0, double(job.proposedNames.size()));

    QElapsedTimer sinceUpdate;
    sinceUpdate.start();
    int failed = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (i == 0 || i + 1 == count || sinceUpdate.elapsed() >= kProgressIntervalMs) {
            reporter.setProgressValue(double(i + 1));
            reporter.keepResponsive();
            sinceUpdate.restart();
        }
        const QString& from = job.currentNames.at(i);
        const QString& to = job.proposedNames.at(i);
        const RenameOutcome outcome = platform.renameInFolder(folder, from, to);
        if (!outcome.ok) {
            ++failed;
            reporter.setProgressValue(double(i + 1));
            reporter.showMessage(
                QCoreApplication::translate("RenameRun", "Could not rename \"%1\" to \"%2\": %3.")
                    .arg(from, to, outcome.error),
                QCoreApplication::translate("RenameRun", kErrorTitle), MessageIcon::Warning);
        }
    }
    reporter.showMessage(QCoreApplication::translate("RenameRun", kApiFinished),
                         QCoreApplication::translate("RenameRun", kApiFinishedTitle),
                         MessageIcon::Information);
    reporter.setProgressValue(0);
    return failed;
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
