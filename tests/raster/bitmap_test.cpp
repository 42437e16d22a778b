// Bitmap sizes, spans, buffer growth, and the sizes that must give an empty bitmap.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "raster/mem_bitmap.h"
#include "raster/sys_bitmap.h"
#include "tests/support/failing_heap.h"

namespace {

TEST(MemBitmap, TenByThreeAlignedToFourHasSpanTwelveAndAlignedBits) {
  LICE_MemBitmap bitmap(10, 3, 4);
  EXPECT_EQ(bitmap.GetWidth(), 10);
  EXPECT_EQ(bitmap.GetHeight(), 3);
  EXPECT_EQ(bitmap.GetRowSpan(), 12);
  EXPECT_EQ(bitmap.AllocatedBytes(), 144);
  ASSERT_NE(bitmap.GetBits(), nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bitmap.GetBits()) % 64, 0u);
  EXPECT_FALSE(bitmap.IsFlipped());
  EXPECT_EQ(bitmap.GetDC(), nullptr);
}

struct AlignmentCase {
  unsigned int alignment;
  int width, span;
};
class MemBitmapAlignment : public ::testing::TestWithParam<AlignmentCase> {};
TEST_P(MemBitmapAlignment, RoundsTheRowToTheLowestSetBit) {
  LICE_MemBitmap bitmap(GetParam().width, 1, GetParam().alignment);
  EXPECT_EQ(bitmap.GetRowSpan(), GetParam().span);
}
INSTANTIATE_TEST_SUITE_P(Alignments, MemBitmapAlignment,
                         ::testing::Values(AlignmentCase{0, 5, 5}, AlignmentCase{1, 5, 5}, AlignmentCase{2, 5, 6},
                                           AlignmentCase{4, 5, 8}, AlignmentCase{6, 5, 6}, AlignmentCase{16, 5, 16},
                                           AlignmentCase{24, 5, 8}, AlignmentCase{32, 17, 32}, AlignmentCase{4, 8, 8}));

TEST(MemBitmap, GrowsByAQuarterAndNeverShrinksItsBuffer) {
  LICE_MemBitmap bitmap(5, 5, 1);
  EXPECT_EQ(bitmap.AllocatedBytes(), 100);
  EXPECT_TRUE(bitmap.Resize(5, 6));
  EXPECT_EQ(bitmap.AllocatedBytes(), 150);
  uint32_t* bits = bitmap.GetBits();
  EXPECT_TRUE(bitmap.Resize(5, 7));  // 140 bytes fit
  EXPECT_EQ(bitmap.GetBits(), bits);
  EXPECT_TRUE(bitmap.Resize(5, 5));
  EXPECT_EQ(bitmap.GetBits(), bits);
  EXPECT_EQ(bitmap.AllocatedBytes(), 150);
  EXPECT_FALSE(bitmap.Resize(5, 5));
}

TEST(MemBitmap, AnEmptySideFreesTheBuffer) {
  LICE_MemBitmap bitmap(8, 8, 4);
  EXPECT_TRUE(bitmap.Resize(0, 5));
  EXPECT_EQ(bitmap.GetWidth(), 0);
  EXPECT_EQ(bitmap.GetHeight(), 0);
  EXPECT_EQ(bitmap.GetBits(), nullptr);
  EXPECT_EQ(bitmap.AllocatedBytes(), 0);
}

struct BadSize {
  int width, height;
};
class BadSizes : public ::testing::TestWithParam<BadSize> {};
// Sizes whose bytes overflow 32 bits, or negative ones: an empty bitmap, never a small buffer.
TEST_P(BadSizes, GiveAnEmptyMemBitmap) {
  LICE_MemBitmap bitmap(GetParam().width, GetParam().height, 4);
  EXPECT_EQ(bitmap.GetWidth(), 0);
  EXPECT_EQ(bitmap.GetHeight(), 0);
  EXPECT_EQ(bitmap.GetBits(), nullptr);
  LICE_MemBitmap grown(4, 4, 4);
  EXPECT_TRUE(grown.Resize(GetParam().width, GetParam().height));
  EXPECT_EQ(grown.GetWidth(), 0);
  EXPECT_EQ(grown.GetBits(), nullptr);
}
TEST_P(BadSizes, GiveAnEmptySysBitmap) {
  LICE_SysBitmap bitmap(4, 4);
  bitmap.Resize(GetParam().width, GetParam().height);
  EXPECT_EQ(bitmap.GetWidth(), 0);
  EXPECT_EQ(bitmap.GetBits(), nullptr);
}
INSTANTIATE_TEST_SUITE_P(Sizes, BadSizes,
                         ::testing::Values(BadSize{70000, 70000}, BadSize{INT_MAX, 1}, BadSize{1, INT_MAX},
                                           BadSize{INT_MAX, INT_MAX}, BadSize{-5, -5}, BadSize{-1, 100},
                                           BadSize{40000, 20000}));

