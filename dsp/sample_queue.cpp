#include "dsp/sample_queue.h"

// Grows by the buffer's own rule, then takes its whole allocation as storage.
bool SampleQueue::Reserve(int32_t bytes) {
  if (bytes <= storage_.GetSize()) return true;
  storage_.Resize(bytes, false);
  if (storage_.GetSize() != bytes) return false;
  storage_.Resize(storage_.GetAllocated(), false);
  return true;
}

float* SampleQueue::AddGrowing(const float* source, int32_t bytes) {
  if (bytes <= 0 || bytes > INT32_MAX - used_ || !Reserve(used_ + bytes)) return nullptr;
  return Add(source, bytes);
}

void SampleQueue::Compact() {
  const int32_t unread = used_ - readPosition_;
  char* data = storage_.GetAs<char>();
  if (unread > 0) std::memmove(data, data + readPosition_, static_cast<size_t>(unread));
  used_ = unread;
  readPosition_ = 0;
}

// Advance in full: a count that reaches the end empties the queue, a negative one moves back
// (not before the front).
void SampleQueue::AdvanceClamped(int32_t samples) {
  if (samples >= 0 && samples <= (used_ - readPosition_) / 4) {
    readPosition_ += 4 * samples;
  } else {
    readPosition_ = samples < 0 ? std::max(0, readPosition_ + 4 * std::max(samples, -(INT32_MAX / 4))) : used_;
  }
  if (readPosition_ == used_) {
    Empty();
  } else if (readPosition_ > used_ / 2) {
    Compact();
  }
}
