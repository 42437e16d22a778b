// What only the GDI text port can show, under Wine: a real font measures and renders glyphs
// into the scratch section, text appears in the bitmap by both ways, the background mode reaches
// GDI as OPAQUE for 2 and TRANSPARENT otherwise, and under Wine every text takes the cached way.
// Wine substitutes fonts, so no test looks for exact text pixels.
#include <gtest/gtest.h>
#include <windows.h>
#undef DrawText

#include <cstdint>

#include "raster/cached_font.h"
#include "raster/mem_bitmap.h"
#include "raster/rows.h"
#include "raster/sys_bitmap.h"
#include "raster/text_port.h"

namespace {

void Fill(LICE_IBitmap& bitmap, uint32_t colour) {
  for (int y = 0; y < bitmap.GetHeight(); ++y)
    for (int x = 0; x < bitmap.GetWidth(); ++x) RowOf(bitmap, y)[x] = colour;
}

// Pixels whose colour (alpha aside) is `colour`, inside and outside the rectangle.
struct Count {
  int inside = 0, outside = 0;
};
Count CountColour(LICE_IBitmap& bitmap, uint32_t colour, const LICE_Rect& r) {
  Count count;
  for (int y = 0; y < bitmap.GetHeight(); ++y)
    for (int x = 0; x < bitmap.GetWidth(); ++x) {
      if ((RowOf(bitmap, y)[x] & 0xFFFFFF) != (colour & 0xFFFFFF)) continue;
      const bool in = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
      ++(in ? count.inside : count.outside);
    }
  return count;
}

// The real port, but telling the font it is not under Wine, so that the native way is taken.
class NotWinePort : public LICE_TextPort {
 public:
  void* MakeFont(const LICE_FontRequest& r) override { return real_.MakeFont(r); }
  void DeleteFont(void* f) override { real_.DeleteFont(f); }
  int LineHeight(void* f) override { return real_.LineHeight(f); }
  void MeasureGlyph(void* f, int c, int* w, int* h) override { real_.MeasureGlyph(f, c, w, h); }
  void RenderGlyph(void* f, int c, LICE_IBitmap& t, int w, int h) override { real_.RenderGlyph(f, c, t, w, h); }
  bool IsWine() override { return false; }
  bool IsNineX() override { return real_.IsNineX(); }
  int DrawString(void* f, LICE_IBitmap& t, const char* s, int n, LICE_Rect* r, unsigned int format,
                 const LICE_NativeTextStyle& style) override {
    return real_.DrawString(f, t, s, n, r, format, style);
  }

