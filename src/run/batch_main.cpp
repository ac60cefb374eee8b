// quillet-batch: runs a rename script ("rename.bat") written by Quillet, on systems that have
// no Windows command interpreter. Usage: quillet-batch SCRIPT
// The script is read as UTF-8, one line at a time. Every failed line is reported on standard
// error; the exit code is 0 when every line succeeded, 1 when any failed (or a failed cd ended
// the script), 2 when the script cannot be read.
#include "batch_interpreter.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace
{

void PrintError(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 || args.at(1).startsWith(QLatin1Char('-'))) {
        PrintError(QStringLiteral("usage: quillet-batch SCRIPT\n"
                                  "Runs the cd and rename lines of a rename script written by "
                                  "Quillet.\nA rename never replaces an existing file."));
        return 2;
    }
    QFile file(args.at(1));
    if (!file.open(QIODevice::ReadOnly)) {
        PrintError(QStringLiteral("quillet-batch: cannot read \"%1\": %2")
                       .arg(args.at(1), file.errorString()));
        return 2;
    }
    const std::unique_ptr<quillet::Platform> platform = quillet::CreatePlatform();
    const QString name = args.at(1);
    // One report per failed line, as it happens: the script is never held in memory whole.
    const quillet::BatchRunSummary summary = quillet::RunBatchScript(
        file, QDir::currentPath(), *platform,
        [&name](int number, const quillet::BatchLineResult& result) {
            if (!result.message.isEmpty())
                PrintError(
                    QStringLiteral("%1: line %2: %3").arg(name).arg(number).arg(result.message));
        });
    if (file.error() != QFileDevice::NoError) {
        PrintError(QStringLiteral("quillet-batch: reading \"%1\" failed: %2")
                       .arg(name, file.errorString()));
        return 2;
    }
    return summary.failedLines == 0 ? 0 : 1;
}
