// SPDX-License-Identifier: GPL-3.0-or-later
// The rename runs without the window, at 32,767 and 200,000 files: the API method, its undo,
// the Shell method from its start to its outcome known (the script written, quillet-batch
// run, its report read), and quillet-batch alone on the same script; each beside a loop of
// renameat2(RENAME_NOREPLACE) over the same pairs in the same folder, timed in the same
// rounds. Each figure is the median of three rounds with its spread. "--shell N" runs the
// Shell method alone over N files, for a profiler.

#include "bench_util.h"
#include "run/api_run.h"
#include "run/batch_script.h"
#include "run/platform/platform.h"
#include "run/run_reporter.h"
#include "run/shell_run.h"
#include "run/undo_run.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>

#include <cstdio>

using namespace quillet;

namespace
{

constexpr int kRounds = 3;

class NoReporter : public RunReporter
{
public:
    using RunReporter::tell;
    void tell(const RunNotice&) override {}
    bool ask(const RunNotice&) override { return true; }
    bool tellFailure(const RunNotice&, const QString&) override { return true; }
    void setProgressRange(double, double) override {}
    void setProgressValue(double) override {}
};

QString NewName(int i)
{
    return QStringLiteral("Holiday %1.jpg").arg(i, 7, 10, QLatin1Char('0'));
}

// Runs job from the event loop, as the window does, and waits for its end without a busy
// loop; returns the milliseconds from its start to its outcome known.
double RunJobMs(Job& job)
{
    QEventLoop loop;
    QObject::connect(&job, &Job::finished, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    job.start();
    if (!job.isFinished())
        loop.exec();
    return bench::ElapsedMs(timer);
}

void Complain(const char* what, qsizetype nDone, qsizetype nExpected)
{
    if (nDone != nExpected)
        std::fprintf(stderr, "bench_run: %s: %lld of %lld files\n", what, (long long)nDone,
                     (long long)nExpected);
}

void BenchRuns(int n, Platform& platform, bool bShellOnly)
{
    QTemporaryDir root(bench::BenchRoot() + "/run-XXXXXX");
    const QString folder = root.path() + "/files";
    QDir().mkpath(folder);
    RenameJob job{folder, {}, {}};
    for (int i = 0; i < n; ++i) {
        job.currentNames.append(bench::PhotoName(i));
        job.proposedNames.append(NewName(i));
    }
    if (!bench::MakeFiles(folder, job.currentNames)) {
        std::perror("bench_run: create");
        std::exit(1);
    }
    const auto script = ComposeBatchScript(job, platform.separator(), [&](const QString& text) {
        return platform.encodeScriptText(text);
    });
    // Every measured run renames old -> new; the untimed loop back restores the folder.
    const auto back = [&] { bench::NoReplaceLoopMs(folder, job.proposedNames, job.currentNames); };
    NoReporter reporter;
    std::vector<double> floor, api, undo, shell, alone;
    for (int round = 0; round < kRounds; ++round) {
        floor.push_back(bench::NoReplaceLoopMs(folder, job.currentNames, job.proposedNames));
        back();

        if (!bShellOnly) {
            ApiRun apiRun(job, platform, reporter);
            api.push_back(RunJobMs(apiRun));
            Complain("API method", apiRun.outcome().done.size(), n);
            UndoRun undoRun(apiRun.outcome().done, platform, reporter);
            undo.push_back(RunJobMs(undoRun));
            Complain("undo", n - undoRun.notUndone().size(), n);
        }

        ShellRun shellRun(job, platform, reporter);
        shell.push_back(RunJobMs(shellRun));
        Complain("Shell method", shellRun.outcome().done.size(), n);
        back();

        if (!bShellOnly) {
            alone.push_back(bench::BatchAloneMs(folder, script.bytes.value_or(QByteArray()), n));
            back();
        }
    }
    const QString loop = QStringLiteral("renameat2 NOREPLACE loop");
    const bench::Figure floorFigure = bench::Summary(floor);
    bench::Report(QStringLiteral("Shell method, start to outcome known, %1 files").arg(n),
                  bench::Summary(shell), loop, floorFigure, 1.5);
    if (bShellOnly)
        return;
    bench::Report(
        QStringLiteral("quillet-batch alone on the same script, with its journal, %1 files").arg(n),
        bench::Summary(alone), loop, floorFigure, 1.2);
    bench::Report(QStringLiteral("API method, start to outcome, %1 files").arg(n),
                  bench::Summary(api), loop, floorFigure, 1.3);
    bench::Report(QStringLiteral("undo of the API run, %1 files").arg(n), bench::Summary(undo),
                  loop, floorFigure, 1.3);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // The Shell method's script goes to a private folder of this run, not the user's cache.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    QDir().mkpath(bench::BenchRoot());
    const std::unique_ptr<Platform> platform = CreatePlatform();
    // "--shell N": the Shell method alone over N files, for a profiler.
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--shell")) {
        BenchRuns(args[2].toInt(), *platform, true);
        return 0;
    }
    for (const int n : {32767, 200000})
        BenchRuns(n, *platform, false);
    return 0;
}
