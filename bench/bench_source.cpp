// SPDX-License-Identifier: GPL-3.0-or-later
// Listing a folder with the extension filter rebuilt, beside a floor measured in the same
// run: a raw readdir of the same folder and a strcasecmp sort of the names as bytes.
#include "bench_util.h"
#include "source/extension_filter.h"
#include "source/file_list.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <string>
#include <strings.h>
#include <unistd.h>
#include <vector>

using namespace quillet;

namespace
{

// Empty files with names of mixed case and a dozen extensions, created in an order that
// is not the sorted one.
bool MakeFolder(const QString& path, int nFiles)
{
    static const char* const stems[] = {"Photo_", "doc ", "IMG", "report-", "Zeta", "alpha"};
    static const char* const extensions[] = {"jpg",    "JPG", "txt",  "Txt", "pdf", "png",
                                             "tar.gz", "mp3", "DOCX", "c",   "h",   "md"};
    for (int i = 0; i < nFiles; ++i) {
        const int n = (i * 7919) % nFiles;
        const QByteArray name = QFile::encodeName(path) + '/' + stems[n % 6] +
                                QByteArray::number(n) + '.' + extensions[(n / 6) % 12];
        const int fd = ::open(name.constData(), O_CREAT | O_WRONLY, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
    }
    return true;
}

qsizetype ListWithFilter(const QString& path)
{
    FileList list;
    if (!list.SetPath(path))
        return -1;
    const QStringList entries = FillExtensionFilter(list);
    return entries.isEmpty() ? -1 : list.Count();
}

// The median time of run over nRounds rounds with its spread; nothing when it listed a
// number of names other than nExpected.
template <typename F> std::optional<bench::Figure> Timed(F&& run, qsizetype nExpected, int nRounds)
{
    std::vector<double> times;
    for (int i = 0; i < nRounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        const qsizetype n = run();
        times.push_back(bench::ElapsedMs(timer));
        if (n != nExpected) {
            std::fprintf(stderr, "listed %lld names, expected %lld\n", static_cast<long long>(n),
                         static_cast<long long>(nExpected));
            return std::nullopt;
        }
    }
    return bench::Summary(times);
}

} // namespace

int main()
{
    for (const int nFiles : {10000, 100000}) {
        QTemporaryDir dir;
        if (!dir.isValid() || !MakeFolder(dir.path(), nFiles)) {
            std::fprintf(stderr, "cannot create the folder of %d files\n", nFiles);
            return 1;
        }
        const int nRounds = nFiles >= 100000 ? 5 : 15;
        // Warm the directory cache before either is timed.
        bench::RawListing(dir.path());
        const auto floor = Timed([&] { return bench::RawListing(dir.path()); }, nFiles, nRounds);
        const auto list = Timed([&] { return ListWithFilter(dir.path()); }, nFiles, nRounds);
        if (!floor || !list)
            return 1;
        bench::Report(QStringLiteral("list %1 files + filter rebuild").arg(nFiles), *list,
                      "readdir + strcasecmp sort", *floor, 2.0);
    }
    // The figures are reported, not enforced: timings vary with the machine and its load.
    return 0;
}
