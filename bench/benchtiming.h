// What the benchmarks time with.
#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <vector>

// The milliseconds one run of `work` takes: the mean over `runs` runs.
template<typename Work>
double msPerRun(Work work, int runs = 1)
{
    QElapsedTimer timer;
    timer.start();
    for (int run = 0; run < runs; ++run)
        work();
    return timer.nsecsElapsed() / 1e6 / runs;
}

// The middle one of `values`; 0 when there are none.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}
