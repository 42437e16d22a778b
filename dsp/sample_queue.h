// SampleQueue: a contiguous queue of float samples on a GrowBuffer (granularity 4096): samples
// are appended at the end and read from a read position that compacts to the front once past
// half. The buffer's whole allocation serves as storage, and emptying keeps it, so a queue that
// has reached its working size no longer allocates. Not locked: its owner guards it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/grow_buffer.h"

class SampleQueue {
 public:
  SampleQueue() : storage_(4096) {}

  // [owner's thread; allocates only to grow] Empties the queue first when everything was read,
  // then appends bytes (copied from source, or left uninitialised without one). Returns where
  // they were written, or null with nothing queued when the buffer cannot grow.
  float* Add(const float* source, int32_t bytes) {
    if (readPosition_ >= used_) Empty();
    if (bytes <= 0 || bytes > storage_.GetSize() - used_) return AddGrowing(source, bytes);
    char* destination = storage_.GetAs<char>() + used_;
    if (source) std::memcpy(destination, source, static_cast<size_t>(bytes));
    used_ += bytes;
    return reinterpret_cast<float*>(destination);
  }

  // [owner's thread, no allocation] Consumes samples (clamped to what is queued); once the
  // read position is past half the used size, the unread samples move to the front.
  void Advance(int32_t samples) {
    const int32_t unread = used_ - readPosition_;
    if (samples >= 0 && samples < unread >> 2) {  // leaves some unread
      readPosition_ += 4 * samples;
      if (readPosition_ > used_ >> 1) Compact();
    } else if (4 * int64_t{samples} == unread) {
      Empty();
    } else {
      AdvanceClamped(samples);
    }
  }

  // [owner's thread, no allocation] Gives back the newest bytes appended (at most the unread ones).
  void TakeBack(int32_t bytes) { used_ -= std::clamp(bytes, 0, used_ - readPosition_); }

  // [owner's thread, no allocation] Used size 0, read position 0; the allocation stays.
  void Empty() { used_ = readPosition_ = 0; }

  // The first unread sample, or null when the queue is empty or the read position lies outside it.
  float* GetUnread() const {
    return readPosition_ < used_ ? reinterpret_cast<float*>(storage_.GetAs<char>() + readPosition_) : nullptr;
  }
  int32_t GetUnreadBytes() const { return used_ - readPosition_; }
  int32_t GetUnreadSamples() const { return GetUnreadBytes() >> 2; }  // the read position never passes the end
  int32_t GetReadPosition() const { return readPosition_; }
  int32_t GetUsedBytes() const { return used_; }

 private:
  float* AddGrowing(const float* source, int32_t bytes);
  bool Reserve(int32_t bytes);
  void Compact();
  void AdvanceClamped(int32_t samples);

  GrowBuffer storage_;
  int32_t used_ = 0;
  int32_t readPosition_ = 0;
};
