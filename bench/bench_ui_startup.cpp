// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up as the user waits for it, at 32,767, 100,000 and 1,000,000 files: from the exec of
// the real quillet program in the folder (the folder it was started in is the one it shows)
// to the first paint of its names (QUILLET_BENCH_FIRST_PAINT makes it print the clock then and
// end). Beside the floor: this program started the same way with --floor, which reads the
// folder, sorts the names with strcasecmp and shows an empty window until its first paint.
// Warm (the folder read once before), and cold where the page cache can be dropped (as root).
// Median of three runs each, alternated.

#include "bench_util.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace
{

long long NowNs()
{
    return std::chrono::steady_clock::now().time_since_epoch().count();
}

class FirstPaintExit : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            std::printf("%lld\n", NowNs());
            std::fflush(stdout);
            std::_Exit(0);
        }
        return false;
    }
};

// The floor's own process: the listing of the folder it was started in, and an empty window.
int Floor(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (bench::RawListing(QStringLiteral(".")) == 0)
        return 1;
    QWidget window;
    window.resize(800, 600);
    FirstPaintExit firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    return app.exec();
}

// Starts program in folder and returns the milliseconds from the exec to the first paint it
// reports; negative when it reported none.
double StartUpMs(const QByteArray& program, const char* argument, const QString& folder)
{
    int out[2];
    if (pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const QByteArray path = QFile::encodeName(folder);
    posix_spawn_file_actions_addchdir_np(&actions, path.constData());
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>(argument), nullptr};
    pid_t pid = 0;
    const long long startNs = NowNs();
    const int spawned = posix_spawn(&pid, program.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    QByteArray text;
    char buffer[64];
    ssize_t got = 0;
    while ((got = ::read(out[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, got);
    ::close(out[0]);
    int status = -1;
    if (spawned == 0)
        waitpid(pid, &status, 0);
    bool ok = false;
    const long long paintNs = text.trimmed().toLongLong(&ok);
    return ok && status == 0 ? double(paintNs - startNs) / 1e6 : -1;
}

// Whether the page cache (and with it the folder's entries) was dropped; needs root.
bool DropPageCache()
{
    ::sync();
    const int fd = ::open("/proc/sys/vm/drop_caches", O_WRONLY);
    const bool bDropped = fd >= 0 && ::write(fd, "3", 1) == 1;
    if (fd >= 0)
        ::close(fd);
    return bDropped;
}

// Three runs of each, alternated, the page cache dropped before each when cold.
void Bench(int n, bool bCold, const QByteArray& self, const QByteArray& quillet)
{
    const QString folder = bench::FolderOf(n);
    bench::RawListing(folder); // warm
    std::vector<double> floor, startUp;
    for (int round = 0; round < 3; ++round) {
        if (bCold)
            DropPageCache();
        floor.push_back(StartUpMs(self, "--floor", folder));
        if (bCold)
            DropPageCache();
        startUp.push_back(StartUpMs(quillet, nullptr, folder));
    }
    bench::Report(QStringLiteral("start-up, exec of quillet to its names painted, %1 files, %2")
                      .arg(n)
                      .arg(bCold ? "cold" : "warm"),
                  bench::Summary(startUp),
                  "exec to an empty window painted + readdir + strcasecmp sort",
                  bench::Summary(floor), n >= 1000000 && !bCold ? 1.3 : 0);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "--floor") == 0)
        return Floor(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    qputenv("QUILLET_BENCH_FIRST_PAINT", "1");
    const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
    const QByteArray quillet =
        QFile::encodeName(QCoreApplication::applicationDirPath() + "/quillet");
    for (const int n : {32767, 100000, 1000000})
        Bench(n, false, self, quillet);
    // Cold, as after a reboot, where the page cache can be dropped (as root).
    if (DropPageCache()) {
        for (const int n : {32767, 100000})
            Bench(n, true, self, quillet);
    } else {
        std::printf("(cannot drop the page cache without root: no cold start-up)\n");
    }
    return 0;
}
