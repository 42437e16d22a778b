// The cached font through the fake text port: the glyph cache (rendered once, emptied by a new
// handle, the sorted list, refused growth), the glyph effects, measuring and layout, alignment,
// clipping and the blended pixel values.
#include "raster/cached_font.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "raster/blur.h"
#include "raster/mem_bitmap.h"
#include "tests/raster/fake_text_port.h"

namespace {

void* const kHandle = reinterpret_cast<void*>(0x1000);
void* const kOther = reinterpret_cast<void*>(0x2000);

struct Fixture {
  explicit Fixture(int flags = 0) { font.SetFontHandle(kHandle, flags); }
  FakeTextPort port;
  LICE_CachedFont font{port};
};

void Fill(LICE_MemBitmap& bitmap, uint32_t colour) {
  for (int y = 0; y < bitmap.GetHeight(); ++y)
    for (int x = 0; x < bitmap.GetWidth(); ++x) bitmap.GetBits()[y * bitmap.GetRowSpan() + x] = colour;
}
uint32_t At(LICE_MemBitmap& bitmap, int x, int y) { return bitmap.GetBits()[y * bitmap.GetRowSpan() + x]; }

// The columns of row y that differ from the background.
std::string Row(LICE_MemBitmap& bitmap, int y, uint32_t background = 0) {
  std::string row;
  for (int x = 0; x < bitmap.GetWidth(); ++x) row += At(bitmap, x, y) == background ? '.' : '#';
  return row;
}

TEST(CachedFont, RendersEachCharacterOnceAndANewHandleEmptiesTheCache) {
  Fixture f;
  LICE_MemBitmap bitmap(40, 20);
  LICE_Rect r{0, 0, 40, 20};
  f.font.DrawText(&bitmap, "AAA", -1, &r, 0);
  f.font.DrawText(&bitmap, "AAA", -1, &r, 0);
  EXPECT_EQ(f.port.Renders('A'), 1);
  f.font.SetFontHandle(kOther, 0);
  EXPECT_EQ(f.font.FindGlyph('A')->position, 0);
  f.font.DrawText(&bitmap, "A", -1, &r, 0);
  EXPECT_EQ(f.port.Renders('A'), 2);
  // Measured before drawn, each through the port in that order.
  const std::vector<std::string> tail(f.port.calls.end() - 2, f.port.calls.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"measure 65", "render 65"}));
}

TEST(CachedFont, AnOwnedHandleIsDeletedOnceWhenReplacedOrDestroyed) {
  FakeTextPort port;
  {
    LICE_CachedFont font(port);
    font.SetFontHandle(kHandle, LICE_FONT_OWNS_HANDLE);
    font.SetFontHandle(kHandle, LICE_FONT_OWNS_HANDLE);
    EXPECT_TRUE(port.deleted.empty());
    font.SetFontHandle(kOther, LICE_FONT_OWNS_HANDLE);
    EXPECT_EQ(port.deleted, std::vector<void*>{kHandle});
  }
  EXPECT_EQ(port.deleted, (std::vector<void*>{kHandle, kOther}));
}

TEST(CachedFont, DefaultsAndSettersReturnThePreviousValue) {
  Fixture f;
  EXPECT_EQ(f.font.GetLineHeight(), 10);
  EXPECT_EQ(f.font.GetFontHandle(), kHandle);
  EXPECT_EQ(f.font.SetTextColor(0xFF112233), 0u);
  EXPECT_EQ(f.font.GetTextColor(), 0xFF112233u);
  EXPECT_EQ(f.font.SetBkColor(1), 0xFFFFFFFFu);
  EXPECT_EQ(f.font.SetEffectColor(2), 0xFFFFFFFFu);
  EXPECT_EQ(f.font.SetBkMode(2), 1);
}

TEST(CachedFont, TheExtendedListFindsCharactersRenderedOutOfOrder) {
  Fixture f;
  for (int c : {0x20AC, 0xE9, 0x100}) EXPECT_TRUE(f.font.RenderGlyph(c));
  for (int c : {0x20AC, 0xE9, 0x100}) {
    ASSERT_NE(f.font.FindGlyph(c), nullptr) << c;
    EXPECT_EQ(f.font.FindGlyph(c)->character, c);
    EXPECT_GE(f.font.FindGlyph(c)->position, 1);
  }
  EXPECT_EQ(f.font.FindGlyph(0x101), nullptr);
}

