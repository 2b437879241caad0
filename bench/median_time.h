// The median of repeated timings, the figure the harnesses print.
#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <functional>
#include <vector>

// Median of `runs` timings of `work`, in milliseconds.
inline double MedianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
