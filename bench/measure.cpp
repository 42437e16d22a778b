#include "bench/measure.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

// Calls per run: doubled until one run takes the minimum time.
long CallsPerRun(const std::function<void()>& operation, double minimumMicroseconds) {
  long calls = 1;
  for (;;) {
    const Clock::time_point start = Clock::now();
    for (long i = 0; i < calls; ++i) operation();
    const double elapsed = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    if (elapsed >= minimumMicroseconds || calls >= (1L << 30)) return calls;
    calls *= 2;
  }
}

}  // namespace

double MedianNanoseconds(const std::function<void()>& operation, int runs, double minimumMicroseconds) {
  const long calls = CallsPerRun(operation, minimumMicroseconds);
  std::vector<double> perCall;
  for (int run = 0; run < runs; ++run) {
    const Clock::time_point start = Clock::now();
    for (long i = 0; i < calls; ++i) operation();
    perCall.push_back(std::chrono::duration<double, std::nano>(Clock::now() - start).count() / calls);
  }
  std::nth_element(perCall.begin(), perCall.begin() + runs / 2, perCall.end());
  return perCall[runs / 2];
}

}  // namespace bench
