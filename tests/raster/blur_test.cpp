// Blur and clear: worked values (the last row reading the blurred row above), random areas
// against the reference, the heap line buffers of wide areas and their refusal.
#include "raster/blur.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "raster/clear_bits.h"
#include "raster/mem_bitmap.h"
#include "raster/scratch_bitmap.h"
#include "tests/raster/reference.h"
#include "tests/raster/test_bitmaps.h"
#include "tests/support/failing_heap.h"

namespace {

reference::Image FromRows(int width, std::vector<uint32_t> pixels) {
  return reference::Image{width, static_cast<int>(pixels.size()) / width, std::move(pixels)};
}

TEST(Blur, ALoneWhitePixelSpreadsAndTheLastRowReadsTheBlurredRow) {
  LICE_MemBitmap bitmap(5, 5, 4);
  reference::Image image = FromRows(5, std::vector<uint32_t>(25, 0));
  image.At(2, 2) = 0xFFFFFFFF;
  Store(bitmap, image);
  LICE_BlurBitmap(bitmap, 5, 5);
  const uint32_t q = 0x1F1F1F1F;
  // 0x07070707 below: a quarter of the blurred 0x1F1F1F1F, not of the unchanged 0.
  EXPECT_EQ(Load(bitmap).pixels, (std::vector<uint32_t>{0, 0, 0, 0, 0, 0, 0, q, 0, 0,          0, q, 0x7F7F7F7F,
                                                        q, 0, 0, 0, q, 0, 0, 0, 0, 0x07070707, 0, 0}));
}

TEST(Blur, TwoByTwoHasOnlyEdgeRows) {
  LICE_MemBitmap bitmap(2, 2, 4);
  Store(bitmap, FromRows(2, {0x00000000, 0xFFFFFFFF, 0x80808080, 0x40404040}));
  LICE_BlurBitmap(bitmap, 2, 2);
  EXPECT_EQ(Load(bitmap).pixels, (std::vector<uint32_t>{0x5F5F5F5F, 0x8F8F8F8F, 0x67676767, 0x63636363}));
}

struct AreaCase {
  int bitmapWidth, bitmapHeight, width, height;
  bool flipped;
};
std::ostream& operator<<(std::ostream& out, const AreaCase& c) {
  return out << c.bitmapWidth << "x" << c.bitmapHeight << " area " << c.width << "x" << c.height;
}

class BlurAreas : public ::testing::TestWithParam<AreaCase> {};
TEST_P(BlurAreas, AgreeWithTheReferenceAndLeaveTheRestAlone) {
  const AreaCase& c = GetParam();
  std::mt19937 random(c.width * 31 + c.height);
  const reference::Image image = RandomImage(random, c.bitmapWidth, c.bitmapHeight);
  FlippedBitmap flipped(c.bitmapWidth, c.bitmapHeight, c.bitmapWidth + 1);
  LICE_MemBitmap plain(c.bitmapWidth, c.bitmapHeight, 4);
  LICE_IBitmap& bitmap = c.flipped ? static_cast<LICE_IBitmap&>(flipped) : plain;
  Store(bitmap, image);
  LICE_BlurBitmap(bitmap, c.width, c.height);
  reference::Image expected = image;
  reference::Blur(expected, c.width, c.height);
  EXPECT_EQ(Load(bitmap).pixels, expected.pixels);
}
INSTANTIATE_TEST_SUITE_P(Areas, BlurAreas,
                         ::testing::Values(AreaCase{7, 5, 7, 5, false}, AreaCase{9, 6, 5, 4, false},
                                           AreaCase{9, 6, 50, 50, true}, AreaCase{3, 3, 3, 3, false},
                                           AreaCase{5, 1, 5, 1, false}, AreaCase{1, 5, 1, 5, false},
                                           AreaCase{8, 8, 1, 8, false}, AreaCase{8, 8, 8, 2, true},
                                           AreaCase{1100, 4, 1100, 4, false}, AreaCase{1025, 3, 1025, 3, true}));

// Wide areas keep their line buffers on the heap; when it refuses, inner rows read the row
// above as already blurred.
TEST(Blur, AWideAreaWithoutLineBuffersReadsTheBlurredRowAbove) {
  std::mt19937 random(7);
  const reference::Image image = RandomImage(random, 1100, 5);
  LICE_MemBitmap bitmap(1100, 5, 4);
  Store(bitmap, image);
  failing_heap::FailNext(1);
  LICE_BlurBitmap(bitmap, 1100, 5);
  reference::Image expected = image;
  reference::Blur(expected, 1100, 5, true);
  EXPECT_EQ(Load(bitmap).pixels, expected.pixels);
}

TEST(Blur, BlurAreaWorksOnTheScratchBitmap) {
  LICE_SysBitmap& scratch = LICE_ScratchBitmap();
  scratch.Resize(4, 3);
  ASSERT_NE(scratch.GetBits(), nullptr);
  std::mt19937 random(3);
  const reference::Image image = RandomImage(random, 4, 3);
  Store(scratch, image);
  LICE_BlurArea(9, 9);
  reference::Image expected = image;
  reference::Blur(expected, 4, 3);
  EXPECT_EQ(Load(scratch).pixels, expected.pixels);
  scratch.Resize(0, 0);
  LICE_BlurArea(4, 3);  // no bits: nothing
}

TEST(ClearBits, ZeroesTheWidthAndKeepsTheSpanPadding) {
  LICE_MemBitmap bitmap(10, 3, 4);
  ASSERT_EQ(bitmap.GetRowSpan(), 12);
  for (int i = 0; i < 12 * 3; ++i) bitmap.GetBits()[i] = 0xDEADBEEF;
  LICE_ClearBits(&bitmap);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 12; ++x) EXPECT_EQ(bitmap.GetBits()[y * 12 + x], x < 10 ? 0u : 0xDEADBEEFu) << x << "," << y;
  }
  LICE_MemBitmap empty(0, 0, 4);
  LICE_ClearBits(&empty);
  LICE_ClearBits(nullptr);
}

}  // namespace