TEST(MemBitmap, ARefusedAllocationLeavesItEmpty) {
  LICE_MemBitmap bitmap(0, 0, 4);
  failing_heap::FailNext(1);
  EXPECT_TRUE(bitmap.Resize(10, 10));
  EXPECT_EQ(bitmap.GetWidth(), 0);
  EXPECT_EQ(bitmap.GetBits(), nullptr);
}

TEST(MemBitmap, ARefusedGrowthAllocatesExactlyTheNeedAfresh) {
  LICE_MemBitmap bitmap(5, 5, 1);
  failing_heap::FailNext(1);  // the reallocation; the fresh block is granted
  EXPECT_TRUE(bitmap.Resize(5, 6));
  EXPECT_EQ(bitmap.GetHeight(), 6);
  EXPECT_NE(bitmap.GetBits(), nullptr);
  EXPECT_EQ(bitmap.AllocatedBytes(), 120);
}

TEST(SysBitmap, ShrinkingKeepsTheSectionAndItsSpan) {
  LICE_SysBitmap bitmap(10, 10);
  uint32_t* bits = bitmap.GetBits();
  ASSERT_NE(bits, nullptr);
  EXPECT_NE(bitmap.GetDC(), nullptr);
  EXPECT_EQ(bitmap.GetRowSpan(), 12);
  EXPECT_TRUE(bitmap.Resize(6, 6));
  EXPECT_EQ(bitmap.GetBits(), bits);
  EXPECT_EQ(bitmap.GetWidth(), 6);
  EXPECT_EQ(bitmap.GetRowSpan(), 12);
  EXPECT_TRUE(bitmap.Resize(12, 10));
  EXPECT_EQ(bitmap.GetBits(), bits);
  EXPECT_FALSE(bitmap.Resize(12, 10));
}

TEST(SysBitmap, AZeroWidthDeletesTheSectionAndKeepsTheHeight) {
  LICE_SysBitmap bitmap(10, 10);
  EXPECT_FALSE(bitmap.Resize(0, 10));
  EXPECT_EQ(bitmap.GetBits(), nullptr);
  EXPECT_EQ(bitmap.GetWidth(), 0);
  EXPECT_EQ(bitmap.GetHeight(), 10);
  EXPECT_TRUE(bitmap.Resize(3, 2));
  EXPECT_NE(bitmap.GetBits(), nullptr);
  EXPECT_EQ(bitmap.GetRowSpan(), 4);
}

TEST(SysBitmap, GrowingPastTheSectionMakesANewOne) {
  LICE_SysBitmap bitmap(4, 4);
  EXPECT_TRUE(bitmap.Resize(9, 4));
  EXPECT_EQ(bitmap.GetRowSpan(), 12);
  EXPECT_NE(bitmap.GetBits(), nullptr);
}

#ifndef _WIN32
// Natively the stand-in section comes from the heap, so a refusal shows the failure path.
TEST(SysBitmap, ARefusedSectionLeavesItEmpty) {
  LICE_SysBitmap bitmap(0, 0);
  failing_heap::FailNext(1);
  EXPECT_TRUE(bitmap.Resize(8, 8));
  EXPECT_EQ(bitmap.GetWidth(), 0);
  EXPECT_EQ(bitmap.GetHeight(), 0);
  EXPECT_EQ(bitmap.GetBits(), nullptr);
}
#endif

}  // namespace
