// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/script_run.h"
#include "rename_job.h"
#include "run_outcome.h"
#include "run_reporter.h"

#include <QtGlobal>
#include <memory>
#include <optional>

namespace quillet
{

class Platform;

// The fixed texts of a run, in English; shown translated (context "RenameRun").
inline constexpr char kShellFinished[] = QT_TRANSLATE_NOOP("RenameRun", "Rename Finished!");
inline constexpr char kApiFinished[] = QT_TRANSLATE_NOOP("RenameRun", "Finished Renaming Files");
inline constexpr char kApiFinishedTitle[] = QT_TRANSLATE_NOOP("RenameRun", "Rename status");
inline constexpr char kErrorTitle[] = QT_TRANSLATE_NOOP("RenameRun", "Rename");
inline constexpr char kNoMoreErrors[] =
    QT_TRANSLATE_NOOP("RenameRun", "Do not show further errors of this run");

// The Shell method ("&Ok" with "Shell") in three steps, so that the long middle one can run
// away from the window: PlanShellRun, WriteShellScript, StartShellScript. It writes the script
// to the platform's script folder, starts it hidden without waiting and shows "Rename
// Finished!" (no icon, default title). On a failure (folder or script not writable, a name the
// script cannot hold, interpreter not startable, a run still going on) it shows why, starts
// nothing and shows no closing message. The started run reports its records as they come and
// its end (ShellRun reads them). The interpreter reads the very bytes written.

// What the Shell method needs before it composes its script.
struct ShellScriptPlan {
    QString scriptFolder; // where the script goes (ending in its separator)
    QString journalPath;  // the interpreter's journal of the run; empty when none is kept
};

// The checks before anything is written: the folder is still the listed one, the journal
// folder (with bJournal) and the script folder can be used. Nothing, with the reason shown,
// when not.
std::optional<ShellScriptPlan> PlanShellRun(const RenameJob& job, const Platform& platform,
                                            RunReporter& reporter, bool bJournal);

// The script of a Shell run, composed and written.
struct WrittenScript {
    std::optional<QString> path; // where it was written; nothing when it was not
    QByteArray bytes;
    QString error; // why it was not written (or composed)
};

// Composes the script of job and writes it to strScriptFolder, or to the platform's fallback
// folder when that one refuses it. Shows nothing, so that it can run on any thread.
WrittenScript WriteShellScript(const RenameJob& job, const Platform& platform,
                               const QString& strScriptFolder);

// Starts the written script (keeping a journal at journalPath unless it is empty) and shows
// "Rename Finished!"; or shows why not, and returns nothing.
std::unique_ptr<ScriptRun> StartShellScript(const RenameJob& job, Platform& platform,
                                            RunReporter& reporter, const WrittenScript& script,
                                            const QString& journalPath);

// The three steps at once. Given journalPath, the interpreter keeps a journal of the run
// (RunJournal) at the path returned there (empty on systems that keep no journals); the caller
// removes it once it has read the run's outcome. A journal folder that cannot be used starts
// nothing.
std::unique_ptr<ScriptRun> RunShellMethod(const RenameJob& job, Platform& platform,
                                          RunReporter& reporter, QString* journalPath = nullptr);

// The API method run to its end at once (ApiRun, for callers without an event loop).
RunOutcome RunApiMethod(const RenameJob& job, Platform& platform, RunReporter& reporter);

// "&Batch File": writes "rename.bat" to the working directory and opens it in the user's text
// editor without waiting. No message on success; on a failure a message, and nothing started.
// A "rename.bat" already there that is not the one this call wrote last (lastWritten, the
// bytes of that write, kept by the caller) is replaced only after the user said "Yes" to
// "rename.bat already exists in <folder>. Replace it?".
bool WriteBatchForReview(const RenameJob& job, Platform& platform, RunReporter& reporter,
                         std::optional<QByteArray>* lastWritten = nullptr);

} // namespace quillet
