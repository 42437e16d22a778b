#include "dsp/fft_tables.h"

#include <cmath>

namespace fft {
namespace {

constexpr int32_t kMinTableSize = 16;
constexpr int32_t kLargePassSize = 1024;
constexpr int32_t kTableCount = 12;  // 16 .. 32768
constexpr double kPi = 3.14159265358979323846;

int32_t TableIndex(int32_t n) {
  int32_t index = 0;
  for (int32_t size = kMinTableSize; size <= kMaxSize; size *= 2, ++index) {
    if (size == n) return index;
  }
  return -1;
}

constexpr int32_t CountFor(int32_t n) {
  return n == kMinTableSize ? 3 : n < kLargePassSize ? n / 4 - 1 : n / 8 - 1;
}

constexpr int32_t TotalEntries() {
  int32_t total = 0;
  for (int32_t n = kMinTableSize; n <= kMaxSize; n *= 2) total += CountFor(n);
  return total;
}

constexpr int32_t kLog2MinTableSize = 4;

struct Tables {
  float pairs[2 * TotalEntries()];
  int32_t start[kTableCount];
  const float* byLog2[kLog2MinTableSize + kTableCount] = {};

  Tables() {
    int32_t next = 0;
    for (int32_t n = kMinTableSize, index = 0; n <= kMaxSize; n *= 2, ++index) {
      start[index] = next;
      byLog2[kLog2MinTableSize + index] = pairs + next;
      const double step = 2.0 * kPi / n;
      for (int32_t k = 1; k <= CountFor(n); ++k, next += 2) {
        pairs[next] = static_cast<float>(std::cos(k * step));
        pairs[next + 1] = static_cast<float>(std::sin(k * step));
      }
    }
  }
};

// A function-local static: its construction is guarded, so two threads that make the first call
// at once both see complete tables.
const Tables& BuiltTables() {
  static const Tables tables;
  return tables;
}

}  // namespace

int32_t TwiddleCount(int32_t n) { return TableIndex(n) < 0 ? 0 : CountFor(n); }

const float* Twiddles(int32_t n) {
  int32_t index = TableIndex(n);
  if (index < 0) return nullptr;
  const Tables& tables = BuiltTables();
  return tables.pairs + tables.start[index];
}

const float* const* TwiddlesByLog2() { return BuiltTables().byLog2; }

}  // namespace fft
