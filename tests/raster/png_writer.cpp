// Test support: writes PNGs with libpng and works out their expected pixels sample by sample.
#include "tests/raster/png_writer.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstring>
#include <stdexcept>

namespace kavrotel::test {
namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

uint8_t To8(uint16_t sample, int depth) {
  if (depth == 16) return static_cast<uint8_t>(sample >> 8);
  return static_cast<uint8_t>(sample * 255 / ((1 << depth) - 1));
}

uint32_t Argb(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | b;
}

// Rows as libpng's writer takes them: a byte per sample below 16 bits (png_set_packing packs
// them), two big-endian bytes at 16.
std::vector<std::vector<png_byte>> RowBytes(const TestImage& image) {
  const int channels = ChannelsOf(image.colorType);
  const int bytes = image.bitDepth == 16 ? 2 : 1;
  std::vector<std::vector<png_byte>> rows(image.height, std::vector<png_byte>(image.width * channels * bytes));
  for (int y = 0; y < image.height; ++y) {
    for (int i = 0; i < image.width * channels; ++i) {
      const uint16_t s = image.samples[y * image.width * channels + i];
      if (bytes == 2) {
        rows[y][2 * i] = static_cast<png_byte>(s >> 8);
        rows[y][2 * i + 1] = static_cast<png_byte>(s);
      } else {
        rows[y][i] = static_cast<png_byte>(s);
      }
    }
  }
  return rows;
}

// The libpng calls alone, so that no object with a destructor lives across the error jump.
bool WriteWithLibpng(const TestImage& image, png_bytep* rows, const png_color* colors, int colorCount,
                     std::vector<unsigned char>* out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, out, AppendBytes, NoFlush);
  png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colorType,
               image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (colorCount) png_set_PLTE(png, info, colors, colorCount);
  if (!image.paletteAlpha.empty()) {
    png_set_tRNS(png, info, image.paletteAlpha.data(), static_cast<int>(image.paletteAlpha.size()), nullptr);
  }
  if (image.transparentColor) {
    png_color_16 color{};
    color.gray = image.samples[0];
    if (image.colorType == PNG_COLOR_TYPE_RGB) {
      color.red = image.samples[0];
      color.green = image.samples[1];
      color.blue = image.samples[2];
    }
    png_set_tRNS(png, info, nullptr, 0, &color);
  }
  png_write_info(png, info);
  if (image.bitDepth < 8) png_set_packing(png);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

uint32_t ReadU32(const std::vector<unsigned char>& png, size_t at) {
  return static_cast<uint32_t>(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
}

}  // namespace

int ChannelsOf(int colorType) {
  switch (colorType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;
  }
}

TestImage MakeImage(int colorType, int bitDepth, int width, int height, bool interlaced, bool transparency) {
  TestImage image;
  image.width = width;
  image.height = height;
  image.colorType = colorType;
  image.bitDepth = bitDepth;
  image.interlaced = interlaced;
  const uint32_t mask = (1u << bitDepth) - 1;
  uint32_t state = 12345u + colorType * 31 + bitDepth;
  image.samples.resize(static_cast<size_t>(width) * height * ChannelsOf(colorType));
  for (auto& s : image.samples) {
    state = state * 1664525u + 1013904223u;
    s = static_cast<uint16_t>((state >> 8) & mask);
  }
  if (colorType == PNG_COLOR_TYPE_PALETTE) {
    const int entries = bitDepth == 8 ? 256 : 1 << bitDepth;
    for (int i = 0; i < entries * 3; ++i) image.palette.push_back(static_cast<uint8_t>(i * 97 + 13));
    if (transparency) {
      for (int i = 0; i < entries / 2 + 1 && i < 256; ++i) image.paletteAlpha.push_back(static_cast<uint8_t>(i * 41));
    }
  } else {
    image.transparentColor = transparency;
  }
  return image;
}

std::vector<unsigned char> WritePng(const TestImage& image) {
  std::vector<std::vector<png_byte>> rows = RowBytes(image);
  std::vector<png_bytep> rowPointers;
  for (auto& row : rows) rowPointers.push_back(row.data());
  std::vector<png_color> colors(image.palette.size() / 3);
  for (size_t i = 0; i < colors.size(); ++i) {
    colors[i] = {image.palette[3 * i], image.palette[3 * i + 1], image.palette[3 * i + 2]};
  }
  std::vector<unsigned char> out;
  if (!WriteWithLibpng(image, rowPointers.data(), colors.data(), static_cast<int>(colors.size()), &out)) {
    throw std::runtime_error("libpng refused to write the test image");
  }
  return out;
}

uint32_t ExpectedPixel(const TestImage& image, int x, int y) {
  const int channels = ChannelsOf(image.colorType);
  const uint16_t* s = &image.samples[(static_cast<size_t>(y) * image.width + x) * channels];
  const int d = image.bitDepth;
  const bool keyed = image.transparentColor && std::memcmp(s, image.samples.data(), channels * sizeof *s) == 0;
  switch (image.colorType) {
    case PNG_COLOR_TYPE_GRAY: return Argb(keyed ? 0 : 255, To8(s[0], d), To8(s[0], d), To8(s[0], d));
    case PNG_COLOR_TYPE_GRAY_ALPHA: return Argb(To8(s[1], d), To8(s[0], d), To8(s[0], d), To8(s[0], d));
    case PNG_COLOR_TYPE_RGB: return Argb(keyed ? 0 : 255, To8(s[0], d), To8(s[1], d), To8(s[2], d));
    case PNG_COLOR_TYPE_RGB_ALPHA: return Argb(To8(s[3], d), To8(s[0], d), To8(s[1], d), To8(s[2], d));
    default: {
      const size_t i = s[0];
      const uint8_t alpha = i < image.paletteAlpha.size() ? image.paletteAlpha[i] : 255;
      return Argb(alpha, image.palette[3 * i], image.palette[3 * i + 1], image.palette[3 * i + 2]);
    }
  }
}

void PutU32(std::vector<unsigned char>& png, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) png[offset + i] = static_cast<unsigned char>(value >> (24 - 8 * i));
}

void FixChunkCrc(std::vector<unsigned char>& png, size_t chunkStart) {
  const uint32_t length = ReadU32(png, chunkStart);
  const uLong crc = crc32(0, png.data() + chunkStart + 4, 4 + length);
  PutU32(png, chunkStart + 8 + length, static_cast<uint32_t>(crc));
}

size_t FindChunk(const std::vector<unsigned char>& png, const char* type) {
  for (size_t at = 8; at + 12 <= png.size(); at += 12 + ReadU32(png, at)) {
    if (std::memcmp(&png[at + 4], type, 4) == 0) return at;
  }
  return 0;
}

}  // namespace kavrotel::test
