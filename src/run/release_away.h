// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QThreadPool>
#include <utility>

namespace quillet
{

// Gives the memory freed so far back to the system, where the C library keeps it for the
// process otherwise: a large run frees a good part of the window's memory in small pieces,
// which would stay the process's until its end. Takes a few milliseconds on a large heap.
void ReturnFreedMemory();

// ReturnFreedMemory on a thread of the pool, so that the window does not wait for it.
void ReturnFreedMemoryAway();

// For the whole process, from its start: a block of a megabyte or more (a list of many names,
// the record of a run) is given back to the system as soon as it is freed. The C library
// would otherwise keep such blocks in its heap once one of their size was freed, where the
// next run's lists fragment it.
void ReturnLargeBlocksWhenFreed();

// Frees a list no longer wanted; a large one on a thread of the pool, so that the window does
// not wait for it: a million names or records take a good part of a frame to free. A list
// still shared elsewhere only loses this reference here. With bReturnMemory (at the end of a
// run, not at every keystroke), ReturnFreedMemory follows.
template <typename List> void ReleaseAway(List list, bool bReturnMemory = false)
{
    if (list.size() < 10000 || !list.isDetached())
        return;
    QThreadPool::globalInstance()->start([freed = std::move(list), bReturnMemory]() mutable {
        freed = {};
        if (bReturnMemory)
            ReturnFreedMemory();
    });
}

} // namespace quillet
