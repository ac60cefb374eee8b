// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QThreadPool>
#include <utility>

namespace quillet
{

// Frees a list no longer wanted; a large one on a thread of the pool, so that the window does
// not wait for it: a million names or records take a good part of a frame to free. A list
// still shared elsewhere only loses this reference here.
template <typename List> void ReleaseAway(List list)
{
    if (list.size() < 10000 || !list.isDetached())
        return;
    QThreadPool::globalInstance()->start([freed = std::move(list)]() mutable { freed = {}; });
}

} // namespace quillet
