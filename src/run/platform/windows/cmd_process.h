// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../script_run.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace quillet::windows
{

// Starts the system's command interpreter on the script just written to scriptPath, whose
// bytes are scriptBytes, with no window, and watches it without blocking: what cmd writes
// (each line it runs and the errors of that line) comes back through a pipe and fills the
// returned run line by line. The script is held from before the start to the end of the run
// so that nobody can change or replace it meanwhile; a script that no longer holds exactly
// scriptBytes is not started. Returns nothing, with the reason in *error, when nothing
// started.
std::unique_ptr<ScriptRun> StartWatchedCmd(const QString& scriptPath, const QByteArray& scriptBytes,
                                           QString* error);

} // namespace quillet::windows
