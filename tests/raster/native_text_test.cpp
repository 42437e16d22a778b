// The native way of the cached font, through the fake text port: when it is taken (and when the
// cached way is), what reaches the port on a bitmap with a device context, and the text bitmap's
// placement, clipping and blending back for a bitmap without one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "raster/cached_font.h"
#include "raster/mem_bitmap.h"
#include "raster/rows.h"
#include "raster/scratch_bitmap.h"
#include "raster/sys_bitmap.h"
#include "tests/raster/fake_text_port.h"

namespace {

void* const kHandle = reinterpret_cast<void*>(0x1000);
constexpr int kNative = LICE_FONT_OWNS_HANDLE | LICE_FONT_NATIVE_OK;  // as the font cache creates fonts

void Fill(LICE_IBitmap& bitmap, uint32_t colour) {
  for (int y = 0; y < bitmap.GetHeight(); ++y)
    for (int x = 0; x < bitmap.GetWidth(); ++x) RowOf(bitmap, y)[x] = colour;
}

// The columns of row y that differ from the background.
std::string Row(LICE_IBitmap& bitmap, int y, uint32_t background = 0) {
  std::string row;
  for (int x = 0; x < bitmap.GetWidth(); ++x) row += RowOf(bitmap, y)[x] == background ? '.' : '#';
  return row;
}

struct WayCase {
  const char* name;
  int flags;
  bool handle;
  unsigned int format;
  bool wine;
  bool native;
};

const WayCase kWays[] = {
    {"NativeOkWithHandle", kNative, true, 0, false, true},
    {"NotAllowed", LICE_FONT_OWNS_HANDLE, true, 0, false, false},
    {"NoHandle", kNative, false, 0, false, false},
    {"Forced", kNative, true, LICE_TEXT_NEED_ALPHA, false, false},
    {"UnderWine", kNative, true, 0, true, false},
    {"ColourAlpha", kNative, true, LICE_TEXT_COLOR_ALPHA, false, false},
    {"Vertical", kNative | LICE_FONT_VERTICAL, true, 0, false, false},
    {"VerticalUp", kNative | LICE_FONT_VERTICAL_UP, true, 0, false, false},
    {"AsciiOnly", kNative | LICE_FONT_ASCII_ONLY, true, 0, false, false},
    {"Blur", kNative | LICE_FONT_BLUR, true, 0, false, false},
    {"Invert", kNative | LICE_FONT_INVERT, true, 0, false, false},
    {"Mono", kNative | LICE_FONT_MONO, true, 0, false, false},
    {"OutlineLeftUp", kNative | LICE_FONT_OUTLINE_LEFT_UP, true, 0, false, false},
    {"Outline", kNative | LICE_FONT_OUTLINE, true, 0, false, false},
};

class NativeTextWay : public ::testing::TestWithParam<WayCase> {};

TEST_P(NativeTextWay, IsTakenOnlyWhenEveryConditionHolds) {
  const WayCase& c = GetParam();
  FakeTextPort port;
  port.wine = c.wine;
  LICE_CachedFont font(port);
  font.SetFontHandle(c.handle ? kHandle : nullptr, c.flags);
  font.SetTextColor(0xFF102030);
  LICE_SysBitmap bitmap(40, 20);
  LICE_Rect r{0, 0, 40, 20};
  font.DrawText(&bitmap, "ab", -1, &r, c.format);
  EXPECT_EQ(port.native.size(), c.native ? 1u : 0u);
  EXPECT_EQ(font.FindGlyph('a')->position >= 1, !c.native);  // the cached way renders glyphs
  if (c.native) {
    EXPECT_EQ(port.native[0].format & LICE_TEXT_NEED_ALPHA, 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(Text, NativeTextWay, ::testing::ValuesIn(kWays),
                         [](const ::testing::TestParamInfo<WayCase>& info) { return info.param.name; });

// The Wine question is asked only of texts that could go native (the port remembers the answer).
TEST(NativeText, WineIsAskedOnlyAtANativeAttempt) {
  FakeTextPort port;
  LICE_CachedFont font(port);
  font.SetFontHandle(kHandle, LICE_FONT_OWNS_HANDLE);
  LICE_SysBitmap bitmap(10, 10);
  LICE_Rect r{0, 0, 10, 10};
  font.DrawText(&bitmap, "a", -1, &r, 0);
  EXPECT_EQ(port.wineProbes, 0);
  font.SetFontHandle(kHandle, kNative);
  font.DrawText(&bitmap, "a", -1, &r, 0);
  EXPECT_EQ(port.wineProbes, 1);
}

TEST(NativeText, OnAContextTheCallersRectangleFormatAndColoursReachThePort) {
  FakeTextPort port;
  LICE_CachedFont font(port);
  font.SetFontHandle(kHandle, kNative);
  font.SetTextColor(0xFF112233);
  font.SetBkColor(0xFF445566);
  font.SetBkMode(2);
  LICE_SysBitmap bitmap(30, 12);
  Fill(bitmap, 0);
  LICE_Rect r{3, 1, 30, 12};
  EXPECT_EQ(font.DrawText(&bitmap, "abcd", -1, &r, LICE_DT_NOCLIP | LICE_DT_RIGHT), 10);
  ASSERT_EQ(port.native.size(), 1u);
  const FakeTextPort::NativeCall& call = port.native[0];
  EXPECT_EQ(call.target, &bitmap);
  EXPECT_EQ(call.font, kHandle);
  EXPECT_EQ(call.text, "abcd");
  EXPECT_EQ(call.length, -1);
  EXPECT_EQ(call.format, LICE_DT_NOCLIP | LICE_DT_RIGHT);
  EXPECT_EQ(call.rect.left, 3);
  EXPECT_EQ(call.rect.right, 30);
  EXPECT_EQ(call.style.colour, 0xFF112233u);
  EXPECT_EQ(call.style.backMode, 2);
  EXPECT_EQ(call.style.backColour, 0xFF445566u);
  EXPECT_EQ(r.right, 30);  // drawing leaves the rectangle
  EXPECT_EQ(Row(bitmap, 1), "...########################...");

  LICE_Rect m{5, 6, 0, 0};
  EXPECT_EQ(font.DrawText(&bitmap, "abc", -1, &m, LICE_DT_CALCRECT), 10);
  EXPECT_EQ(m.right, 5 + 18);
  EXPECT_EQ(m.bottom, 6 + 10);
}

TEST(NativeText, AnExplicitLengthStopsAtAZeroAndNoTextIsEmpty) {
  FakeTextPort port;
  LICE_CachedFont font(port);
  font.SetFontHandle(kHandle, kNative);
  LICE_SysBitmap bitmap(30, 12);
  LICE_Rect r{0, 0, 30, 12};
  font.DrawText(&bitmap, "ab\0cd", 5, &r, 0);
  font.DrawText(&bitmap, "abcd", 3, &r, 0);
  ASSERT_EQ(port.native.size(), 2u);
  EXPECT_EQ(port.native[0].length, 2);
  EXPECT_EQ(port.native[1].text, "abc");
  LICE_Rect empty{4, 5, 9, 9};
  EXPECT_EQ(font.DrawText(nullptr, nullptr, -1, &empty, LICE_DT_CALCRECT), 0);
  EXPECT_EQ(empty.right, 4);
  EXPECT_EQ(empty.bottom, 5);
  EXPECT_EQ(font.DrawText(&bitmap, "", -1, &r, 0), 0);
  EXPECT_EQ(port.native.size(), 2u);
}

// Measuring without a bitmap goes through the text bitmap, from the rectangle's corner.
TEST(NativeText, MeasuresWithoutABitmap) {
  FakeTextPort port;
  LICE_CachedFont font(port);
  font.SetFontHandle(kHandle, kNative);
  LICE_Rect r{7, 2, 8, 3};
  EXPECT_EQ(font.DrawText(nullptr, "abcde", -1, &r, LICE_DT_CALCRECT | LICE_DT_CENTER), 10);
  EXPECT_EQ(r.left, 7);
  EXPECT_EQ(r.right, 7 + 30);
  EXPECT_EQ(r.bottom, 2 + 10);
  ASSERT_EQ(port.native.size(), 1u);
  // Measured with the alignment bits removed.
  EXPECT_EQ(port.native[0].format, static_cast<unsigned int>(LICE_DT_CALCRECT));
}

struct PlaceCase {
  const char* name;
  LICE_Rect rect;
  unsigned int format;
  int row;               // a row of the bitmap to look at
  const char* expected;  // its columns: '#' where text was drawn
};

// Text "ab" is 12 x 10 pixels in the fake port; the bitmap is 24 x 14.
const PlaceCase kPlaces[] = {
    {"Left", {2, 1, 22, 13}, 0, 1, "..############.........."},
    {"Right", {2, 1, 22, 13}, LICE_DT_RIGHT, 1, "..........############.."},
    {"Centre", {2, 1, 22, 13}, LICE_DT_CENTER, 1, "......############......"},
    {"Bottom", {2, 1, 22, 13}, LICE_DT_BOTTOM, 3, "..############.........."},
    {"BottomRowsAboveEmpty", {2, 1, 22, 13}, LICE_DT_BOTTOM, 2, "........................"},
    {"ClippedToTheRectangle", {2, 1, 8, 13}, 0, 1, "..######................"},
    {"NoClipWider", {2, 1, 8, 13}, LICE_DT_NOCLIP, 1, "..############.........."},
    // Aligned in the rectangle as on a device context, even when the text is wider.
    {"NoClipCentred", {6, 1, 12, 13}, LICE_DT_NOCLIP | LICE_DT_CENTER, 1, "...############........."},
    {"NoClipRight", {6, 1, 12, 13}, LICE_DT_NOCLIP | LICE_DT_RIGHT, 1, "############............"},
    {"NoClipCentredOverTheLeftEdge", {0, 1, 2, 13}, LICE_DT_NOCLIP | LICE_DT_CENTER, 1, "#######................."},
};

class NativeTextPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(NativeTextPlace, WithoutAContextDrawsOnTheTextBitmapAndCopiesBack) {
  const PlaceCase& c = GetParam();
  FakeTextPort port;
  LICE_CachedFont font(port);
  font.SetFontHandle(kHandle, kNative);
  font.SetTextColor(0xFFFFFF);
  LICE_MemBitmap bitmap(24, 14);
  Fill(bitmap, 0xFF000000);
  LICE_Rect r = c.rect;
  font.DrawText(&bitmap, "ab", -1, &r, c.format);
  EXPECT_EQ(Row(bitmap, c.row, 0xFF000000), c.expected);
  EXPECT_EQ(Row(bitmap, 13, 0xFF000000), "........................");
  ASSERT_EQ(port.native.size(), 2u);  // measured, then drawn on the text bitmap
  EXPECT_EQ(port.native[1].target, &LICE_TextBitmap());
  EXPECT_EQ(port.native[1].rect.left, 0);
  EXPECT_EQ(port.native[1].rect.top, 0);
}

INSTANTIATE_TEST_SUITE_P(Text, NativeTextPlace, ::testing::ValuesIn(kPlaces),
                         [](const ::testing::TestParamInfo<PlaceCase>& info) { return info.param.name; });

// The text bitmap is blended back at the font's opacity, over the text's box only.
TEST(NativeText, WithoutAContextBlendsBackAtTheFontsOpacity) {
  FakeTextPort port;
  LICE_CachedFont font(port);
  font.SetFontHandle(kHandle, kNative);
  font.SetTextColor(0xFFFFFF);
  font.SetCombineMode(0, 0.5f);
  LICE_MemBitmap bitmap(24, 14);
  Fill(bitmap, 0xFF000000);
  RowOf(bitmap, 12)[3] = 0xFF123456;
  LICE_Rect r{2, 1, 22, 13};
  font.DrawText(&bitmap, "ab", -1, &r, 0);
  EXPECT_EQ(RowOf(bitmap, 1)[2], 0xFE7F7F7Fu);  // the 0.5 copy: halves added
  EXPECT_EQ(RowOf(bitmap, 12)[3], 0xFF123456u);
}

TEST(NativeText, NineXRendersNoGlyphAboveAscii) {
  FakeTextPort port;
  port.nineX = true;
  LICE_CachedFont font(port);
  font.SetFontHandle(kHandle, 0);
  EXPECT_FALSE(font.RenderGlyph(0xE9));
  EXPECT_TRUE(font.RenderGlyph('e'));
  EXPECT_EQ(port.Renders(0xE9), 0);
}

}  // namespace
