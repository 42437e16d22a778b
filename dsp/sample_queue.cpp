#include "dsp/sample_queue.h"

#include <algorithm>
#include <cstring>

float* SampleQueue::Add(const float* source, int32_t bytes) {
  if (readPosition_ >= samples_.GetSize()) Empty();
  if (bytes <= 0) return nullptr;
  const int32_t oldSize = samples_.GetSize();
  if (bytes > INT32_MAX - oldSize) return nullptr;
  samples_.Resize(oldSize + bytes, false);
  if (samples_.GetSize() != oldSize + bytes) return nullptr;
  char* destination = samples_.GetAs<char>() + oldSize;
  if (source) std::memcpy(destination, source, static_cast<size_t>(bytes));
  return reinterpret_cast<float*>(destination);
}

void SampleQueue::Advance(int32_t samples) {
  const int32_t used = samples_.GetSize();
  const int64_t position = int64_t{readPosition_} + 4 * int64_t{samples};
  readPosition_ = static_cast<int32_t>(std::clamp<int64_t>(position, 0, used));
  if (readPosition_ > used / 2) {
    const int32_t unread = used - readPosition_;
    char* data = samples_.GetAs<char>();
    if (unread > 0) std::memmove(data, data + readPosition_, static_cast<size_t>(unread));
    samples_.Resize(unread, false);
    readPosition_ = 0;
  }
}

void SampleQueue::Empty() {
  samples_.Resize(0, false);
  readPosition_ = 0;
}

float* SampleQueue::GetUnread() const {
  if (readPosition_ < 0 || readPosition_ >= samples_.GetSize()) return nullptr;
  return reinterpret_cast<float*>(samples_.GetAs<char>() + readPosition_);
}
