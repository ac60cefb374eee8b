// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small helpers shared by the benchmark programs: figures as the median of a few runs with
// their spread, the floors they are printed beside (a no-replace rename loop, a raw listing)
// and the folders of many files they run on.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace bench
{

// A figure: the median of several runs and the fastest and slowest of them.
struct Figure {
    double median = 0;
    double min = 0;
    double max = 0;
    int runs = 0;
};

inline Figure Summary(std::vector<double> v)
{
    if (v.empty())
        return {};
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v.front(), v.back(), int(v.size())};
}

inline double ElapsedMs(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Runs f `repeats` times and returns its time in milliseconds.
template <typename F> Figure Time(int repeats, F&& f)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        times.push_back(ElapsedMs(timer));
    }
    return Summary(times);
}

// Runs f `repeats` times; f measures itself (its setup untimed) and returns milliseconds.
template <typename F> Figure Measure(int repeats, F&& f)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i)
        times.push_back(f());
    return Summary(times);
}

inline QString Text(const Figure& f, const char* unit = "ms")
{
    return QStringLiteral("%1 %2 (%3-%4, %5 runs)")
        .arg(f.median, 0, 'f', 2)
        .arg(QLatin1String(unit))
        .arg(f.min, 0, 'f', 2)
        .arg(f.max, 0, 'f', 2)
        .arg(f.runs);
}

// Prints what a figure times beside its floor and the ratio of the medians; with a goal,
// whether the ratio meets it.
inline void Report(const QString& what, const Figure& figure, const QString& floorName,
                   const Figure& floor, double goal = 0)
{
    const double ratio = floor.median > 0 ? figure.median / floor.median : 0.0;
    std::printf("%s\n    %-40s floor (%s) %s   ratio %.2f", qPrintable(what),
                qPrintable(Text(figure)), qPrintable(floorName), qPrintable(Text(floor)), ratio);
    if (goal > 0)
        std::printf("   goal %.2f%s", goal, ratio <= goal ? "" : "  ABOVE GOAL");
    std::printf("\n");
    std::fflush(stdout);
}

inline double ResidentMB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? double(fields[1].toLongLong()) * double(sysconf(_SC_PAGESIZE)) / 1e6
                             : 0;
}

// The bytes of the names' own text as the program holds them (UTF-16), in MB.
inline double NamesMB(const QStringList& names)
{
    qsizetype n = 0;
    for (const QString& name : names)
        n += name.size() * qsizetype(sizeof(QChar));
    return double(n) / 1e6;
}

// The floor of renaming: a loop of renameat2(RENAME_NOREPLACE) in the folder, as the program's
// own renames refuse to replace a file. Returns milliseconds, negative when one failed.
inline double NoReplaceLoopMs(const QString& folder, const QStringList& from, const QStringList& to)
{
    std::vector<QByteArray> f, t;
    for (qsizetype i = 0; i < from.size(); ++i) {
        f.push_back(QFile::encodeName(from[i]));
        t.push_back(QFile::encodeName(to[i]));
    }
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    QElapsedTimer timer;
    timer.start();
    bool ok = dir >= 0;
    for (size_t i = 0; ok && i < f.size(); ++i)
        ok = ::renameat2(dir, f[i].constData(), dir, t[i].constData(), RENAME_NOREPLACE) == 0;
    const double ms = ElapsedMs(timer);
    if (dir >= 0)
        ::close(dir);
    if (!ok)
        std::perror("bench: renameat2");
    return ok ? ms : -1;
}

// Empty files of the given names in folder; false when one could not be made.
inline bool MakeFiles(const QString& folder, const QStringList& names)
{
    const QByteArray base = QFile::encodeName(folder) + '/';
    for (const QString& name : names) {
        const int fd =
            ::open((base + QFile::encodeName(name)).constData(), O_CREAT | O_EXCL | O_WRONLY, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
    }
    return true;
}

// The folder the benchmarks keep their folders in: QUILLET_BENCH_DIR, else beside the build.
inline QString BenchRoot()
{
    return QDir::cleanPath(qEnvironmentVariableIsEmpty("QUILLET_BENCH_DIR")
                               ? QCoreApplication::applicationDirPath() + "/../bench-folders"
                               : qEnvironmentVariable("QUILLET_BENCH_DIR"));
}

inline QString PhotoName(int i)
{
    return QStringLiteral("holiday photo %1.jpg").arg(i, 7, 10, QLatin1Char('0'));
}

// The folder of n empty files named PhotoName(0..n-1), made once and kept.
inline QString FolderOf(int n)
{
    const QString path = BenchRoot() + QStringLiteral("/files-%1").arg(n);
    const QString done = path + "/.complete";
    if (QFile::exists(done))
        return path;
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    for (int i = 0; i < n; ++i) {
        const int fd = ::open(QFile::encodeName(path + '/' + PhotoName(i)).constData(),
                              O_CREAT | O_WRONLY, 0644);
        if (fd >= 0)
            ::close(fd);
    }
    QFile(done).open(QIODevice::WriteOnly);
    return path;
}

// The raw listing: readdir and a case-insensitive byte sort, no text conversion.
inline qsizetype RawListing(const QString& path)
{
    std::vector<std::string> names;
    DIR* dir = opendir(QFile::encodeName(path).constData());
    if (!dir)
        return 0;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] != '.')
            names.emplace_back(entry->d_name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    });
    return qsizetype(names.size());
}

// quillet-batch alone (installed beside the benchmark) on script, which renames in folder:
// the script on its standard input, its report to a file beside the folder; blocks in waitpid
// until it has ended. Returns milliseconds, negative when it failed.
inline double BatchAloneMs(const QString& folder, const QByteArray& script, qsizetype pairs)
{
    const QByteArray scriptPath = QFile::encodeName(folder + "/../bench-script");
    const QByteArray reportPath = QFile::encodeName(folder + "/../bench-report");
    const QByteArray journalPath = QFile::encodeName(folder + "/../bench-journal");
    // As the window starts it: the folder's identity, which its cd must find, and the journal.
    struct stat st;
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0)
        return -1;
    const QByteArray identity =
        QByteArray::number(quint64(st.st_dev)) + ':' + QByteArray::number(quint64(st.st_ino));
    const QByteArray count = QByteArray::number(pairs);
    QFile file(QFile::decodeName(scriptPath));
    if (!file.open(QIODevice::WriteOnly) || file.write(script) != script.size())
        return -1;
    file.close();
    const QByteArray program =
        QFile::encodeName(QCoreApplication::applicationDirPath() + "/quillet-batch");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, scriptPath.constData(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, reportPath.constData(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    char* argv[] = {const_cast<char*>(program.constData()),
                    const_cast<char*>("--report"),
                    const_cast<char*>("--folder-identity"),
                    const_cast<char*>(identity.constData()),
                    const_cast<char*>("--journal"),
                    const_cast<char*>(journalPath.constData()),
                    const_cast<char*>("--pairs"),
                    const_cast<char*>(count.constData()),
                    const_cast<char*>("-"),
                    nullptr};
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    int status = -1;
    if (posix_spawn(&pid, program.constData(), &actions, nullptr, argv, environ) == 0)
        waitpid(pid, &status, 0);
    const double ms = ElapsedMs(timer);
    posix_spawn_file_actions_destroy(&actions);
    ::unlink(journalPath.constData()); // as the window does once it has read the report
    return status == 0 ? ms : -1;
}

} // namespace bench
