// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../script_run.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace quillet::posix
{

// Starts the interpreter on a script given on its standard input, watched through a
// QProcess: its report records (standard output) fill the returned run, its error text goes
// to logPath. The log is opened without following a link and locked for the length of the
// run, so a second run over the same script folder, from this program or another one, is
// refused until the first has ended; the previous log is emptied only then. A folderIdentity
// that is not empty is passed on (--folder-identity): the interpreter's cd then refuses every
// other folder.
std::unique_ptr<ScriptRun> StartWatchedScript(const QString& interpreter,
                                              const QString& workingFolder,
                                              const QByteArray& scriptBytes,
                                              const QByteArray& folderIdentity,
                                              const QString& logPath, QString* error);

} // namespace quillet::posix
