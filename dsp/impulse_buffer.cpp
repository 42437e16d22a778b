#include "dsp/impulse_buffer.h"

#include <algorithm>
#include <cstring>

void ImpulseBuffer::SetChannelCount(int32_t count) {
  count = std::clamp(count, 1, kMaxChannels);
  if (count == channelCount_) return;
  if (count == 2) {
    const int32_t bytes = channels_[0].GetSize();
    channels_[1].Resize(bytes, false);
    if (channels_[1].GetSize() != bytes) return;  // no second channel to be had: stay at one
    if (bytes > 0) std::memcpy(channels_[1].Get(), channels_[0].Get(), bytes);
  } else {
    channels_[1].Resize(0, false);
  }
  channelCount_ = count;
}

int32_t ImpulseBuffer::SetLength(int32_t samples) {
  samples = std::clamp(samples, 0, INT32_MAX / 4);
  const int32_t bytes = samples * 4;
  for (int32_t c = 0; c < channelCount_; ++c) {
    GrowBuffer& channel = channels_[c];
    const int32_t oldBytes = channel.GetSize();
    if (oldBytes == bytes) continue;
    channel.Resize(bytes, false);
    if (channel.GetSize() != bytes) {
      for (GrowBuffer& each : channels_) each.Resize(0, true);
      return 0;
    }
    if (bytes > oldBytes) std::memset(channel.GetAs<char>() + oldBytes, 0, static_cast<size_t>(bytes - oldBytes));
  }
  return GetLength(0);
}

int32_t ImpulseBuffer::GetLength(int32_t channel) const {
  if (channel < 0 || channel >= kMaxChannels) return 0;
  return channels_[channel].GetSize() / 4;
}

float* ImpulseBuffer::GetChannel(int32_t channel) const {
  if (channel < 0 || channel >= kMaxChannels) return nullptr;
  return channels_[channel].GetAs<float>();
}
