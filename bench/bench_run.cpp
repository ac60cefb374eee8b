// SPDX-License-Identifier: GPL-3.0-or-later
// The API rename method over one folder of 32,767 files, beside a plain loop of rename(2)
// over as many files; and the time the Shell method's script takes to finish in quillet-batch.

#include "bench_util.h"
#include "run/platform/platform.h"
#include "run/rename_run.h"
#include "run/undo_run.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

using namespace quillet;

namespace
{

constexpr int kFiles = 32767;
constexpr int kRounds = 2;

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

QString OldName(int i)
{
    return QStringLiteral("IMG_%1.JPG").arg(i, 5, 10, QLatin1Char('0'));
}

QString NewName(int i)
{
    return QStringLiteral("Holiday %1.jpg").arg(i, 5, 10, QLatin1Char('0'));
}

// A fresh folder holding the old names, and the job that renames them.
RenameJob MakeFolder(const QString& folder)
{
    RenameJob job{folder, {}, {}};
    job.currentNames.reserve(kFiles);
    job.proposedNames.reserve(kFiles);
    for (int i = 0; i < kFiles; ++i) {
        const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + OldName(i));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0) {
            std::perror("bench_run: create");
            std::exit(1);
        }
        ::close(fd);
        job.currentNames.append(OldName(i));
        job.proposedNames.append(NewName(i));
    }
    return job;
}

double FloorMs()
{
    QTemporaryDir dir;
    const RenameJob job = MakeFolder(dir.path());
    std::vector<QByteArray> from;
    std::vector<QByteArray> to;
    for (int i = 0; i < kFiles; ++i) {
        from.push_back(QFile::encodeName(dir.path() + QLatin1Char('/') + job.currentNames[i]));
        to.push_back(QFile::encodeName(dir.path() + QLatin1Char('/') + job.proposedNames[i]));
    }
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kFiles; ++i) {
        if (std::rename(from[i].constData(), to[i].constData()) != 0)
            std::perror("bench_run: rename");
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

double ApiMs(Platform& platform)
{
    QTemporaryDir dir;
    const RenameJob job = MakeFolder(dir.path());
    NoReporter reporter;
    QElapsedTimer timer;
    timer.start();
    const qsizetype failed = RunApiMethod(job, platform, reporter).failed.size();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (failed != 0)
        std::fprintf(stderr, "bench_run: %lld renames failed\n", (long long)failed);
    return ms;
}

// The undo of an API run over the folder: every file back to its old name.
double UndoMs(Platform& platform)
{
    QTemporaryDir dir;
    const RenameJob job = MakeFolder(dir.path());
    NoReporter reporter;
    const RunOutcome outcome = RunApiMethod(job, platform, reporter);
    QElapsedTimer timer;
    timer.start();
    const QList<RenameResult> left = UndoRenames(outcome.done, platform, reporter);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (!left.isEmpty() || outcome.done.size() != kFiles)
        std::fprintf(stderr, "bench_run: %lld files not restored\n", (long long)left.size());
    return ms;
}

// From the click to the last file renamed by the detached interpreter, which keeps the run's
// journal as it does for the window; negative on timeout.
double ShellMs(Platform& platform)
{
    QTemporaryDir dir;
    const RenameJob job = MakeFolder(dir.path());
    const QByteArray last = QFile::encodeName(dir.path() + QLatin1Char('/') + NewName(kFiles - 1));
    NoReporter reporter;
    QElapsedTimer timer;
    timer.start();
    QString journal;
    const std::unique_ptr<ScriptRun> run = RunShellMethod(job, platform, reporter, &journal);
    if (!run)
        return -1;
    // The script reaches the interpreter through the event loop.
    while (::access(last.constData(), F_OK) != 0) {
        if (timer.elapsed() > 300000)
            return -1;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // The Shell method's script goes to a private folder of this run, not the user's cache.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    const std::unique_ptr<Platform> platform = CreatePlatform();

    // Best of a few rounds, alternated so that both see the same state of the disk.
    double floor = 1e300;
    double api = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        floor = std::min(floor, FloorMs());
        api = std::min(api, ApiMs(*platform));
    }
    bench::Report(QStringLiteral("API method, %1 files").arg(kFiles), api,
                  QStringLiteral("rename(2) loop"), floor);
    bench::Report(QStringLiteral("Undo of the API run, %1 files").arg(kFiles), UndoMs(*platform),
                  QStringLiteral("rename(2) loop"), floor);
    const double shell = ShellMs(*platform);
    if (shell < 0) {
        std::printf("Shell method: the script did not finish\n");
        return 1;
    }
    bench::Report(QStringLiteral("Shell method to finish, %1 files").arg(kFiles), shell,
                  QStringLiteral("rename(2) loop"), floor);
    return 0;
}