 private:
  LICE_TextPort& real_ = LICE_SystemTextPort();
};

LICE_FontRequest Verdana18() {
  LICE_FontRequest request;
  request.face = "Verdana";
  request.height = 18;
  return request;
}

constexpr int kFontFlags = LICE_FONT_OWNS_HANDLE | LICE_FONT_NATIVE_OK;

TEST(GdiTextPort, KnowsItRunsUnderWine) {
  // Wine's own export, found apart from the registry key the port looks for.
  const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  EXPECT_EQ(LICE_SystemTextPort().IsWine(), wine);
  EXPECT_EQ(LICE_SystemTextPort().IsWine(), wine);  // remembered
  EXPECT_FALSE(LICE_SystemTextPort().IsNineX());
}

TEST(GdiTextPort, ARealFontRendersCoverageIntoTheCache) {
  LICE_TextPort& port = LICE_SystemTextPort();
  LICE_CachedFont font(port);
  void* handle = port.MakeFont(Verdana18());
  ASSERT_NE(handle, nullptr);
  font.SetFontHandle(handle, kFontFlags);
  EXPECT_GT(font.GetLineHeight(), 0);
  ASSERT_TRUE(font.RenderGlyph('A'));
  const LICE_Glyph* a = font.FindGlyph('A');
  ASSERT_NE(a, nullptr);
  ASSERT_GE(a->position, 1);
  EXPECT_GT(a->advance, 0);
  EXPECT_EQ(a->width, a->advance + 2);  // capitals keep two more columns
  EXPECT_GT(a->height, 0);
  int covered = 0;
  LICE_MemBitmap bitmap(a->width + 4, a->height + 4);
  Fill(bitmap, 0xFF000000);
  font.SetTextColor(0xFFFFFFFF);
  EXPECT_TRUE(font.DrawGlyph(&bitmap, 'A', 2, 2, LICE_Rect{0, 0, bitmap.GetWidth(), bitmap.GetHeight()}));
  for (int y = 0; y < bitmap.GetHeight(); ++y)
    for (int x = 0; x < bitmap.GetWidth(); ++x) covered += RowOf(bitmap, y)[x] != 0xFF000000u;
  EXPECT_GT(covered, 5);
  // A wide character goes through the wide call.
  ASSERT_TRUE(font.RenderGlyph(0xE9));
  EXPECT_GE(font.FindGlyph(0xE9)->position, 1);
}

// Under Wine even a font allowed the native way draws through the glyph cache.
TEST(GdiTextPort, UnderWineEveryTextTakesTheCachedWay) {
  if (!LICE_SystemTextPort().IsWine()) GTEST_SKIP() << "not under Wine";
  LICE_TextPort& port = LICE_SystemTextPort();
  LICE_CachedFont font(port);
  font.SetFontHandle(port.MakeFont(Verdana18()), kFontFlags);
  font.SetTextColor(0xFFFFFFFF);
  LICE_SysBitmap bitmap(120, 30);
  Fill(bitmap, 0xFF000000);
  LICE_Rect r{10, 4, 110, 28};
  font.DrawText(&bitmap, "Gain", -1, &r, LICE_DT_NOCLIP);
  EXPECT_GE(font.FindGlyph('G')->position, 1);
  const Count black = CountColour(bitmap, 0, LICE_Rect{0, 0, 120, 30});
  EXPECT_LT(black.inside, 120 * 30);  // something was drawn
}

struct WayCase {
  const char* name;
  bool sysBitmap;  // with a device context (the text bitmap is used otherwise)
  bool native;
};

class GdiTextWays : public ::testing::TestWithParam<WayCase> {};

// The text appears inside its rectangle and nowhere else, by every way.
TEST_P(GdiTextWays, TextAppearsInsideTheRectangle) {
  const WayCase& c = GetParam();
  NotWinePort notWine;
  LICE_TextPort& port = c.native ? static_cast<LICE_TextPort&>(notWine) : LICE_SystemTextPort();
  LICE_CachedFont font(port);
  font.SetFontHandle(port.MakeFont(Verdana18()), c.native ? kFontFlags : LICE_FONT_OWNS_HANDLE);
  font.SetTextColor(0xFFFFFFFF);
  LICE_SysBitmap sys(160, 40);
  LICE_MemBitmap mem(160, 40);
  LICE_IBitmap& bitmap = c.sysBitmap ? static_cast<LICE_IBitmap&>(sys) : mem;
  Fill(bitmap, 0xFF000000);
  const LICE_Rect r{20, 5, 140, 35};
  LICE_Rect drawn = r;
  EXPECT_GT(font.DrawText(&bitmap, "Volume \xC3\xA9", -1, &drawn, LICE_DT_CENTER), 0);
  const Count black = CountColour(bitmap, 0, r);
  EXPECT_LT(black.inside, 120 * 30 - 5);  // text drawn inside
  EXPECT_EQ(black.outside, 160 * 40 - 120 * 30);  // and nothing outside
  LICE_Rect measured{0, 0, 0, 0};
  font.DrawText(nullptr, "Volume", -1, &measured, LICE_DT_CALCRECT);
  EXPECT_GT(measured.right, 20);
  EXPECT_GT(measured.bottom, 5);
}

const WayCase kWays[] = {
    {"NativeOnAContext", true, true},
    {"NativeThroughTheTextBitmap", false, true},
    {"CachedOnAContext", true, false},
    {"CachedWithoutAContext", false, false},
};

INSTANTIATE_TEST_SUITE_P(Text, GdiTextWays, ::testing::ValuesIn(kWays),
                         [](const ::testing::TestParamInfo<WayCase>& info) { return info.param.name; });

// Mode 2 paints the background colour behind the text; 1, and 7 (no GDI mode, which would leave
// the context opaque from before), paint none.
TEST(GdiTextPort, BackgroundModeTwoIsOpaqueAndEveryOtherTransparent) {
  LICE_TextPort& port = LICE_SystemTextPort();
  void* handle = port.MakeFont(Verdana18());
  LICE_SysBitmap bitmap(100, 30);
  struct Case {
    int mode;
    bool blue;
  };
  for (const Case c : {Case{2, true}, Case{1, false}, Case{2, true}, Case{7, false}, Case{0, false}}) {
    Fill(bitmap, 0xFF000000);
    LICE_NativeTextStyle style;
    style.colour = 0xFFFFFF;
    style.backMode = c.mode;
    style.backColour = 0x0000FF;
    LICE_Rect r{0, 0, 100, 30};
    port.DrawString(handle, bitmap, "Bass", -1, &r, 0, style);
    const int blue = CountColour(bitmap, 0x0000FF, r).inside, black = CountColour(bitmap, 0, r).inside;
    EXPECT_EQ(blue > 0, c.blue) << "mode " << c.mode;
    EXPECT_GT(100 * 30 - blue - black, 0) << "mode " << c.mode;  // the text itself
  }
  port.DeleteFont(handle);
}

}  // namespace
