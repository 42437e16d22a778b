// Timing for the benchmark: the median over several runs in this process of the time one
// operation takes, each run repeating it long enough to be measured reliably.
#pragma once

#include <functional>

namespace bench {

// [benchmark thread] Median nanoseconds per call of operation over runs, after one warm-up run;
// each run calls it until at least minimumMicroseconds have passed (at least once).
double MedianNanoseconds(const std::function<void()>& operation, int runs = 15, double minimumMicroseconds = 2000);

}  // namespace bench
