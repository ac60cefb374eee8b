// SPDX-License-Identifier: GPL-3.0-or-later
// quillet-batch: runs a rename script ("rename.bat") written by Quillet, on systems that have
// no Windows command interpreter. Usage: quillet-batch [--report] SCRIPT, or --help, or
// --version. SCRIPT "-" reads the script from standard input: the program passes its script
// that way, so no other user can put another file in its place between the write and the start.
// The script is read as UTF-8, one line at a time. Every failed line is reported on standard
// error; with --report, every rename line and every failed line also gets one record on
// standard output, in the form of script_report.h, for the program that watches the run. The
// exit code is 0 when every line succeeded, 1 when any failed (or a failed cd ended the
// script), 2 when the script cannot be read.
// The program also passes --folder-identity ID, the identity of the folder it listed
// (Platform::folderIdentity): a cd to any other folder then fails, naming the folder, and the
// renames act in the folder opened at the cd even when its path is made to lead elsewhere.
// The program that starts it may add --journal PATH --pairs N (before SCRIPT): the run then
// keeps its journal at PATH (run/run_journal.h), a run of N pairs. The interpreter outlives the
// program that watches it: with nobody left to read its report, it goes on renaming, and the
// journal keeps what it did.
#include "app/app_translations.h"
#include "names/file_name_bytes.h"
#include "run/batch_interpreter.h"
#include "run/platform/platform.h"
#include "run/platform/script_report.h"
#include "run/run_journal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <memory>
#if defined(Q_OS_UNIX)
#include <csignal>
#endif

namespace
{

void Print(const QString& text, std::FILE* stream)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

void PrintError(const QString& text)
{
    Print(text, stderr);
}

QString Usage()
{
    return QCoreApplication::translate("quillet-batch",
                                       "usage: quillet-batch [--report] SCRIPT\n"
                                       "Runs the cd and rename lines of a rename script written by "
                                       "Quillet (SCRIPT - reads it from standard input).\n"
                                       "A rename never replaces an existing file.");
}

QString Options()
{
    return QCoreApplication::translate("quillet-batch",
                                       "Options:\n"
                                       "  --report       one record per line on standard output, "
                                       "for the program that watches the run\n"
                                       "  --folder-identity ID  a cd to any folder but the one of "
                                       "this identity (device:inode, given by the program) fails\n"
                                       "  -h, --help     show this help and exit\n"
                                       "  -v, --version  show the version and exit\n"
                                       "Exit status: 0 when every line succeeded, 1 when any "
                                       "failed, 2 when the script cannot be read.");
}

} // namespace

int main(int argc, char* argv[])
{
#if defined(Q_OS_UNIX)
    // A report nobody reads any more (the watching program was killed) fails with EPIPE
    // instead of ending the run between two renames.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    quillet::InstallTranslations(app);
    QStringList args = QCoreApplication::arguments();
    if (args.size() == 2 &&
        (args.at(1) == QLatin1String("--help") || args.at(1) == QLatin1String("-h"))) {
        Print(Usage() + QLatin1Char('\n') + Options(), stdout);
        return 0;
    }
    if (args.size() == 2 &&
        (args.at(1) == QLatin1String("--version") || args.at(1) == QLatin1String("-v"))) {
        Print(QStringLiteral("quillet-batch " QUILLET_VERSION), stdout);
        return 0;
    }
    bool report = false;
    QByteArray folderIdentity;
    QString journalPath;
    qsizetype journalPairs = 0;
    for (bool option = true; option && args.size() > 2;) {
        if (args.at(1) == QLatin1String("--report")) {
            report = true;
            args.removeAt(1);
        } else if (args.at(1) == QLatin1String("--folder-identity") && args.size() > 3) {
            folderIdentity = args.at(2).toLatin1();
            args.remove(1, 2);
        } else if (args.at(1) == QLatin1String("--journal") && args.size() > 5 &&
                   args.at(3) == QLatin1String("--pairs")) {
            journalPath = args.at(2);
            journalPairs = args.at(4).toLongLong();
            args.remove(1, 4);
            if (journalPath.isEmpty()) {
                PrintError(Usage());
                return 2;
            }
        } else {
            option = false;
        }
    }
    if (args.size() != 2 || (args.at(1).startsWith(QLatin1Char('-')) && args.at(1) != u"-")) {
        PrintError(Usage());
        return 2;
    }
    const bool fromInput = args.at(1) == u"-";
    const QString name =
        fromInput ? QCoreApplication::translate("quillet-batch", "(standard input)") : args.at(1);
    QFile file;
    const bool opened = fromInput ? file.open(0, QIODevice::ReadOnly)
                                  : (file.setFileName(args.at(1)), file.open(QIODevice::ReadOnly));
    if (!opened) {
        PrintError(
            QCoreApplication::translate("quillet-batch", "quillet-batch: cannot read \"%1\": %2")
                .arg(name, file.errorString()));
        return 2;
    }
    const std::unique_ptr<quillet::Platform> platform = quillet::CreatePlatform();
    std::unique_ptr<quillet::RunJournal> journal;
    if (!journalPath.isEmpty()) {
        QString error;
        journal = quillet::RunJournal::create(journalPath, journalPairs, &error);
        if (!journal) {
            PrintError(error);
            return 2;
        }
    }
    // The report goes out in batches: every 256 records or 20 ms, whichever comes first. A
    // write per record woke the watching program once per rename; the journal, not the
    // report, keeps what a run cut short did.
    if (report)
        std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    QElapsedTimer sinceFlush;
    sinceFlush.start();
    int unflushed = 0;
    QByteArray record;
    quillet::ScriptReportWriter writer;
    // One report per failed line, as it happens: the script is never held in memory whole.
    const quillet::BatchRunSummary summary = quillet::RunBatchScript(
        file, quillet::CurrentFolderPath(), *platform,
        [&](int number, const quillet::BatchLineResult& result) {
            if (!result.message.isEmpty())
                PrintError(QCoreApplication::translate("quillet-batch", "%1: line %2: %3")
                               .arg(name)
                               .arg(number)
                               .arg(result.message));
            if (!report)
                return;
            if (const auto line = quillet::ToScriptLineResult(number, result)) {
                record.resize(0); // keeps its room for the next record
                writer.append(record, *line);
                std::fwrite(record.constData(), 1, size_t(record.size()), stdout);
                if (++unflushed >= 256 || sinceFlush.hasExpired(20)) {
                    std::fflush(stdout);
                    unflushed = 0;
                    sinceFlush.start();
                }
            }
        },
        folderIdentity, journal.get());
    if (file.error() != QFileDevice::NoError) {
        PrintError(
            QCoreApplication::translate("quillet-batch", "quillet-batch: reading \"%1\" failed: %2")
                .arg(name, file.errorString()));
        return 2;
    }
    if (std::fflush(stdout) != 0)
        return 2; // the watching program did not get the whole report
    return summary.failedLines == 0 ? 0 : 1;
}
