// Shows that the configuration's libpng and zlib link and work: an image written to memory
// through libpng reads back with the same pixels.
#include <png.h>

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace {

struct MemoryStream {
  std::vector<unsigned char> bytes;
  size_t readPosition = 0;
};

void WriteBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* stream = static_cast<MemoryStream*>(png_get_io_ptr(png));
  stream->bytes.insert(stream->bytes.end(), data, data + length);
}

void ReadBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* stream = static_cast<MemoryStream*>(png_get_io_ptr(png));
  if (stream->readPosition + length > stream->bytes.size()) png_error(png, "short read");
  std::memcpy(data, stream->bytes.data() + stream->readPosition, length);
  stream->readPosition += length;
}

constexpr int kWidth = 7;
constexpr int kHeight = 3;

unsigned char Pixel(int x, int y, int channel) { return static_cast<unsigned char>(x * 30 + y * 70 + channel * 5); }

bool WriteImage(MemoryStream& stream) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_set_write_fn(png, &stream, WriteBytes, nullptr);
  png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<unsigned char> row(kWidth * 4);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth * 4; ++x) row[x] = Pixel(x / 4, y, x % 4);
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

TEST(Libpng, ImageReadsBackAsWritten) {
  MemoryStream stream;
  ASSERT_TRUE(WriteImage(stream));
  ASSERT_GT(stream.bytes.size(), 8u);
  EXPECT_EQ(png_sig_cmp(stream.bytes.data(), 0, 8), 0);

  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<unsigned char> pixels(kWidth * kHeight * 4);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    FAIL() << "libpng refused its own image";
  }
  png_set_read_fn(png, &stream, ReadBytes);
  png_read_info(png, info);
  EXPECT_EQ(png_get_image_width(png, info), static_cast<png_uint_32>(kWidth));
  EXPECT_EQ(png_get_image_height(png, info), static_cast<png_uint_32>(kHeight));
  for (int y = 0; y < kHeight; ++y) png_read_row(png, pixels.data() + y * kWidth * 4, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);

  for (int i = 0; i < kWidth * kHeight * 4; ++i) {
    ASSERT_EQ(pixels[i], Pixel((i / 4) % kWidth, i / (kWidth * 4), i % 4)) << "byte " << i;
  }
}

TEST(Libpng, TruncatedImageFailsThroughTheErrorJump) {
  MemoryStream stream;
  ASSERT_TRUE(WriteImage(stream));
  stream.bytes.resize(stream.bytes.size() / 2);

  auto quietError = [](png_structp failing, png_const_charp) { png_longjmp(failing, 1); };
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<unsigned char> row(kWidth * 4);
  volatile bool failed = false;
  if (setjmp(png_jmpbuf(png))) {
    failed = true;
  } else {
    png_set_read_fn(png, &stream, ReadBytes);
    png_read_info(png, info);
    for (int y = 0; y < kHeight; ++y) png_read_row(png, row.data(), nullptr);
    png_read_end(png, nullptr);
  }
  png_destroy_read_struct(&png, &info, nullptr);
  EXPECT_TRUE(failed);
}

}  // namespace
