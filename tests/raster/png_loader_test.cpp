// The bitmap-returning PNG readers: a new LICE_MemBitmap of the image's size (row alignment 4)
// or the caller's bitmap resized; null for every failure with nothing left allocated (the leak
// checker watches each case), a failed bitmap allocation included; the extension rule of the
// loader record and its filter text.
#include "raster/png_loader.h"

#include <png.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "raster/mem_bitmap.h"
#include "raster/rows.h"
#include "tests/raster/png_writer.h"
#include "tests/raster/test_bitmaps.h"
#include "tests/support/failing_heap.h"

namespace {

using kavrotel::test::TestImage;

void ExpectImage(const TestImage& image, LICE_IBitmap& bitmap) {
  ASSERT_EQ(bitmap.GetWidth(), image.width);
  ASSERT_EQ(bitmap.GetHeight(), image.height);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      ASSERT_EQ(RowOf(bitmap, y)[x], kavrotel::test::ExpectedPixel(image, x, y)) << x << "," << y;
}

std::vector<unsigned char> Png(const TestImage& image) { return kavrotel::test::WritePng(image); }
int SizeOf(const std::vector<unsigned char>& png) { return static_cast<int>(png.size()); }

TEST(PngLoader, MemoryGivesANewBitmapOfTheImage) {
  const TestImage image = kavrotel::test::MakeImage(PNG_COLOR_TYPE_RGB_ALPHA, 8, 3, 5, false, false);
  const std::vector<unsigned char> png = Png(image);
  std::unique_ptr<LICE_IBitmap> bitmap(LICE_ReadPNGMemory(png.data(), SizeOf(png), nullptr));
  ASSERT_NE(bitmap, nullptr);
  ASSERT_NE(dynamic_cast<LICE_MemBitmap*>(bitmap.get()), nullptr);
  EXPECT_EQ(bitmap->GetRowSpan(), 4);  // width 3 in rows aligned to 4 pixels
  ExpectImage(image, *bitmap);
}

TEST(PngLoader, MemoryResizesTheGivenBitmap) {
  const TestImage image = kavrotel::test::MakeImage(PNG_COLOR_TYPE_PALETTE, 2, 9, 4, true, true);
  const std::vector<unsigned char> png = Png(image);
  LICE_MemBitmap given(1, 1, 4);
  EXPECT_EQ(LICE_ReadPNGMemory(png.data(), SizeOf(png), &given), &given);
  ExpectImage(image, given);
}

TEST(PngLoader, FlippedBitmapGetsImageRowZeroLast) {
  const TestImage image = kavrotel::test::MakeImage(PNG_COLOR_TYPE_RGB, 8, 4, 3, false, false);
  const std::vector<unsigned char> png = Png(image);
  FlippedBitmap flipped(4, 3, 5);
  ASSERT_EQ(LICE_ReadPNGMemory(png.data(), SizeOf(png), &flipped), &flipped);
  ExpectImage(image, flipped);
}

// A given bitmap that cannot take the image's size fails the call before any row is written.
TEST(PngLoader, GivenBitmapOfAnotherSizeFails) {
  const std::vector<unsigned char> png = Png(kavrotel::test::MakeImage(PNG_COLOR_TYPE_RGB, 8, 4, 3, false, false));
  FlippedBitmap fixed(2, 2, 2);  // its Resize refuses
  RowOf(fixed, 0)[0] = 0x12345678;
  EXPECT_EQ(LICE_ReadPNGMemory(png.data(), SizeOf(png), &fixed), nullptr);
  EXPECT_EQ(RowOf(fixed, 0)[0], 0x12345678u);
}

enum class Break { kNone, kSignatureOnly, kSevenBytes, kBadSignature, kCutIdat, kBadCrc, kHuge, kNegativeSize };

struct BrokenCase {
  const char* name;
  Break edit;
};

const BrokenCase kBroken[] = {
    {"SignatureOnly", Break::kSignatureOnly}, {"SevenBytes", Break::kSevenBytes},
    {"BadSignature", Break::kBadSignature},   {"CutIdat", Break::kCutIdat},
    {"BadCrc", Break::kBadCrc},               {"HugeHeader", Break::kHuge},
    {"NegativeSize", Break::kNegativeSize},
};

class PngLoaderBroken : public ::testing::TestWithParam<BrokenCase> {};

// Each failure returns null, for a new bitmap and for a given one; the leak checker sees that
// the bitmap made by a call that failed after making it was freed.
TEST_P(PngLoaderBroken, ReturnsNullAndFreesWhatItMade) {
  std::vector<unsigned char> png = Png(kavrotel::test::MakeImage(PNG_COLOR_TYPE_RGB_ALPHA, 8, 6, 6, false, false));
  int size = SizeOf(png);
  switch (GetParam().edit) {
    case Break::kNone: break;
    case Break::kSignatureOnly: size = 8; break;
    case Break::kSevenBytes: size = 7; break;
    case Break::kBadSignature: png[1] = 'Q'; break;
    case Break::kCutIdat: size = static_cast<int>(kavrotel::test::FindChunk(png, "IDAT")) + 20; break;
    case Break::kBadCrc: png[kavrotel::test::FindChunk(png, "IDAT") + 10] ^= 0x40; break;
    case Break::kHuge:  // 60000 x 60000 pixels: far beyond what a bitmap may hold
      kavrotel::test::PutU32(png, 16, 60000);
      kavrotel::test::PutU32(png, 20, 60000);
      kavrotel::test::FixChunkCrc(png, 8);
      break;
    case Break::kNegativeSize: size = -1; break;
  }
  EXPECT_EQ(LICE_ReadPNGMemory(png.data(), size, nullptr), nullptr);
  LICE_MemBitmap given(2, 2, 4);
  EXPECT_EQ(LICE_ReadPNGMemory(png.data(), size, &given), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Png, PngLoaderBroken, ::testing::ValuesIn(kBroken),
                         [](const ::testing::TestParamInfo<BrokenCase>& info) { return info.param.name; });

TEST(PngLoader, NullDataGivesNull) { EXPECT_EQ(LICE_ReadPNGMemory(nullptr, 100, nullptr), nullptr); }

// The bitmap's buffer refused: no row table is built over its missing pixels.
TEST(PngLoader, RefusedBitmapBufferGivesNull) {
  const std::vector<unsigned char> png = Png(kavrotel::test::MakeImage(PNG_COLOR_TYPE_GRAY, 8, 5, 5, false, false));
  failing_heap::FailAll(true);
  LICE_IBitmap* bitmap = LICE_ReadPNGMemory(png.data(), SizeOf(png), nullptr);
  failing_heap::FailAll(false);
  EXPECT_EQ(bitmap, nullptr);
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

TEST(PngLoader, FileReadsAndClosesOnEveryPath) {
  const TestImage image = kavrotel::test::MakeImage(PNG_COLOR_TYPE_GRAY_ALPHA, 16, 7, 2, false, false);
  std::vector<unsigned char> png = Png(image);
  const std::string good = WriteTempFile("kavrotel_loader_good.png", png);
  std::unique_ptr<LICE_IBitmap> bitmap(LICE_ReadPNGFile(good.c_str(), nullptr));
  ASSERT_NE(bitmap, nullptr);
  ExpectImage(image, *bitmap);
  png.resize(png.size() - 30);
  const std::string cut = WriteTempFile("kavrotel_loader_cut.png", png);
  EXPECT_EQ(LICE_ReadPNGFile(cut.c_str(), nullptr), nullptr);
  // Closed: removable at once (Windows refuses while a file is open).
  EXPECT_EQ(std::remove(cut.c_str()), 0);
  EXPECT_EQ(std::remove(good.c_str()), 0);
  EXPECT_EQ(LICE_ReadPNGFile(good.c_str(), nullptr), nullptr);
  EXPECT_EQ(LICE_ReadPNGFile(nullptr, nullptr), nullptr);
}

struct NameCase {
  const char* name;  // a file of this name (below the temporary directory) holds a PNG
  bool accepted;
};

// Each file exists and decodes; with the check, only the names ending in ".png" load.
TEST(PngLoader, ExtensionRuleFromTheLastDotOrSlash) {
  const TestImage image = kavrotel::test::MakeImage(PNG_COLOR_TYPE_RGB, 8, 2, 2, false, false);
  const std::vector<unsigned char> png = Png(image);
  std::filesystem::create_directories(::testing::TempDir() + "kavrotel_dir.png");
  const NameCase cases[] = {{"kavrotel_a.PNG", true},         {"kavrotel_x.Png", true},
                            {".png", true},                   {"kavrotel_a.png.bak", false},
                            {"kavrotel_dir.png/file", false}, {"png", false},
                            {"kavrotel_a.pngx", false},       {"kavrotel_a.pn", false}};
  for (const NameCase& c : cases) {
    const std::string path = WriteTempFile(c.name, png);
    std::unique_ptr<LICE_IBitmap> unchecked(LICE_PNGLoaderLoad(path.c_str(), false, nullptr));
    EXPECT_NE(unchecked, nullptr) << c.name;
    std::unique_ptr<LICE_IBitmap> checked(LICE_PNGLoaderLoad(path.c_str(), true, nullptr));
    EXPECT_EQ(checked != nullptr, c.accepted) << c.name;
    if (checked) ExpectImage(image, *checked);
    std::remove(path.c_str());
  }
  std::filesystem::remove(::testing::TempDir() + "kavrotel_dir.png");
}

TEST(PngLoader, ReaderRecordAndFilter) {
  ASSERT_NE(LICE_ImageReaderList, nullptr);
  const LICE_ImageReader* record = LICE_ImageReaderList;
  while (record && record->load != LICE_PNGLoaderLoad) record = record->next;
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->filter, LICE_PNGLoaderFilter);
  const char* filter = LICE_PNGLoaderFilter();
  EXPECT_STREQ(filter, "PNG files (*.PNG)");
  EXPECT_STREQ(filter + std::strlen(filter) + 1, "*.PNG");
  EXPECT_EQ(filter[std::strlen(filter) + 1 + 6], '\0');
}

}  // namespace
