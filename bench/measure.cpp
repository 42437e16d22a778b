#include "bench/measure.h"

#include <algorithm>
#include <chrono>

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

double Microseconds(const Operation& operation, long calls) {
  const Clock::time_point start = Clock::now();
  for (long i = 0; i < calls; ++i) operation();
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// Calls per run: doubled until one run takes the minimum time.
long CallsPerRun(const Operation& operation, double minimumMicroseconds) {
  long calls = 1;
  while (Microseconds(operation, calls) < minimumMicroseconds && calls < (1L << 30)) calls *= 2;
  return calls;
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

}  // namespace

std::vector<double> MedianNanoseconds(const std::vector<Operation>& operations, int runs, double minimumMicroseconds) {
  std::vector<long> calls;
  for (const Operation& operation : operations) calls.push_back(CallsPerRun(operation, minimumMicroseconds));
  std::vector<std::vector<double>> perCall(operations.size());
  for (int run = 0; run < runs; ++run) {
    for (size_t i = 0; i < operations.size(); ++i) {
      perCall[i].push_back(1000.0 * Microseconds(operations[i], calls[i]) / static_cast<double>(calls[i]));
    }
  }
  std::vector<double> medians;
  for (const std::vector<double>& values : perCall) medians.push_back(Median(values));
  return medians;
}

double MedianNanoseconds(const Operation& operation, int runs, double minimumMicroseconds) {
  return MedianNanoseconds(std::vector<Operation>{operation}, runs, minimumMicroseconds)[0];
}

std::vector<double> NanosecondsPerSample(const std::vector<float>& input, int32_t block,
                                         const std::vector<BlockProcess>& processes, int runs,
                                         double minimumMicroseconds) {
  std::vector<float> out(input.size());
  const int32_t length = static_cast<int32_t>(input.size());
  std::vector<Operation> operations;
  for (const BlockProcess& process : processes) {
    operations.push_back([&input, &out, &process, block, length] {
      for (int32_t start = 0; start + block <= length; start += block) {
        process(input.data() + start, out.data() + start, block);
      }
    });
  }
  std::vector<double> ns = MedianNanoseconds(operations, runs, minimumMicroseconds);
  for (double& value : ns) value /= static_cast<double>(length / block * block);
  return ns;
}

}  // namespace bench
