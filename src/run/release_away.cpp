// SPDX-License-Identifier: GPL-3.0-or-later
#include "release_away.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace quillet
{

void ReturnFreedMemory()
{
#if defined(__GLIBC__)
    // Also the free pages in the middle of each arena, not only those at its top.
    malloc_trim(0);
#endif
}

void ReturnFreedMemoryAway()
{
    QThreadPool::globalInstance()->start([] { ReturnFreedMemory(); });
}

void ReturnLargeBlocksWhenFreed()
{
#if defined(__GLIBC__)
    // A fixed threshold also ends the library's raising it to the largest block freed.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

} // namespace quillet
