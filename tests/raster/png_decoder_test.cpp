// The PNG codec: every colour type and bit depth, interlaced or not, with and without tRNS,
// decodes to the exact 0xAARRGGBB values; broken data, refused and mismatched targets fail
// with their status and leave the target untouched; the file reader agrees with memory.
#include "raster/png_decoder.h"
#include "raster/png_file.h"

#include <png.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/raster/png_writer.h"

namespace kavrotel {
namespace {

using test::TestImage;

constexpr uint32_t kSentinel = 0x5A5A5A5Au;

// A target of the asked size, or of a size off by the deltas, or none.
struct Canvas {
  bool refuse = false;
  int widthDelta = 0;
  int heightDelta = 0;
  int spanExtra = 0;
  bool bottomUp = false;
  int calls = 0;
  int askedWidth = -1;
  int askedHeight = -1;
  int rowSpan = 0;
  std::vector<uint32_t> pixels;

  static PngTarget Give(void* context, int width, int height) {
    auto* canvas = static_cast<Canvas*>(context);
    ++canvas->calls;
    canvas->askedWidth = width;
    canvas->askedHeight = height;
    if (canvas->refuse) return {};
    PngTarget target;
    target.width = width + canvas->widthDelta;
    target.height = height + canvas->heightDelta;
    target.rowSpan = target.width + canvas->spanExtra;
    target.bottomUp = canvas->bottomUp;
    canvas->rowSpan = target.rowSpan;
    canvas->pixels.assign(static_cast<size_t>(target.rowSpan) * target.height + 1, kSentinel);
    target.bits = canvas->pixels.data();
    return target;
  }

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * rowSpan + x]; }
  bool Untouched() const {
    for (uint32_t p : pixels) {
      if (p != kSentinel) return false;
    }
    return true;
  }
};

void ExpectPixels(const TestImage& image, const Canvas& canvas) {
  ASSERT_EQ(canvas.askedWidth, image.width);
  ASSERT_EQ(canvas.askedHeight, image.height);
  for (int y = 0; y < image.height; ++y) {
    const int line = canvas.bottomUp ? image.height - 1 - y : y;
    for (int x = 0; x < image.width; ++x) {
      ASSERT_EQ(canvas.At(x, line), test::ExpectedPixel(image, x, y)) << "pixel " << x << "," << y;
    }
    for (int x = image.width; x < canvas.rowSpan; ++x) ASSERT_EQ(canvas.At(x, line), kSentinel);
  }
  EXPECT_EQ(canvas.pixels.back(), kSentinel);
}

struct FormatCase {
  const char* name;
  int colorType;
  int bitDepth;
  bool interlaced;
  bool transparency;
};

