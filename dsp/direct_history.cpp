#include "dsp/direct_history.h"

#include <algorithm>
#include <cstring>

#include "dsp/direct_convolution.h"

bool DirectHistory::MoveOrGrow(int32_t samples) {
  const int32_t capacity = storage_.GetSize() / 8;
  double* data = storage_.GetAs<double>();
  if (count_ > 0 && start_ > 0) std::memmove(data, data + start_, 8 * static_cast<size_t>(count_));
  start_ = 0;
  if (count_ + samples <= capacity) return true;
  // Room for a few windows, so that moving the kept samples stays rare.
  const int64_t wanted = std::max<int64_t>(4 * (int64_t{count_} + samples), 1024);
  if (wanted > INT32_MAX / 8) return false;
  storage_.Resize(static_cast<int32_t>(8 * wanted), false);
  return storage_.GetSize() == 8 * wanted;
}

const double* DirectHistory::AppendBlock(const float* samples, int32_t n, int32_t taps) {
  const int32_t past = taps - 1;
  if (count_ < past) {
    if (!MakeRoom(past - count_)) return nullptr;
    std::memset(storage_.GetAs<double>() + start_ + count_, 0, 8 * static_cast<size_t>(past - count_));
    count_ = past;
  }
  if (!MakeRoom(n)) return nullptr;
  double* end = storage_.GetAs<double>() + start_ + count_;
  if (samples) {
    WidenToDouble(samples, end, n);
  } else {
    std::memset(end, 0, 8 * static_cast<size_t>(n));
  }
  count_ += n;
  return storage_.GetAs<double>() + start_ + count_ - (past + n);
}
