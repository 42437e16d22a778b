// Timing for the benchmark: the median over several runs in this process of the time one
// operation takes, each run repeating it long enough to be measured reliably. Operations that
// are compared run interleaved, run by run, so that a passing load on the machine hits them alike.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace bench {

using Operation = std::function<void()>;

// [benchmark thread] Median nanoseconds per call of each operation over runs, after a warm-up;
// each run calls an operation until at least minimumMicroseconds have passed (at least once).
std::vector<double> MedianNanoseconds(const std::vector<Operation>& operations, int runs = 21,
                                      double minimumMicroseconds = 1000);

// The same for one operation.
double MedianNanoseconds(const Operation& operation, int runs = 21, double minimumMicroseconds = 1000);

// A block routine under measurement: frames samples from in to out.
using BlockProcess = std::function<void(const float* in, float* out, int32_t frames)>;

// [benchmark thread] Median nanoseconds per sample for each process to run the input in blocks
// of `block` (a tail that fills no block is left out), the processes interleaved.
std::vector<double> NanosecondsPerSample(const std::vector<float>& input, int32_t block,
                                         const std::vector<BlockProcess>& processes, int runs,
                                         double minimumMicroseconds);

}  // namespace bench
