// SPDX-License-Identifier: GPL-3.0-or-later
// Generation pass and search and replace over many names, each beside the cost of a
// plain deep copy of the same names into a new list (for the pass, on as many threads as
// the pass itself uses).

#include "bench_util.h"
#include "core/generation_pass.h"
#include "core/parallel.h"
#include "core/search_replace.h"

#include <QStringList>

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

    const int repeats = n > 100000 ? 5 : 21;
    qsizetype sink = 0;
    // One untimed round of each first: the threads' heaps grow to their size once.
    sink += ParallelDeepCopy(settings.files).size() + BuildNewNames(settings).size();
    const bench::Figure floor =
        bench::Time(repeats, [&] { sink += ParallelDeepCopy(settings.files).size(); });
    const bench::Figure pass =
        bench::Time(repeats, [&] { sink += BuildNewNames(settings).size(); });
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

int main()
{
    BenchPass(32767);
    BenchPass(1000000);
    BenchSearchReplace(32767);
    return 0;
}
