// The bitmap and font caches: images decoded once per process, only png names loaded, missing
// images never cached, fonts shared by key and made from the style's request.
#include <gtest/gtest.h>

#include "gui/controls.h"
#include "tests/gui/gui_fixture.h"

namespace {

TEST(PngNameTest, OnlyAPngExtensionInAnyCaseLoads) {
  struct Case {
    const char* name;
    bool png;
  };
  const Case cases[] = {
      {"resources/img/bg.png", true}, {"bg.PNG", true},  {"bg.Png", true},  {"bg.bmp", false},
      {"bg", false},                  {"a.png/b", false}, {"bg.pngx", false}, {"bg.pn", false},
      {".png", true},                 {"", false},        {nullptr, false},
  };
  for (const Case& c : cases) EXPECT_EQ(HasPngExtension(c.name), c.png) << (c.name ? c.name : "(null)");
}

TEST(BitmapCacheTest, TwoEditorsShareOneDecodedImage) {
  FakeImageLoader loader;
  loader.images[101] = {50, 1500, 0xFF102030u};
  IBitmapCache cache;
  cache.SetLoader(&loader);
  IFontCache fonts;
  GuiPlug plug;
  IGraphicsHeadless first(&plug, 100, 100, 0, &cache, &fonts);
  IGraphicsHeadless second(&plug, 100, 100, 0, &cache, &fonts);
  const IBitmapStrip a = first.LoadBitmapStrip(101, "resources/img/knob.png", 30);
  const IBitmapStrip b = second.LoadBitmapStrip(101, "resources/img/knob.png", 30);
  EXPECT_EQ(loader.loads[101], 1);
  EXPECT_EQ(a.mBitmap, b.mBitmap);
  EXPECT_EQ(b.W, 50);
  EXPECT_EQ(b.H, 1500);
  EXPECT_EQ(b.N, 30);
  EXPECT_FALSE(b.mFramesAreHorizontal);
  EXPECT_EQ(cache.GetSize(), 1);
}

TEST(BitmapCacheTest, AnotherExtensionLoadsNothingAndAsksNoLoader) {
  GuiFixture f;
  f.loader.images[5] = {10, 10, 0xFF000000u};
  for (const char* name : {"bg.bmp", "bg", "bg.png.old"}) {
    const IBitmapStrip strip = f.editor->LoadBitmapStrip(5, name);
    EXPECT_EQ(strip.mBitmap, nullptr) << name;
  }
  EXPECT_EQ(f.loader.loads[5], 0);
  EXPECT_NE(f.editor->LoadBitmapStrip(5, "BG.PNG").mBitmap, nullptr);
}

TEST(BitmapCacheTest, AMissingImageIsNotCachedAndALaterLoadIsKept) {
  GuiFixture f;
  const IBitmapStrip missing = f.editor->LoadBitmapStrip(9, "x.png", 2);
  EXPECT_EQ(missing.mBitmap, nullptr);
  EXPECT_EQ(missing.W, 0);
  EXPECT_EQ(missing.H, 0);
  EXPECT_EQ(f.bitmaps.GetSize(), 0);
  f.loader.images[9] = {4, 8, 0xFF000000u};
  const IBitmapStrip found = f.editor->LoadBitmapStrip(9, "x.png", 2);
  ASSERT_NE(found.mBitmap, nullptr);
  EXPECT_EQ(found.H, 8);
  EXPECT_EQ(f.editor->LoadBitmapStrip(9, "x.png", 2).mBitmap, found.mBitmap);
  EXPECT_EQ(f.loader.loads[9], 2);
  EXPECT_EQ(f.bitmaps.Find(9), found.mBitmap);
}

TEST(BitmapCacheTest, ABackgroundWithoutItsImageIsNeverHitAndDrawsNothing) {
  GuiFixture f;
  f.FillDrawBitmap(0xFF000001u);
  f.editor->AddBackground(102, "resources/img/bg.png");
  ASSERT_EQ(f.editor->GetNControls(), 1);
  EXPECT_TRUE(f.editor->GetControl(0)->GetRECT().Empty());
  EXPECT_FALSE(f.editor->GetControl(0)->IsHit(0, 0));
  f.editor->Draw(IRectangle(0, 0, 200, 100));
  EXPECT_EQ(f.Pixel(0, 0), 0xFF000001u);
  f.editor->OnMouseDown(0, 0, IMouseModifiers(true, false));
  EXPECT_EQ(f.editor->GetMouseCapture(), -1);
}

TEST(BitmapCacheTest, TheProcessCachesAreOneEach) {
  EXPECT_EQ(&ProcessBitmapCache(), &ProcessBitmapCache());
  EXPECT_EQ(&ProcessFontCache(), &ProcessFontCache());
  GuiPlug plug;
  IGraphicsHeadless editor(&plug, 10, 10);
  EXPECT_EQ(&editor.BitmapCache(), &ProcessBitmapCache());
  EXPECT_EQ(&editor.FontCache(), &ProcessFontCache());
}

TEST(FontCacheTest, StylesDifferingOnlyInColourAlignmentOrQualityShareAFont) {
  GuiFixture f;
  ITextStyle a("Verdana", 18, kColorWhite, 0, ITextStyle::kAlignCenter, 0, ITextStyle::kQualityAntiAliased);
  ITextStyle b("Verdana", 18, kColorRed, 0, ITextStyle::kAlignFar, 0, ITextStyle::kQualityClearType);
  LICE_IFont* fa = f.editor->GetCachedFont(a);
  LICE_IFont* fb = f.editor->GetCachedFont(b);
  ASSERT_NE(fa, nullptr);
  EXPECT_EQ(fa, fb);
  EXPECT_EQ(a.mCached, fa);
  EXPECT_EQ(b.mCached, fa);  // also kept on a cache hit
  EXPECT_EQ(f.factory.requests.size(), 1u);
}

TEST(FontCacheTest, SizeOrientationStyleAndExactFaceMakeTheKey) {
  GuiFixture f;
  ITextStyle base("Verdana", 18, kColorWhite);
  f.editor->GetCachedFont(base);
  ITextStyle others[] = {
      ITextStyle("verdana", 18, kColorWhite),  // letter case counts
      ITextStyle("Verdana", 19, kColorWhite),
      ITextStyle("Verdana", 18, kColorWhite, ITextStyle::kStyleBold),
      ITextStyle("Verdana", 18, kColorWhite, 0, 1, 90),
  };
  for (ITextStyle& s : others) EXPECT_NE(f.editor->GetCachedFont(s), base.mCached);
  EXPECT_EQ(f.fonts.GetSize(), 5);
}

TEST(FontCacheTest, TheRequestAStyleMakes) {
  struct Case {
    int32_t size, style, orientation, quality;
    IFontRequest expected;
  };
  auto request = [](int32_t height, int32_t tenths, int32_t weight, bool italic, int32_t quality) {
    IFontRequest r;
    r.height = height, r.escapement = r.orientation = tenths, r.weight = weight, r.italic = italic, r.quality = quality;
    return r;
  };
  const Case cases[] = {
      {18, 0, 0, 2, request(18, 0, 400, false, 4)},  // the plug-in's style
      {12, 1, 0, 0, request(12, 0, 700, false, 0)},
      {12, 2, 0, 1, request(12, 0, 400, true, 3)},
      {12, 0, 45, 3, request(12, 450, 400, false, 5)},
      {12, 0, 0, 7, request(12, 0, 400, false, 3)},  // unknown quality
  };
  for (const Case& c : cases) {
    const IFontRequest r =
        FontRequestFor(ITextStyle("Tahoma", c.size, kColorBlack, c.style, 1, c.orientation, c.quality));
    EXPECT_EQ(r.height, c.expected.height);
    EXPECT_EQ(r.escapement, c.expected.escapement);
    EXPECT_EQ(r.orientation, c.expected.orientation);
    EXPECT_EQ(r.weight, c.expected.weight);
    EXPECT_EQ(r.italic, c.expected.italic);
    EXPECT_EQ(r.quality, c.expected.quality) << "quality " << c.quality;
    EXPECT_STREQ(r.face, "Tahoma");
  }
}

TEST(FontCacheTest, WithoutAFactoryNoFontIsMade) {
  IBitmapCache bitmaps;
  IFontCache fonts;
  GuiPlug plug;
  IGraphicsHeadless editor(&plug, 10, 10, 0, &bitmaps, &fonts);
  ITextStyle style;
  EXPECT_EQ(editor.GetCachedFont(style), nullptr);
  EXPECT_EQ(fonts.GetSize(), 0);
}

}  // namespace
