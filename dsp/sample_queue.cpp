#include "dsp/sample_queue.h"

#include <algorithm>
#include <cstring>

// Grows by the buffer's own rule, then takes its whole allocation as storage.
bool SampleQueue::Reserve(int32_t bytes) {
  if (bytes <= storage_.GetSize()) return true;
  storage_.Resize(bytes, false);
  if (storage_.GetSize() != bytes) return false;
  storage_.Resize(storage_.GetAllocated(), false);
  return true;
}

float* SampleQueue::Add(const float* source, int32_t bytes) {
  if (readPosition_ >= used_) Empty();
  if (bytes <= 0 || bytes > INT32_MAX - used_ || !Reserve(used_ + bytes)) return nullptr;
  char* destination = storage_.GetAs<char>() + used_;
  if (source) std::memcpy(destination, source, static_cast<size_t>(bytes));
  used_ += bytes;
  return reinterpret_cast<float*>(destination);
}

void SampleQueue::Advance(int32_t samples) {
  const int64_t position = int64_t{readPosition_} + 4 * int64_t{samples};
  readPosition_ = static_cast<int32_t>(std::clamp<int64_t>(position, 0, used_));
  if (readPosition_ > used_ / 2) {
    const int32_t unread = used_ - readPosition_;
    char* data = storage_.GetAs<char>();
    if (unread > 0) std::memmove(data, data + readPosition_, static_cast<size_t>(unread));
    used_ = unread;
    readPosition_ = 0;
  }
}
