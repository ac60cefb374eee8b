#pragma once

#include <QString>
#include <QStringList>

namespace quillet::posix
{

// Starts program with args in workingFolder as a process of its own session that the caller
// never waits for (it is handed to init at once, so no zombie is left), with standard input
// from /dev/null and standard output and error both written to outputFd, a descriptor the
// caller opened (and still closes). Returns false with the reason in *error when the program
// could not be started.
bool StartDetachedWithOutput(const QString& program, const QStringList& args,
                             const QString& workingFolder, int outputFd, QString* error);

} // namespace quillet::posix
