// PNG decoding into a caller's 32-bit pixel target: every image arrives as 0xAARRGGBB values
// (straight alpha; memory holds B,G,R,A). The codec asks the caller for the target once it
// knows the image's size, and writes only inside it. Any thread, one call per target; it
// allocates libpng's structures and a row table, all freed before it returns.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kavrotel {

// Where the decoded pixels go: height rows of at least width pixels, rowSpan pixels apart.
// With bottomUp, image row 0 is the last row in memory.
struct PngTarget {
  uint32_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int rowSpan = 0;
  bool bottomUp = false;
};

// Given the image's size, returns the target to write into, or one with null bits to refuse.
using PngTargetFn = PngTarget (*)(void* context, int width, int height);

enum class PngStatus {
  kOk,
  kTooShort,         // fewer than the 8 signature bytes
  kBadSignature,     // the bytes are not a PNG
  kCannotOpen,       // the file would not open
  kOutOfMemory,      // libpng's structures or the row table
  kCorrupt,          // libpng refused the data (bad chunk, CRC, truncation, size limits)
  kRefused,          // the target callback gave no target
  kTargetMismatch,   // the target's size differs from the image's
};

const char* PngStatusText(PngStatus status);

// Decodes size bytes at data. Rows are written only after the target has been checked.
PngStatus DecodePngMemory(const void* data, size_t size, PngTargetFn target, void* context);

}  // namespace kavrotel
