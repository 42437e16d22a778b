// ImpulseBuffer: an impulse response of one or two float channels that its owner fills and hands
// to ConvolutionChain::SetImpulse. Both channels always have the same length. Not locked: the
// owner guards it.
#pragma once

#include <cstdint>

#include "core/grow_buffer.h"

class ImpulseBuffer {
 public:
  static constexpr int32_t kMaxChannels = 2;

  // [set-up; may allocate] Clamps to 1..2. Growing to two channels copies channel 0 into
  // channel 1 (when channel 1 cannot grow, the count stays 1); shrinking to one empties
  // channel 1 (its allocation stays).
  void SetChannelCount(int32_t count);

  // [set-up; may allocate] Resizes every channel to samples (new samples zero; no shrink). When a
  // channel cannot grow, every channel is emptied and freed and the result is 0; otherwise it
  // is channel 0's length.
  int32_t SetLength(int32_t samples);

  int32_t GetChannelCount() const { return channelCount_; }
  // Samples of a channel (0 for channels outside 0..1).
  int32_t GetLength(int32_t channel) const;
  // The samples of a channel for its owner to fill, or null while it is empty.
  float* GetChannel(int32_t channel) const;

  double sampleRate = 44100.0;

 private:
  GrowBuffer channels_[kMaxChannels] = {GrowBuffer(4096), GrowBuffer(4096)};
  int32_t channelCount_ = 1;
};