const FormatCase kFormats[] = {
    {"Gray1", PNG_COLOR_TYPE_GRAY, 1, false, false},
    {"Gray2", PNG_COLOR_TYPE_GRAY, 2, false, false},
    {"Gray4", PNG_COLOR_TYPE_GRAY, 4, false, false},
    {"Gray8", PNG_COLOR_TYPE_GRAY, 8, false, false},
    {"Gray16", PNG_COLOR_TYPE_GRAY, 16, false, false},
    {"Gray2Keyed", PNG_COLOR_TYPE_GRAY, 2, false, true},
    {"Gray16Keyed", PNG_COLOR_TYPE_GRAY, 16, false, true},
    {"Gray4Interlaced", PNG_COLOR_TYPE_GRAY, 4, true, false},
    {"GrayAlpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false},
    {"GrayAlpha16", PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, false},
    {"Rgb8", PNG_COLOR_TYPE_RGB, 8, false, false},
    {"Rgb16", PNG_COLOR_TYPE_RGB, 16, false, false},
    {"Rgb8Keyed", PNG_COLOR_TYPE_RGB, 8, false, true},
    {"Rgb16Keyed", PNG_COLOR_TYPE_RGB, 16, true, true},
    {"Rgb8Interlaced", PNG_COLOR_TYPE_RGB, 8, true, false},
    {"Palette1", PNG_COLOR_TYPE_PALETTE, 1, false, false},
    {"Palette2", PNG_COLOR_TYPE_PALETTE, 2, false, false},
    {"Palette4", PNG_COLOR_TYPE_PALETTE, 4, false, false},
    {"Palette8", PNG_COLOR_TYPE_PALETTE, 8, false, false},
    {"Palette4Transparent", PNG_COLOR_TYPE_PALETTE, 4, false, true},
    {"Palette8TransparentInterlaced", PNG_COLOR_TYPE_PALETTE, 8, true, true},
    {"Rgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8, false, false},
    {"Rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false, false},
    {"Rgba8Interlaced", PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false},
    {"Rgba16Interlaced", PNG_COLOR_TYPE_RGB_ALPHA, 16, true, false},
};

class PngFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(PngFormat, DecodesToExactPixels) {
  const FormatCase& c = GetParam();
  for (const auto& size : {std::pair{13, 7}, std::pair{1, 1}, std::pair{9, 10}}) {
    const TestImage image = test::MakeImage(c.colorType, c.bitDepth, size.first, size.second, c.interlaced, c.transparency);
    const std::vector<unsigned char> png = test::WritePng(image);
    Canvas canvas;
    ASSERT_EQ(DecodePngMemory(png.data(), png.size(), Canvas::Give, &canvas), PngStatus::kOk);
    EXPECT_EQ(canvas.calls, 1);
    ExpectPixels(image, canvas);
  }
}

INSTANTIATE_TEST_SUITE_P(Png, PngFormat, ::testing::ValuesIn(kFormats),
                         [](const ::testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

// Row order and row span: bottom-up targets get image row 0 last, padding stays untouched.
TEST(PngDecoder, HonoursRowSpanAndBottomUp) {
  const TestImage image = test::MakeImage(PNG_COLOR_TYPE_RGB_ALPHA, 8, 11, 5, false, false);
  const std::vector<unsigned char> png = test::WritePng(image);
  for (bool bottomUp : {false, true}) {
    Canvas canvas;
    canvas.bottomUp = bottomUp;
    canvas.spanExtra = 3;
    ASSERT_EQ(DecodePngMemory(png.data(), png.size(), Canvas::Give, &canvas), PngStatus::kOk);
    ExpectPixels(image, canvas);
  }
}

// The bytes in memory are B, G, R, A (the 32-bit value 0xAARRGGBB on a little-endian machine).
TEST(PngDecoder, StoresBlueGreenRedAlphaBytes) {
  TestImage image = test::MakeImage(PNG_COLOR_TYPE_RGB_ALPHA, 8, 1, 1, false, false);
  image.samples = {0x11, 0x22, 0x33, 0x44};
  const std::vector<unsigned char> png = test::WritePng(image);
  Canvas canvas;
  ASSERT_EQ(DecodePngMemory(png.data(), png.size(), Canvas::Give, &canvas), PngStatus::kOk);
  const auto* bytes = reinterpret_cast<const unsigned char*>(canvas.pixels.data());
  EXPECT_EQ(canvas.pixels[0], 0x44112233u);
  EXPECT_EQ(bytes[0], 0x33);
  EXPECT_EQ(bytes[3], 0x44);
}

struct TargetCase {
  const char* name;
  bool refuse;
  int widthDelta;
  int heightDelta;
  int spanExtra;
  PngStatus expected;
};

const TargetCase kTargets[] = {
    {"Refused", true, 0, 0, 0, PngStatus::kRefused},
    {"Narrower", false, -1, 0, 0, PngStatus::kTargetMismatch},
    {"Wider", false, 1, 0, 0, PngStatus::kTargetMismatch},
    {"Shorter", false, 0, -1, 0, PngStatus::kTargetMismatch},
    {"Taller", false, 0, 1, 0, PngStatus::kTargetMismatch},
    {"SpanShort", false, 0, 0, -1, PngStatus::kTargetMismatch},
};

class PngTargetCheck : public ::testing::TestWithParam<TargetCase> {};

TEST_P(PngTargetCheck, WrongTargetFailsUntouched) {
  const TargetCase& c = GetParam();
  const TestImage image = test::MakeImage(PNG_COLOR_TYPE_RGB, 8, 6, 4, false, false);
  const std::vector<unsigned char> png = test::WritePng(image);
  Canvas canvas;
  canvas.refuse = c.refuse;
  canvas.widthDelta = c.widthDelta;
  canvas.heightDelta = c.heightDelta;
  canvas.spanExtra = c.spanExtra;
  EXPECT_EQ(DecodePngMemory(png.data(), png.size(), Canvas::Give, &canvas), c.expected);
  EXPECT_EQ(canvas.calls, 1);
  EXPECT_EQ(canvas.askedWidth, 6);
  EXPECT_EQ(canvas.askedHeight, 4);
  EXPECT_TRUE(canvas.Untouched());
}

INSTANTIATE_TEST_SUITE_P(Png, PngTargetCheck, ::testing::ValuesIn(kTargets),
                         [](const ::testing::TestParamInfo<TargetCase>& info) { return info.param.name; });

// Broken data: each case edits a valid 8 x 6 RGB image.
enum class Edit {
  kKeep7,
  kSignatureOnly,
  kBadSignature,
  kCutInIhdr,
  kCutInIdat,
  kIhdrCrc,
  kIdatByte,
  kZeroWidth,
  kZeroHeight,
  kWidthTooLarge,
  kWidth2Pow31,
  kUnknownCriticalChunk,
  kNoIend,
};

struct BrokenCase {
  const char* name;
  Edit edit;
  PngStatus expected;
};

const BrokenCase kBroken[] = {
    {"SevenBytes", Edit::kKeep7, PngStatus::kTooShort},
    {"SignatureOnly", Edit::kSignatureOnly, PngStatus::kCorrupt},
    {"BadSignature", Edit::kBadSignature, PngStatus::kBadSignature},
    {"CutInIhdr", Edit::kCutInIhdr, PngStatus::kCorrupt},
    {"CutInIdat", Edit::kCutInIdat, PngStatus::kCorrupt},
    {"IhdrCrc", Edit::kIhdrCrc, PngStatus::kCorrupt},
    {"IdatByte", Edit::kIdatByte, PngStatus::kCorrupt},
    {"ZeroWidth", Edit::kZeroWidth, PngStatus::kCorrupt},
    {"ZeroHeight", Edit::kZeroHeight, PngStatus::kCorrupt},
    {"WidthAboveLibpngLimit", Edit::kWidthTooLarge, PngStatus::kCorrupt},
    {"Width2Pow31", Edit::kWidth2Pow31, PngStatus::kCorrupt},
    {"UnknownCriticalChunk", Edit::kUnknownCriticalChunk, PngStatus::kCorrupt},
    // Decoding stops after the rows (no png_read_end), so a missing IEND is not noticed.
    {"NoIend", Edit::kNoIend, PngStatus::kOk},
};

std::vector<unsigned char> Broken(std::vector<unsigned char> png, Edit edit) {
  const size_t idat = test::FindChunk(png, "IDAT");
  const size_t iend = test::FindChunk(png, "IEND");
  switch (edit) {
    case Edit::kKeep7: png.resize(7); break;
    case Edit::kSignatureOnly: png.resize(8); break;
    case Edit::kBadSignature: png[1] = 'Q'; break;
    case Edit::kCutInIhdr: png.resize(20); break;
    case Edit::kCutInIdat: png.resize(idat + 8 + (iend - idat - 12) / 2); break;
    case Edit::kIhdrCrc: png[29] ^= 1; break;
    case Edit::kIdatByte: png[idat + 10] ^= 0x40; break;
    case Edit::kZeroWidth: test::PutU32(png, 16, 0); test::FixChunkCrc(png, 8); break;
    case Edit::kZeroHeight: test::PutU32(png, 20, 0); test::FixChunkCrc(png, 8); break;
    case Edit::kWidthTooLarge: test::PutU32(png, 16, 1000001); test::FixChunkCrc(png, 8); break;
    case Edit::kWidth2Pow31: test::PutU32(png, 16, 0x80000000u); test::FixChunkCrc(png, 8); break;
    case Edit::kUnknownCriticalChunk: std::memcpy(&png[idat + 4], "IDAX", 4); test::FixChunkCrc(png, idat); break;
    case Edit::kNoIend: png.resize(iend); break;
  }
  return png;
}

class PngBroken : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(PngBroken, FailsWithItsStatus) {
  const BrokenCase& c = GetParam();
  const TestImage image = test::MakeImage(PNG_COLOR_TYPE_RGB, 8, 8, 6, false, false);
  const std::vector<unsigned char> png = Broken(test::WritePng(image), c.edit);
  Canvas canvas;
  EXPECT_EQ(DecodePngMemory(png.data(), png.size(), Canvas::Give, &canvas), c.expected)
      << PngStatusText(DecodePngMemory(png.data(), png.size(), Canvas::Give, &canvas));
  if (c.expected == PngStatus::kOk) ExpectPixels(image, canvas);
}

INSTANTIATE_TEST_SUITE_P(Png, PngBroken, ::testing::ValuesIn(kBroken),
                         [](const ::testing::TestParamInfo<BrokenCase>& info) { return info.param.name; });

// libpng's largest default size reaches the callback, which may refuse it before any row.
TEST(PngDecoder, HugeImageReachesTheCallbackOnly) {
  std::vector<unsigned char> png = test::WritePng(test::MakeImage(PNG_COLOR_TYPE_RGB_ALPHA, 8, 2, 2, false, false));
  test::PutU32(png, 16, 1000000);
  test::PutU32(png, 20, 1000000);
  test::FixChunkCrc(png, 8);
  Canvas canvas;
  canvas.refuse = true;
  EXPECT_EQ(DecodePngMemory(png.data(), png.size(), Canvas::Give, &canvas), PngStatus::kRefused);
  EXPECT_EQ(canvas.askedWidth, 1000000);
  EXPECT_EQ(canvas.askedHeight, 1000000);
}

TEST(PngDecoder, NullDataIsTooShort) {
  Canvas canvas;
  EXPECT_EQ(DecodePngMemory(nullptr, 100, Canvas::Give, &canvas), PngStatus::kTooShort);
  EXPECT_EQ(canvas.calls, 0);
}

std::string WriteTempFile(const char* name, const std::vector<unsigned char>& bytes) {
  const std::string path = ::testing::TempDir() + name;
  FILE* file = std::fopen(path.c_str(), "wb");
  EXPECT_NE(file, nullptr);
  if (file) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  return path;
}

TEST(PngFile, DecodesLikeMemoryAndFailsCleanly) {
  const TestImage image = test::MakeImage(PNG_COLOR_TYPE_PALETTE, 4, 7, 3, true, true);
  std::vector<unsigned char> png = test::WritePng(image);
  const std::string good = WriteTempFile("kavrotel_png_good.png", png);
  Canvas canvas;
  ASSERT_EQ(DecodePngFile(good.c_str(), Canvas::Give, &canvas), PngStatus::kOk);
  ExpectPixels(image, canvas);

  png.resize(png.size() / 2);
  const std::string cut = WriteTempFile("kavrotel_png_cut.png", png);
  Canvas failed;
  EXPECT_EQ(DecodePngFile(cut.c_str(), Canvas::Give, &failed), PngStatus::kCorrupt);
  // The file was closed: it can be removed at once (Windows refuses while it is open).
  EXPECT_EQ(std::remove(cut.c_str()), 0);
  EXPECT_EQ(std::remove(good.c_str()), 0);

  Canvas missing;
  EXPECT_EQ(DecodePngFile(good.c_str(), Canvas::Give, &missing), PngStatus::kCannotOpen);
  EXPECT_EQ(DecodePngFile(nullptr, Canvas::Give, &missing), PngStatus::kCannotOpen);
  EXPECT_EQ(missing.calls, 0);
}

}  // namespace
}  // namespace kavrotel
