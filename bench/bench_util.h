// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small timing helpers shared by the benchmark programs.

#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench
{

// Runs f `repeats` times and returns the median time of one run in milliseconds.
template <typename F> double MedianMs(int repeats, F&& f)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Prints one figure beside its floor and the ratio between them.
inline void Report(const QString& what, double ms, const QString& floorName, double floorMs)
{
    std::printf("%-52s %9.2f ms   floor (%s) %9.2f ms   ratio %5.2f\n", qPrintable(what), ms,
                qPrintable(floorName), floorMs, floorMs > 0 ? ms / floorMs : 0.0);
    std::fflush(stdout);
}

} // namespace bench
