#pragma once

#include <QtGlobal>
#include <algorithm>
#include <thread>
#include <vector>

namespace quillet
{

// Runs fn(begin, end) over [0, n) in contiguous chunks, one per processor core, on
// threads of its own; returns when all chunks are done. Below nMinimum items it runs on
// the calling thread alone, where starting threads would cost more than it saves.
// fn must only write to the items of its own chunk.
template <typename F> void ForEachChunk(qsizetype n, qsizetype nMinimum, F&& fn)
{
    const qsizetype nThreads =
        n < nMinimum ? 1
                     : std::clamp<qsizetype>(qsizetype(std::thread::hardware_concurrency()), 1, 4);
    if (nThreads <= 1) {
        fn(qsizetype(0), n);
        return;
    }
    const qsizetype nChunk = (n + nThreads - 1) / nThreads;
    std::vector<std::thread> threads;
    for (qsizetype t = 1; t < nThreads; ++t) {
        const qsizetype nBegin = t * nChunk;
        const qsizetype nEnd = std::min(n, nBegin + nChunk);
        if (nBegin < nEnd)
            threads.emplace_back([&fn, nBegin, nEnd] { fn(nBegin, nEnd); });
    }
    fn(qsizetype(0), std::min(n, nChunk));
    for (std::thread& thread : threads)
        thread.join();
}

} // namespace quillet
