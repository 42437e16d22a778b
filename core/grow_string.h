// GrowString: a zero-terminated text on a GrowBuffer of granularity 128. An empty string reads
// as "". When the text cannot grow, the operation reports false and the old text stays. Not
// locked: the owner guards it. Setting and appending may allocate; reading never does.
#pragma once

#include <cstdint>

#include "core/grow_buffer.h"

class GrowString {
 public:
  GrowString() : buffer_(128) {}

  bool Set(const char* text);
  // Appends at most maxLength characters of text (all of it when maxLength <= 0).
  bool Append(const char* text, int32_t maxLength = 0);
  // Formats into at most maxLength characters; a longer result is cut. Returns the text.
  const char* SetFormatted(int32_t maxLength, const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 3, 4)))
#endif
      ;

  const char* Get() const;
  int32_t GetLength() const;

 private:
  GrowBuffer buffer_;
};
