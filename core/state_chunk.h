// IStateChunk: a byte chunk on a GrowBuffer of granularity 4096. Writers append raw
// little-endian values at the end and report false (nothing appended) when the chunk cannot
// grow; readers take a start position and return the position after what they read, or -1
// when the chunk runs short (or the position is negative). The position is the caller's.
// Not locked: the owner guards it. Appending may allocate; reading never does.
#pragma once

#include <cstdint>

#include "core/grow_buffer.h"

class IStateChunk {
 public:
  IStateChunk() : buffer_(4096) {}
  IStateChunk(const IStateChunk&) = delete;
  IStateChunk& operator=(const IStateChunk&) = delete;

  int32_t Size() const { return buffer_.GetSize(); }
  // The bytes, or null while the chunk is empty.
  const uint8_t* Data() const { return buffer_.GetAs<const uint8_t>(); }
  uint8_t* Data() { return buffer_.GetAs<uint8_t>(); }
  // Empties the chunk (the allocation stays).
  void Clear() { buffer_.Resize(0, false); }
  // Sets the size, zero-filling what lies past the old size; returns the old size.
  int32_t ResizeAndZero(int32_t newSize) { return buffer_.ResizeAndZero(newSize); }

  // Makes room for count more bytes, the size unchanged, so that appending them allocates
  // nothing (callers do it before taking a lock); false when the chunk cannot grow.
  bool Reserve(int32_t count);
  bool PutBytes(const void* bytes, int32_t count);
  bool PutInt32(int32_t value);
  bool PutDouble(double value);

  int32_t GetBytes(void* bytes, int32_t count, int32_t position) const;
  int32_t GetInt32(int32_t* value, int32_t position) const;
  int32_t GetDouble(double* value, int32_t position) const;

  // Little-endian coding of single values in raw memory (which may be unaligned).
  static void EncodeDouble(double value, uint8_t* bytes);
  static double DecodeDouble(const uint8_t* bytes);
  static void EncodeInt32(int32_t value, uint8_t* bytes);
  static int32_t DecodeInt32(const uint8_t* bytes);

 private:
  // Grows by count bytes and returns where they start, or null (nothing changed).
  uint8_t* Extend(int32_t count);

  GrowBuffer buffer_;
};
