// SPDX-License-Identifier: GPL-3.0-or-later
// Generation pass and search and replace over many names, each beside the cost of a
// plain deep copy of the same names into a new list (for the pass, on as many threads as
// the pass itself uses).

#include "bench_util.h"
#include "core/generation_pass.h"
#include "core/parallel.h"
#include "core/search_replace.h"

#include <QStringList>

#include <cstdlib>
#include <cstring>

using namespace quillet;

namespace
{

QStringList MakeNames(int n)
{
    static const char* const kStems[] = {"IMG_", "holiday  photo ", "Report final ", "DSC",
                                         "scan  page "};
    static const char* const kExtensions[] = {".jpg", ".JPG", ".png", ".txt", ".tar.gz"};
    QStringList names;
    names.reserve(n);
    for (int i = 0; i < n; ++i)
        names.append(QString::fromLatin1(kStems[i % 5]) + QString::number(i) +
                     QString::fromLatin1(kExtensions[(i / 5) % 5]));
    return names;
}

QStringList DeepCopy(const QStringList& names)
{
    QStringList copy;
    copy.reserve(names.size());
    for (const QString& s : names)
        copy.append(QString(s.constData(), s.size()));
    return copy;
}

// The same copy shared out over the same threads as the pass, so that the ratio shows
// what the pass costs beyond allocating and copying its names.
QStringList ParallelDeepCopy(const QStringList& names)
{
    QStringList copy(names.size());
    QString* out = copy.data();
    ForEachChunk(names.size(), 8192, [&](qsizetype nBegin, qsizetype nEnd) {
        for (qsizetype i = nBegin; i < nEnd; ++i)
            out[i] = QString(names[i].constData(), names[i].size());
    });
    return copy;
}

void BenchPass(int n)
{
    RenameSettings settings;
    settings.strSpaceMode = SpaceMode::NoRedundant;
    settings.bUseTemplate = true;
    settings.strTemplate = "Photo_###_*";
    settings.nCaseMode = CaseMode::CapitalizeInitial;
    settings.files = MakeNames(n);

    const int repeats = n > 100000 ? 7 : 21;
    qsizetype sink = 0;
    // One untimed round of each first: the threads' heaps grow to their size once.
    sink += ParallelDeepCopy(settings.files).size() + BuildNewNames(settings).size();
    // Alternated, so that both see the same load of the machine.
    std::vector<double> floorMs, passMs;
    for (int i = 0; i < repeats; ++i) {
        floorMs.push_back(
            bench::Time(1, [&] { sink += ParallelDeepCopy(settings.files).size(); }).median);
        passMs.push_back(bench::Time(1, [&] { sink += BuildNewNames(settings).size(); }).median);
    }
    const bench::Figure floor = bench::Summary(floorMs);
    const bench::Figure pass = bench::Summary(passMs);
    bench::Report(QString("generation pass (template, spaces, case), %1 names").arg(n), pass,
                  "deep copy on the same threads", floor, n >= 1000000 ? 2.0 : 0);
    if (sink == 0)
        std::printf("(nothing)\n");
}

void BenchSearchReplace(int n)
{
    const QStringList names = MakeNames(n);
    qsizetype sink = 0;
    const bench::Figure floor = bench::Time(21, [&] { sink += DeepCopy(names).size(); });
    const bench::Figure replace = bench::Time(21, [&] {
        QStringList entries = DeepCopy(names);
        SearchAndReplace(entries, "photo", "picture");
        sink += entries.size();
    });
    bench::Report(QString("search and replace (with its copy), %1 names").arg(n), replace,
                  "deep copy", floor);
    if (sink == 0)
        std::printf("(nothing)\n");
}

} // namespace

int main(int argc, char* argv[])
{
    // "--pass N": the generation pass alone over N names, for a profiler.
    if (argc == 3 && std::strcmp(argv[1], "--pass") == 0) {
        BenchPass(std::atoi(argv[2]));
        return 0;
    }
    BenchPass(32767);
    BenchPass(1000000);
    BenchSearchReplace(32767);
    return 0;
}
