// ILatencyDelay: the bypass path's delay line. Bypassed output is the input delayed by exactly
// the delay length, starting from silence; input and output may be the same buffer. The ring
// is sized by SetDelayLength [set-up, may allocate]; Process allocates nothing [audio thread,
// instance lock held].
#pragma once

#include <cstdint>

#include "core/grow_buffer.h"

class ILatencyDelay {
 public:
  ILatencyDelay(int32_t inputCount, int32_t outputCount, int32_t delayLength = 0);
  ILatencyDelay(const ILatencyDelay&) = delete;
  ILatencyDelay& operator=(const ILatencyDelay&) = delete;

  // Resizes the ring to length x inputs values, zeroes it and starts writing at 0. When the
  // ring cannot grow, the length becomes what the ring holds (so Process never overruns it).
  void SetDelayLength(int32_t length);
  int32_t GetDelayLength() const { return delayLength_; }

  // Output j = input j delayed, for every channel below both counts; outputs beyond the
  // inputs are silent, channels without a buffer are skipped. Nothing happens with a zero length.
  void Process(double** inputs, double** outputs, int32_t frames);

 private:
  GrowBuffer ring_;  // doubles, channel j at j x delay length
  int32_t writePosition_ = 0;
  int32_t inputCount_;
  int32_t outputCount_;
  int32_t delayLength_ = 0;
};
