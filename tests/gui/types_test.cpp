// The editor's value types: rectangles, colours, text styles, strips.
#include <gtest/gtest.h>

#include "gui/iargb.h"
#include "gui/ibitmap_strip.h"
#include "gui/irectangle.h"
#include "gui/itext_style.h"

namespace {

struct OverlapCase {
  IRectangle a, b;
  bool overlaps;
  IRectangle intersection;
};

TEST(RectangleTest, OverlapAndIntersectionFollowTheEditorsEdgeRules) {
  const OverlapCase cases[] = {
      {{10, 10, 20, 20}, {15, 15, 30, 30}, true, {15, 15, 20, 20}},
      {{10, 10, 20, 20}, {20, 10, 30, 20}, true, {20, 10, 20, 20}},   // right edge touching left counts
      {{20, 10, 30, 20}, {10, 10, 20, 20}, false, {}},                // left edge on other's right does not
      {{10, 10, 20, 20}, {10, 20, 20, 30}, true, {10, 20, 20, 20}},   // bottom touching top counts
      {{10, 20, 20, 30}, {10, 10, 20, 20}, false, {}},
      {{}, {0, 0, 10, 10}, false, {}},                                // empty never overlaps
      {{0, 0, 10, 10}, {}, false, {}},
      {{5, 5, 5, 5}, {0, 0, 10, 10}, true, {5, 5, 5, 5}},             // zero area is not empty
  };
  for (const OverlapCase& c : cases) {
    EXPECT_EQ(c.a.Overlaps(c.b), c.overlaps) << c.a.L << "," << c.a.T << " vs " << c.b.L << "," << c.b.T;
    EXPECT_EQ(c.a.Intersect(c.b), c.intersection);
  }
}

TEST(RectangleTest, UnionKeepsTheOtherSideWhenOneIsEmpty) {
  EXPECT_EQ(IRectangle().Union({1, 2, 3, 4}), IRectangle(1, 2, 3, 4));
  EXPECT_EQ(IRectangle(1, 2, 3, 4).Union({}), IRectangle(1, 2, 3, 4));
  EXPECT_EQ(IRectangle(10, 10, 20, 20).Union({30, 5, 40, 15}), IRectangle(10, 5, 40, 20));
}

TEST(RectangleTest, ContainsIsInclusiveLeftTopExclusiveRightBottom) {
  const IRectangle r(10, 20, 30, 40);
  EXPECT_TRUE(r.Contains(10, 20));
  EXPECT_TRUE(r.Contains(29, 39));
  EXPECT_FALSE(r.Contains(30, 25));
  EXPECT_FALSE(r.Contains(15, 40));
  EXPECT_FALSE(IRectangle().Contains(0, 0));
}

TEST(ColourTest, PacksForTheRasterLibraryAndForWin32) {
  const IArgb c(0x12, 0x34, 0x56, 0x78);
  EXPECT_EQ(c.ToRaster(), 0x12345678u);
  EXPECT_EQ(c.ToWin32(), 0x785634u);
  EXPECT_EQ(kColorOrange, IArgb(255, 255, 127, 0));
  EXPECT_EQ(kColorGray, IArgb(255, 127, 127, 127));
}

TEST(TextStyleTest, DefaultsAndFaceCopy) {
  ITextStyle style;
  EXPECT_STREQ(style.mFont, "Verdana");
  EXPECT_EQ(style.mSize, 12);
  EXPECT_EQ(style.mColor, kColorBlack);
  EXPECT_EQ(style.mTextEntryBGColor, kColorWhite);
  EXPECT_EQ(style.mTextEntryFGColor, kColorBlack);
  EXPECT_EQ(style.mAlign, ITextStyle::kAlignCenter);
  EXPECT_EQ(style.mCached, nullptr);
  style.SetFace("A face name that is far longer than thirty-one characters");
  EXPECT_EQ(std::string(style.mFont).size(), 31u);
}

TEST(BitmapStripTest, FrameSizeDividesTheStackedSide) {
  EXPECT_EQ(IBitmapStrip(nullptr, 541, 5599, 12, false).FrameHeight(), 466);
  EXPECT_EQ(IBitmapStrip(nullptr, 541, 5599, 12, false).FrameWidth(), 541);
  EXPECT_EQ(IBitmapStrip(nullptr, 60, 20, 3, true).FrameWidth(), 20);
  EXPECT_EQ(IBitmapStrip(nullptr, 60, 20, 1, false).FrameHeight(), 20);
}

}  // namespace