TEST(CachedFont, AnAsciiOnlyFontRendersAllAsciiAtOnceAndNothingAbove) {
  Fixture f(LICE_FONT_ASCII_ONLY);
  EXPECT_EQ(f.port.Renders(0), 1);
  EXPECT_EQ(f.port.Renders(127), 1);
  EXPECT_FALSE(f.font.RenderGlyph(0xE9));
  EXPECT_EQ(f.font.FindGlyph(0xE9), nullptr);
}

TEST(CachedFont, AnEmptyGlyphIsMarkedAndSkippedWithoutMovingThePen) {
  Fixture f;
  f.port.glyphs[' '] = {0, 8, {}};
  LICE_Rect r{3, 4, 3, 4};
  EXPECT_EQ(f.font.DrawText(nullptr, "a b", -1, &r, LICE_DT_CALCRECT), 8);
  EXPECT_EQ(f.font.FindGlyph(' ')->position, -1);
  EXPECT_EQ(r.right, 3 + 8);
}

struct MeasureCase {
  std::string text;
  int length;
  unsigned int format;
  int right, bottom, result;
};

class CachedFontMeasure : public testing::TestWithParam<MeasureCase> {};

TEST_P(CachedFontMeasure, GivesTheExtentFromTheRectanglesCorner) {
  const MeasureCase& c = GetParam();
  Fixture f;
  f.port.glyphs['W'] = {6, 9, {}};
  // The exact bytes on the heap: AddressSanitizer sees a read past the length.
  std::vector<char> bytes(c.text.begin(), c.text.end());
  if (c.length < 0) bytes.push_back(0);
  LICE_Rect r{5, 7, 100, 100};
  EXPECT_EQ(f.font.DrawText(nullptr, bytes.empty() ? "" : bytes.data(), c.length, &r, c.format | LICE_DT_CALCRECT),
            c.result);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 7);
  EXPECT_EQ(r.right, c.right);
  EXPECT_EQ(r.bottom, c.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CachedFontMeasure,
    testing::Values(MeasureCase{"", -1, 0, 5, 7, 0}, MeasureCase{"ab", -1, 0, 13, 15, 8},
                    MeasureCase{"AW", -1, 0, 15, 16, 9},  // advances only: A 4, W 6
                    MeasureCase{"ab", 1, 0, 9, 15, 8}, MeasureCase{"a\r\nb", -1, 0, 9, 25, 18},
                    MeasureCase{"a\r\nb", -1, LICE_DT_SINGLELINE, 17, 15, 8},
                    MeasureCase{"\xF0\x9F\x98\x80", -1, 0, 9, 15, 8},  // one space
                    MeasureCase{"\xC3\xA9\xC3", 3, 0, 13, 15, 8},      // the cut lead is a character
                    MeasureCase{std::string("a\0b", 3), 3, 0, 9, 15, 8}));             // a zero ends the text

TEST(CachedFont, NullTextMeasuresEmptyAndDrawsNothing) {
  Fixture f;
  LICE_Rect r{5, 7, 100, 100};
  EXPECT_EQ(f.font.DrawText(nullptr, nullptr, -1, &r, LICE_DT_CALCRECT), 0);
  EXPECT_EQ(r.right, 5);
  EXPECT_EQ(r.bottom, 7);
  LICE_MemBitmap bitmap(8, 8);
  Fill(bitmap, 0);
  LICE_Rect d{0, 0, 8, 8};
  EXPECT_EQ(f.font.DrawText(&bitmap, nullptr, 4, &d, 0), 0);
  EXPECT_EQ(Row(bitmap, 0), "........");
  EXPECT_EQ(f.font.DrawText(nullptr, "a", -1, &d, 0), 0);  // drawing needs a bitmap
}

