// Sizes of bitmap buffers, computed in 64 bits and checked before anything is allocated, so that
// no overflowed size can ever give a buffer smaller than the rows later written into it.
// [any thread; no allocation]
#pragma once

#include <cstdint>

namespace bitmap_size {
// Largest pixel buffer in bytes; the 63 bytes of alignment slack must still fit in an int32.
constexpr int64_t kMaxBytes = INT32_MAX - 63;

// A negative dimension counts as 0.
inline int NonNegative(int value) { return value < 0 ? 0 : value; }

// Bytes of `height` rows of `span` pixels, or -1 when that exceeds kMaxBytes.
inline int64_t Bytes(int64_t span, int64_t height) {
  if (span <= 0 || height <= 0) return 0;
  if (span > kMaxBytes / 4 / height) return -1;
  return span * height * 4;
}
}  // namespace bitmap_size
