// DirectHistory: the direct engine's recent input, widened to double once per sample. The last
// taps - 1 samples stay in front of each new block, so a block's window is contiguous; the kept
// samples move to the front only when the storage runs out, which a buffer of a few windows
// makes rare. Grows only when a longer block first arrives. Not locked: its owner guards it.
#pragma once

#include <cstdint>

#include "core/grow_buffer.h"

class DirectHistory {
 public:
  // [audio thread; allocates only for a longer block] Appends n samples (zeros for a null
  // source) behind the kept past (zeros at first) and returns the window: taps - 1 + n samples
  // ending with the block. Null when the storage cannot grow.
  const double* Append(const float* samples, int32_t n, int32_t taps) {
    const int32_t past = taps - 1;
    if (n == 1 && samples && count_ == past && start_ + count_ < storage_.GetSize() / 8) {
      double* end = storage_.GetAs<double>() + start_ + count_;
      *end = *samples;  // one sample, the common case at tiny blocks: no call
      ++count_;
      return end - past;
    }
    return AppendBlock(samples, n, taps);
  }

  // [audio thread, no allocation] Keeps only the last taps - 1 samples.
  void KeepPast(int32_t taps) {
    const int32_t past = taps > 1 ? taps - 1 : 0;
    if (count_ <= past) return;
    start_ += count_ - past;
    count_ = past;
  }

  // [set-up, no allocation] Forgets every sample; the storage stays.
  void Clear() { start_ = count_ = 0; }

 private:
  bool MakeRoom(int32_t samples) { return start_ + count_ + samples <= storage_.GetSize() / 8 || MoveOrGrow(samples); }
  bool MoveOrGrow(int32_t samples);
  const double* AppendBlock(const float* samples, int32_t n, int32_t taps);

  GrowBuffer storage_{4096};
  int32_t start_ = 0;  // first kept sample, in doubles
  int32_t count_ = 0;  // samples kept and appended
};
