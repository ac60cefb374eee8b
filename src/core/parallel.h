// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRunnable>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <QtGlobal>

#include <algorithm>
#include <memory>
#include <vector>

namespace quillet
{

// Runs fn(begin, end) over [0, n) in contiguous chunks, one per processor core (at most four),
// on the threads of Qt's global pool, which stay alive between calls; the calling thread takes
// the first chunk. Returns when all chunks are done. Below nMinimum items it runs on the
// calling thread alone, where handing work out would cost more than it saves.
// A chunk the pool has not started by the time the caller is done with its own is taken back
// and run by the caller, so a call from a thread of the pool itself cannot wait forever.
// fn must only write to the items of its own chunk.
template <typename F> void ForEachChunk(qsizetype n, qsizetype nMinimum, F&& fn)
{
    const qsizetype nThreads =
        n < nMinimum ? 1 : std::clamp<qsizetype>(qsizetype(QThread::idealThreadCount()), 1, 4);
    if (nThreads <= 1) {
        fn(qsizetype(0), n);
        return;
    }
    const qsizetype nChunk = (n + nThreads - 1) / nThreads;
    QThreadPool* pool = QThreadPool::globalInstance();
    QSemaphore done;
    std::vector<std::unique_ptr<QRunnable>> tasks;
    for (qsizetype t = 1; t < nThreads; ++t) {
        const qsizetype nBegin = t * nChunk;
        const qsizetype nEnd = std::min(n, nBegin + nChunk);
        if (nBegin >= nEnd)
            break;
        tasks.emplace_back(QRunnable::create([&fn, &done, nBegin, nEnd] {
            fn(nBegin, nEnd);
            done.release();
        }));
        tasks.back()->setAutoDelete(false);
        pool->start(tasks.back().get());
    }
    fn(qsizetype(0), std::min(n, nChunk));
    for (const std::unique_ptr<QRunnable>& task : tasks) {
        if (pool->tryTake(task.get()))
            task->run();
    }
    done.acquire(int(tasks.size()));
}

} // namespace quillet
