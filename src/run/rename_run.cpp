// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename_run.h"

#include "api_run.h"
#include "batch_script.h"
#include "platform/platform.h"
#include "run_journal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quillet
{

namespace
{

void ShowError(RunReporter& reporter, const QString& text)
{
    reporter.tell(text, QCoreApplication::translate("RenameRun", kErrorTitle), NoticeKind::Error);
}

} // namespace

std::optional<ShellScriptPlan> PlanShellRun(const RenameJob& job, const Platform& platform,
                                            RunReporter& reporter, bool bJournal)
{
    QString error;
    std::optional<QString> journalFolder = QString();
    if (SameFolderAsListed(job, platform, &error) && bJournal)
        journalFolder = JournalFolder(&error);
    if (!journalFolder || !error.isEmpty()) {
        ShowError(reporter, error);
        return std::nullopt;
    }
    const std::optional<QString> folder = platform.scriptFolder(&error);
    if (!folder) {
        ShowError(reporter, error);
        return std::nullopt;
    }
    return ShellScriptPlan{*folder,
                           journalFolder->isEmpty() ? QString() : NewJournalPath(*journalFolder)};
}

WrittenScript WriteShellScript(const RenameJob& job, const Platform& platform,
                               const QString& strScriptFolder)
{
    WrittenScript script;
    ComposedScript composed =
        ComposeBatchScript(job, platform.separator(), [&platform](const QString& text) {
            return platform.encodeScriptText(text);
        });
    if (!composed.bytes) {
        script.error = composed.error;
        return script;
    }
    script.bytes = std::move(*composed.bytes);
    if (WriteScriptBytes(strScriptFolder, script.bytes, &script.error)) {
        script.path = strScriptFolder + QLatin1String(kBatchFileName);
        return script;
    }
    // A folder that refuses the file gives way to the user's own folder, without a word;
    // when that fails too, the first reason is the one shown.
    QString fallbackError;
    const std::optional<QString> fallback = platform.fallbackScriptFolder(&fallbackError);
    if (fallback && WriteScriptBytes(*fallback, script.bytes, &fallbackError)) {
        script.path = *fallback + QLatin1String(kBatchFileName);
        script.error.clear();
    }
    return script;
}

std::unique_ptr<ScriptRun> StartShellScript(const RenameJob& job, Platform& platform,
                                            RunReporter& reporter, const WrittenScript& script,
                                            const QString& journalPath)
{
    QString error = script.error;
    std::unique_ptr<ScriptRun> run;
    if (script.path && !journalPath.isEmpty())
        run = platform.startJournaledScript(*script.path, script.bytes, job.folderIdentity,
                                            journalPath, job.proposedNames.size(), &error);
    else if (script.path)
        run = platform.startScript(*script.path, script.bytes, job.folderIdentity, &error);
    if (!run) {
        ShowError(reporter, error);
        return nullptr;
    }
    reporter.tell(QCoreApplication::translate("RenameRun", kShellFinished), QString(),
                  NoticeKind::Plain);
    return run;
}

std::unique_ptr<ScriptRun> RunShellMethod(const RenameJob& job, Platform& platform,
                                          RunReporter& reporter, QString* journalPath)
{
    const std::optional<ShellScriptPlan> plan =
        PlanShellRun(job, platform, reporter, journalPath != nullptr);
    if (!plan)
        return nullptr;
    if (journalPath)
        *journalPath = plan->journalPath;
    return StartShellScript(job, platform, reporter,
                            WriteShellScript(job, platform, plan->scriptFolder), plan->journalPath);
}

RunOutcome RunApiMethod(const RenameJob& job, Platform& platform, RunReporter& reporter)
{
    ApiRun run(job, platform, reporter);
    run.exec();
    return run.outcome();
}

bool WriteBatchForReview(const RenameJob& job, Platform& platform, RunReporter& reporter,
                         std::optional<QByteArray>* lastWritten)
{
    const ComposedScript script =
        ComposeBatchScript(job, platform.separator(), [&platform](const QString& text) {
            return platform.encodeScriptText(text);
        });
    if (!script.bytes) {
        ShowError(reporter, script.error);
        return false;
    }
    // "rename.bat" in the working directory, which the program never changes. The script is
    // meant to be edited and run by hand: one this program did not write, or that was changed
    // since, is replaced only when the user says so.
    // (A link or anything but a plain file there is refused by the writer, with its reason.)
    const QString strName = QString::fromLatin1(kBatchFileName);
    const QFileInfo info(strName);
    QFile existing(strName);
    if (!info.isSymLink() && info.isFile()) {
        const bool bOurs = lastWritten && *lastWritten && existing.open(QIODevice::ReadOnly) &&
                           existing.size() == (*lastWritten)->size() &&
                           existing.readAll() == **lastWritten;
        existing.close();
        if (!bOurs) {
            RunNotice question;
            question.text =
                QCoreApplication::translate("RenameRun", "%1 already exists in %2. Replace it?")
                    .arg(QLatin1String(kBatchFileName),
                         QDir::toNativeSeparators(QDir::currentPath()));
            question.title = QCoreApplication::translate("RenameRun", kErrorTitle);
            question.kind = NoticeKind::Problem;
            if (!reporter.ask(question))
                return false;
        }
    }
    QString error;
    if (!WriteScriptBytes(QString(), *script.bytes, &error)) {
        ShowError(reporter, error);
        return false;
    }
    if (lastWritten)
        *lastWritten = *script.bytes;
    if (!platform.openInTextEditor(QLatin1String(kBatchFileName), &error)) {
        ShowError(reporter, error);
        return false;
    }
    return true;
}

} // namespace quillet
