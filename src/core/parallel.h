// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRunnable>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

namespace quillet
{

// Runs fn(begin, end) over [0, n) in contiguous blocks on the calling thread and the threads of
// Qt's global pool (one per processor core, at most four), which stay alive between calls.
// Returns when all blocks are done. Below nMinimum items it runs on the calling thread alone,
// where handing work out would cost more than it saves.
// The blocks are handed out one at a time to whichever thread is free, many per thread, so that
// a thread that is slower (another process on its core, its allocator's memory gone cold) does
// fewer of them instead of keeping the others waiting.
// A task the pool has not started by the time the caller runs out of blocks is taken back,
// so a call from a thread of the pool itself cannot wait forever.
// fn must only write to the items of its own block.
template <typename F> void ForEachChunk(qsizetype n, qsizetype nMinimum, F&& fn)
{
    const qsizetype nThreads =
        n < nMinimum ? 1 : std::clamp<qsizetype>(qsizetype(QThread::idealThreadCount()), 1, 4);
    if (nThreads <= 1) {
        fn(qsizetype(0), n);
        return;
    }
    const qsizetype nBlock = std::max<qsizetype>(1024, n / (nThreads * 64));
    std::atomic<qsizetype> nNext{0};
    const auto work = [&fn, &nNext, n, nBlock] {
        for (qsizetype nBegin = nNext.fetch_add(nBlock); nBegin < n;
             nBegin = nNext.fetch_add(nBlock))
            fn(nBegin, std::min(n, nBegin + nBlock));
    };
    QThreadPool* pool = QThreadPool::globalInstance();
    QSemaphore done;
    std::vector<std::unique_ptr<QRunnable>> tasks;
    for (qsizetype t = 1; t < nThreads; ++t) {
        tasks.emplace_back(QRunnable::create([&work, &done] {
            work();
            done.release();
        }));
        tasks.back()->setAutoDelete(false);
        pool->start(tasks.back().get());
    }
    work();
    for (const std::unique_ptr<QRunnable>& task : tasks) {
        if (pool->tryTake(task.get()))
            task->run();
    }
    done.acquire(int(tasks.size()));
}

} // namespace quillet
