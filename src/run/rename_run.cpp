#include "rename_run.h"

#include "api_run.h"
#include "batch_script.h"
#include "platform/platform.h"

#include <QCoreApplication>

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
    ApiRun run(job, platform, reporter);
    run.exec();
    return run.outcome();
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
