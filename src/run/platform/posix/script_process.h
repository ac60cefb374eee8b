// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../script_run.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace quillet::posix
{

// Starts the interpreter on a script given on its standard input, watched through a
// QProcess: its report records (standard output) fill the returned run, its error text goes
// to logPath. The standard input is the file at scriptPath itself when it is a plain file of
// this user's, written by no one else, that holds exactly scriptBytes: then the program keeps
// no copy of a large script while it runs. Otherwise the bytes go through a pipe. The log is opened
// without following a link and locked for the length of the run, so a second run over the same
// script folder, from this program or another one, is refused until the first has ended; the
// previous log is emptied only then. extraArguments go to the interpreter before its script.
std::unique_ptr<ScriptRun>
StartWatchedScript(const QString& interpreter, const QString& workingFolder,
                   const QString& scriptPath, const QByteArray& scriptBytes, const QString& logPath,
                   QString* error, const QStringList& extraArguments = {});

} // namespace quillet::posix
