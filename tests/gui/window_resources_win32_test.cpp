// The Windows editor's images and fonts: film strips from the module's PNG resources (this test
// executable embeds one, 101, of 3 x 2 pixels) through the bitmap cache, and text drawn with a
// system font into the drawing bitmap.
#include <windows.h>
#undef DrawText

#include <gtest/gtest.h>

#include "gui/igraphics_win32.h"
#include "raster/bitmap.h"
#include "tests/gui/gui_fixture.h"

namespace {

struct ResourceFixture : ::testing::Test {
  ResourceFixture() : editor(&plug, 200, 100, 0, &bitmaps, &fonts) {
    editor.SetHInstance(GetModuleHandleA(nullptr));
    editor.CreateDrawBitmaps();
  }
  GuiPlug plug;
  IBitmapCache bitmaps;
  IFontCache fonts;
  IGraphicsWin editor;
};

TEST_F(ResourceFixture, APngNameLoadsTheEmbeddedImageOnceForEveryEditor) {
  IBitmapStrip strip = editor.LoadBitmapStrip(101, "resources/img/bg.PNG", 2);
  ASSERT_NE(strip.mBitmap, nullptr);
  EXPECT_EQ(strip.W, 3);
  EXPECT_EQ(strip.H, 2);
  EXPECT_EQ(strip.N, 2);
  EXPECT_EQ(strip.mBitmap->GetBits()[0], 0xFFFF0000u);
  EXPECT_EQ(bitmaps.GetSize(), 1);

  GuiPlug otherPlug;
  IGraphicsWin other(&otherPlug, 200, 100, 0, &bitmaps, &fonts);
  other.SetHInstance(GetModuleHandleA(nullptr));
  EXPECT_EQ(other.LoadBitmapStrip(101, "bg.png").mBitmap, strip.mBitmap);  // from the cache
  EXPECT_EQ(bitmaps.GetSize(), 1);
}

TEST_F(ResourceFixture, OtherNamesAndMissingResourcesLoadNothing) {
  EXPECT_EQ(editor.LoadBitmapResource(101, "bg.bmp"), nullptr);
  EXPECT_EQ(editor.LoadBitmapResource(101, "png"), nullptr);
  EXPECT_EQ(editor.LoadBitmapResource(102, "bg.png"), nullptr);  // no such resource
  IBitmapStrip missing = editor.LoadBitmapStrip(102, "bg.png");
  EXPECT_EQ(missing.mBitmap, nullptr);
  EXPECT_EQ(missing.W, 0);
  EXPECT_EQ(bitmaps.GetSize(), 0);
}

TEST(WindowFonts, TheProcessCacheDrawsWithSystemFonts) {
  GuiPlug plug;
  IBitmapCache bitmaps;
  // The process font cache: the editor gives it the system font factory.
  IGraphicsWin editor(&plug, 200, 60, 0, &bitmaps, nullptr);
  ASSERT_NE(editor.FontCache().GetFactory(), nullptr);
  editor.CreateDrawBitmaps();
  editor.AddControl(new DrawingControl(IRectangle(0, 0, 200, 60), [](IGraphics& g) {
    ITextStyle style("Verdana", 14, kColorWhite);
    IRectangle r(0, 0, 200, 60);
    return g.DrawText(style, "Kavrotel", r);
  }));
  LICE_IBitmap* b = editor.GetDrawBitmap();
  for (int y = 0; y < b->GetHeight(); ++y)
    for (int x = 0; x < b->GetWidth(); ++x) b->GetBits()[y * b->GetRowSpan() + x] = 0xFF000000u;
  editor.Draw(IRectangle(0, 0, 200, 60));
  int lit = 0;
  for (int y = 0; y < b->GetHeight(); ++y)
    for (int x = 0; x < b->GetWidth(); ++x) lit += (b->GetBits()[y * b->GetRowSpan() + x] & 0xFFFFFF) != 0;
  EXPECT_GT(lit, 20);  // some glyph coverage; the face Wine substitutes decides the rest
  ITextStyle style("Verdana", 14, kColorWhite);
  IRectangle measured(0, 0, 200, 60);
  ASSERT_TRUE(editor.MeasureText(style, "Kavrotel", measured));
  EXPECT_GT(measured.W(), 20);
  EXPECT_GT(measured.H(), 8);
}

}  // namespace