TEST(CachedFont, CapitalsStoreTwoColumnsMoreThanTheirAdvance) {
  Fixture f;
  LICE_Rect r{0, 0, 0, 0};
  f.font.DrawText(nullptr, "AB", -1, &r, LICE_DT_CALCRECT);
  EXPECT_EQ(r.right, 8);
  EXPECT_EQ(f.font.FindGlyph('A')->width, 6);
  EXPECT_EQ(f.font.FindGlyph('A')->advance, 4);
  EXPECT_EQ(f.font.FindGlyph('a')->width, 0);  // not rendered
}

struct LayoutCase {
  std::string name;
  int fontFlags;
  unsigned int format;
  LICE_Rect rect;
  std::vector<std::string> rows;  // rows 0.. of a 12 x 12 bitmap, '#' where text was drawn
};

class CachedFontLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(CachedFontLayout, PlacesAndClipsTheText) {
  const LayoutCase& c = GetParam();
  Fixture f;
  f.port.lineHeight = 3;
  // 'a' 5 x 2 and 'b' 3 x 2, each advancing its width; lines 3 apart.
  f.port.glyphs['a'] = {5, 2, {}};
  f.port.glyphs['b'] = {3, 2, {}};
  f.font.SetFontHandle(kHandle, c.fontFlags);
  f.font.SetTextColor(0xFFFFFFFF);
  LICE_MemBitmap bitmap(12, 12);
  Fill(bitmap, 0);
  LICE_Rect r = c.rect;
  f.font.DrawText(&bitmap, "ab\nb", -1, &r, c.format);
  for (size_t y = 0; y < c.rows.size(); ++y) EXPECT_EQ(Row(bitmap, static_cast<int>(y)), c.rows[y]) << y;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CachedFontLayout,
    testing::Values(
        LayoutCase{"TopLeft", 0, 0, {1, 1, 12, 12}, {"............", ".########...", ".########...", "............", ".###........"}},
        LayoutCase{"NeedAlphaOnlyForcesTheCachedWay", 0, LICE_TEXT_NEED_ALPHA, {1, 1, 12, 12},
                   {"............", ".########...", ".########...", "............", ".###........"}},
        LayoutCase{"ClippedToTheRectangle", 0, 0, {1, 1, 4, 3}, {"............", ".###........", ".###........", "............"}},
        LayoutCase{"NoClip", 0, LICE_DT_NOCLIP, {1, 1, 4, 3}, {"............", ".########...", ".########...", "............", ".###........"}},
        LayoutCase{"Right", 0, LICE_DT_RIGHT, {0, 0, 12, 12}, {"....########", "....########", "............", "....###....."}},
        // (5 - 8 - 0) / 2 truncates to -1, not -2: the first column is clipped away.
        LayoutCase{"CentreTruncates", 0, LICE_DT_CENTER | LICE_DT_NOCLIP, {0, 0, 5, 12}, {"#######.....", "#######.....", "............", "##.........."}},
        LayoutCase{"Bottom", 0, LICE_DT_BOTTOM, {0, 0, 12, 7}, {"............", "............", "########....", "########....", "............", "###........."}},
        LayoutCase{"VCentre", 0, LICE_DT_VCENTER, {0, 0, 12, 9}, {"............", "............", "########....", "########....", "............", "###........."}},
        // Vertical text: glyphs turned, the pen moving down and lines 3 to the right.
        LayoutCase{"Vertical", LICE_FONT_VERTICAL, 0, {1, 1, 12, 12},
                   {"............", ".##.##......", ".##.##......", ".##.##......", ".##.........", ".##.........",
                    ".##.........", ".##.........", ".##.........", "............"}},
        // Up text starts one measured height (8) lower and runs upward: b above a.
        LayoutCase{"Up", LICE_FONT_VERTICAL | LICE_FONT_VERTICAL_UP, 0, {1, 1, 12, 12},
                   {"............", ".##.........", ".##.........", ".##.........", ".##.........", ".##.........",
                    ".##.##......", ".##.##......", ".##.##......", "............"}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

struct PixelCase {
  std::string name;
  int fontFlags;
  uint8_t coverage;
  uint32_t textColour, destination;
  unsigned int format;
  uint32_t expected;
  int combineMode = 0;
};

class CachedFontPixel : public testing::TestWithParam<PixelCase> {};

TEST_P(CachedFontPixel, BlendsTheCoverageByTheRules) {
  const PixelCase& c = GetParam();
  Fixture f;
  f.port.glyphs['x'] = {1, 1, {c.coverage}};
  f.font.SetFontHandle(kHandle, c.fontFlags);
  f.font.SetTextColor(c.textColour);
  f.font.SetCombineMode(c.combineMode, 1.0f);
  LICE_MemBitmap bitmap(2, 2);
  Fill(bitmap, c.destination);
  LICE_Rect r{0, 0, 2, 2};
  f.font.DrawText(&bitmap, "x", 1, &r, c.format);
  EXPECT_EQ(At(bitmap, 0, 0), c.expected);
  EXPECT_EQ(At(bitmap, 1, 0), c.destination);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CachedFontPixel,
    testing::Values(PixelCase{"HalfCoverageWeighsVPlusOne", 0, 128, 0xFFFFFFFF, 0xFF000000, 0, 0xFF818181},
                    PixelCase{"LeastCoverage", 0, 1, 0xFFFFFFFF, 0, 0, 0x02020202},
                    PixelCase{"FullCoverage", 0, 255, 0xFFFFFFFF, 0, 0, 0xFFFFFFFF},
                    PixelCase{"ColourAlphaHalves", 0, 128, 0x80FFFFFF, 0xFF000000, LICE_TEXT_COLOR_ALPHA, 0xFF404040},
                    PixelCase{"ColourAlphaFull", 0, 255, 0x80FFFFFF, 0xFF000000, LICE_TEXT_COLOR_ALPHA, 0xFF7F7F7F},
                    PixelCase{"ColourAlphaZeroDrawsNothing", 0, 255, 0x00FFFFFF, 0xFF000000, LICE_TEXT_COLOR_ALPHA, 0xFF000000},
                    PixelCase{"MonoWritesTheWholeColour", LICE_FONT_MONO, 200, 0x80FF0000, 0, 0, 0x80FF0000},
                    PixelCase{"MonoDropsLowCoverage", LICE_FONT_MONO, 130, 0x80FF0000, 0, 0, 0},
                    PixelCase{"Add", 0, 128, 0xFF102030, 0xFF101010, 0, 0xFF182028, 1},
                    PixelCase{"SourceAlphaBitIgnored", 0, 128, 0xFF102030, 0xFF101010, 0, 0xFF182028, 0x10001},
                    PixelCase{"Multiply", 0, 255, 0xFF808080, 0xFF404040, 0, 0xFE202020, 3},
                    PixelCase{"UnknownModeDrawsNothing", 0, 255, 0xFFFFFFFF, 0xFF404040, 0, 0xFF404040, 6}),
    [](const testing::TestParamInfo<PixelCase>& info) { return info.param.name; });

TEST(CachedFont, BackgroundModeTwoFillsTheGlyphBoxFirst) {
  Fixture f;
  f.port.glyphs['x'] = {2, 1, {0, 255}};
  f.font.SetFontHandle(kHandle, 0);
  f.font.SetTextColor(0xFFFFFFFF);
  f.font.SetBkColor(0xFF0000FF);
  f.font.SetBkMode(2);
  LICE_MemBitmap bitmap(3, 2);
  Fill(bitmap, 0);
  LICE_Rect r{0, 0, 3, 2};
  f.font.DrawText(&bitmap, "x", -1, &r, 0);
  EXPECT_EQ(At(bitmap, 0, 0), 0xFF0000FFu);
  EXPECT_EQ(At(bitmap, 1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(At(bitmap, 2, 0), 0u);
  EXPECT_EQ(At(bitmap, 0, 1), 0u);
}

TEST(CachedFont, TheBlurFlagBlursTheRenderedGlyphBeforeStoringIt) {
  Fixture f;
  f.port.glyphs['o'] = {3, 3, {0, 0, 0, 0, 255, 0, 0, 0, 0}};
  f.font.SetFontHandle(kHandle, LICE_FONT_BLUR);
  ASSERT_TRUE(f.font.RenderGlyph('o'));
  // The same rendering blurred on a bitmap of its own gives the expected coverage.
  LICE_MemBitmap expected(3, 3);
  Fill(expected, 0);
  f.port.RenderGlyph(nullptr, 'o', expected, 3, 3);
  LICE_BlurBitmap(expected, 3, 3);
  LICE_MemBitmap drawn(3, 3);
  Fill(drawn, 0);
  f.font.SetTextColor(0xFFFFFFFF);
  f.font.DrawGlyph(&drawn, 'o', 0, 0, LICE_Rect{0, 0, 3, 3});
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) {
      const int v = static_cast<int>(At(expected, x, y) >> 16 & 0xFF);
      EXPECT_EQ(static_cast<int>(At(drawn, x, y) >> 24), v == 0 ? 0 : v == 255 ? 255 : v + 1) << x << "," << y;
    }
}

struct EffectCase {
  std::string name;
  int flags;
  int width, height;
  std::vector<uint8_t> coverage;
};

class CachedFontEffects : public testing::TestWithParam<EffectCase> {};

// One 3 x 3 glyph of red bytes {0, 100, 131; 130, 255, 0; 0, 0, 200} under each flag.
TEST_P(CachedFontEffects, TreatTheRenderedCoverage) {
  const EffectCase& c = GetParam();
  Fixture f;
  f.port.glyphs['g'] = {3, 3, {0, 100, 131, 130, 255, 0, 0, 0, 200}};
  f.font.SetFontHandle(kHandle, c.flags);
  ASSERT_TRUE(f.font.RenderGlyph('g'));
  const LICE_Glyph* g = f.font.FindGlyph('g');
  ASSERT_EQ(g->width, c.width);
  ASSERT_EQ(g->height, c.height);
  // Drawn as mono-free plain white onto black at alpha 1.0, a pixel shows v + 1 (0 stays 0).
  LICE_MemBitmap bitmap(3, 3);
  Fill(bitmap, 0);
  LICE_Rect r{0, 0, 3, 3};
  f.font.SetTextColor(0xFFFFFFFF);
  f.font.DrawGlyph(&bitmap, 'g', 0, 0, r);
  std::vector<uint8_t> seen;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) seen.push_back(static_cast<uint8_t>(At(bitmap, x, y) >> 24));
  std::vector<uint8_t> expected = c.coverage;
  // The alpha channel (dest 0, source 255) shows the weight, or the colour's 255 when written whole.
  if (!(c.flags & (LICE_FONT_MONO | LICE_FONT_OUTLINE | LICE_FONT_OUTLINE_LEFT_UP)))
    for (uint8_t& v : expected) v = v == 0 ? 0 : static_cast<uint8_t>(v == 255 ? 255 : v + 1);
  else
    for (uint8_t& v : expected) v = v == 0 ? 0 : 255;
  EXPECT_EQ(seen, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CachedFontEffects,
    testing::Values(EffectCase{"Plain", 0, 3, 3, {0, 100, 131, 130, 255, 0, 0, 0, 200}},
                    EffectCase{"Invert", LICE_FONT_INVERT, 3, 3, {255, 155, 124, 125, 0, 255, 255, 255, 55}},
                    EffectCase{"Mono", LICE_FONT_MONO, 3, 3, {0, 0, 255, 0, 255, 0, 0, 0, 255}},
                    EffectCase{"Outline", LICE_FONT_OUTLINE, 3, 3, {0, 128, 255, 128, 255, 128, 0, 128, 255}},
                    EffectCase{"OutlineLeftUp", LICE_FONT_OUTLINE_LEFT_UP, 3, 3, {0, 0, 255, 0, 255, 128, 0, 128, 255}},
                    EffectCase{"Vertical", LICE_FONT_VERTICAL, 3, 3, {0, 130, 0, 0, 255, 100, 200, 0, 131}},
                    EffectCase{"VerticalUp", LICE_FONT_VERTICAL | LICE_FONT_VERTICAL_UP, 3, 3,
                               {131, 0, 200, 100, 255, 0, 0, 130, 0}}),
    [](const testing::TestParamInfo<EffectCase>& info) { return info.param.name; });

}  // namespace
