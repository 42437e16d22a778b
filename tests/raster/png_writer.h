// Test support: small PNG images of any colour type, bit depth and interlace, written to
// memory with libpng's writer, and the 0xAARRGGBB value each pixel must decode to, worked out
// from the samples apart from the decoder. Test thread only; allocates freely.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kavrotel::test {

struct TestImage {
  int width = 0;
  int height = 0;
  int colorType = 0;  // PNG_COLOR_TYPE_*
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<uint16_t> samples;      // row-major, channels per pixel as the colour type has
  std::vector<uint8_t> palette;       // r, g, b per entry
  std::vector<uint8_t> paletteAlpha;  // the palette's tRNS entries (may be fewer than the palette)
  bool transparentColor = false;      // gray or RGB tRNS: the first pixel's samples
};

int ChannelsOf(int colorType);

// Samples from a fixed seed; a palette of 2^depth (at most 256) entries for palette images.
// With transparency, a palette gets a tRNS of half its entries, other types the first pixel's colour.
TestImage MakeImage(int colorType, int bitDepth, int width, int height, bool interlaced, bool transparency);

std::vector<unsigned char> WritePng(const TestImage& image);

uint32_t ExpectedPixel(const TestImage& image, int x, int y);

// Overwrites the 4-byte big-endian value at offset and recomputes the CRC of the chunk that
// starts at chunkStart (its length field).
void PutU32(std::vector<unsigned char>& png, size_t offset, uint32_t value);
void FixChunkCrc(std::vector<unsigned char>& png, size_t chunkStart);

// Offset of the first chunk of the given type (its length field), or 0 when there is none.
size_t FindChunk(const std::vector<unsigned char>& png, const char* type);

}  // namespace kavrotel::test
