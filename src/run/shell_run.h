// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename_job.h"
#include "rename_work.h"

#include <memory>
#include <thread>

namespace quillet
{

class Platform;
class RunReporter;
class ScriptRun;
struct WrittenScript;

// The Shell method ("&Ok" with "Shell") as a job: writes the script on a thread of its own and
// starts it (shows "Rename Finished!" once it started, or why nothing started), then watches the
// interpreter without holding the window and reads its records as they come: each rename line that
// renamed is reported by renamed(), with the identity of the file it renamed, each pair that
// was not renamed by failed(); once the interpreter has ended, when lines failed, one warning
// box counts them.
class ShellRun : public RenameWork
{
    Q_OBJECT

public:
    ShellRun(RenameJob job, Platform& platform, RunReporter& reporter, QObject* parent = nullptr);
    ~ShellRun() override;

    // Whether the interpreter was started (false: nothing was, and the reason was shown).
    bool started() const { return m_run != nullptr; }

protected:
    void begin() override;
    bool step(const QDeadlineTimer& deadline) override;
    void end() override;

private:
    void startScript(const WrittenScript& script);
    void takeResults();

    RenameJob m_job;
    Platform& m_platform;
    RunReporter& m_reporter;
    std::unique_ptr<ScriptRun> m_run;
    std::thread m_writer;      // composes and writes the script; joined once it is written
    QString m_journalPath;     // the interpreter's journal of the run; empty when none
    qsizetype m_nReported = 0; // the records of pairs taken so far
};

} // namespace quillet
