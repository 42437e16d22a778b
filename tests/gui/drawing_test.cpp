// The drawing primitives: blits clipped to the draw clip with the blend modes, film-strip
// frames, and text drawn within (and only within) the draw clip, or measured.
#include <gtest/gtest.h>

#include "raster/blend_mode.h"
#include "raster/blit.h"
#include "tests/gui/gui_fixture.h"

namespace {

class DrawingTest : public ::testing::Test {
 protected:
  DrawingTest() {
    f.loader.images[1] = {100, 200, 0};  // position-coded
    f.loader.images[2] = {10, 10, 0x80C0A020u};
    strip = f.editor->LoadBitmapStrip(1, "a.png");
  }
  // Runs draw inside a paint of clip, as a control's Draw does.
  void Paint(const IRectangle& clip, std::function<bool(IGraphics&)> draw) {
    auto* control = new DrawingControl(IRectangle(0, 0, 200, 100), std::move(draw));
    const int32_t index = f.editor->AddControl(control);
    f.editor->Draw(clip);
    f.editor->GetControl(index)->SetHidden(true);
  }
  GuiFixture f;
  IBitmapStrip strip;
};

TEST_F(DrawingTest, BlitIsClippedToTheDrawClipWithItsSourceOffset) {
  f.FillDrawBitmap(0xFF000001u);
  Paint(IRectangle(30, 0, 100, 40), [&](IGraphics& g) {
    return g.BlitBitmap(strip, IRectangle(10, 10, 60, 60), 0, 60, nullptr);
  });
  // 30 x 30 from (20, 60) to (30, 10).
  EXPECT_EQ(f.Pixel(30, 10), 0xFF000000u | 60u << 8 | 20u);
  EXPECT_EQ(f.Pixel(59, 39), 0xFF000000u | 89u << 8 | 49u);
  EXPECT_EQ(f.Pixel(29, 10), 0xFF000001u);
  EXPECT_EQ(f.Pixel(30, 40), 0xFF000001u);
  EXPECT_EQ(f.Pixel(60, 20), 0xFF000001u);
}

TEST_F(DrawingTest, ABlitOutsideTheDrawClipCopiesNothing) {
  f.FillDrawBitmap(0xFF000001u);
  Paint(IRectangle(100, 50, 150, 90), [&](IGraphics& g) {
    return g.BlitBitmap(strip, IRectangle(10, 10, 60, 40), 0, 0, nullptr);
  });
  EXPECT_EQ(f.Pixel(10, 10), 0xFF000001u);
}

TEST_F(DrawingTest, BlendMethodsMapToTheRasterModes) {
  struct Case {
    int method;  // -1: no setting
    float weight;
    int mode;
  };
  const Case cases[] = {
      {-1, 1.0f, LICE_MODE_SOURCE_ALPHA},
      {IBlendSetting::kBlendNone, 0.5f, LICE_MODE_SOURCE_ALPHA},
      {IBlendSetting::kBlendClobber, 1.0f, LICE_MODE_COPY},
      {IBlendSetting::kBlendAdd, 0.75f, LICE_MODE_ADD | LICE_MODE_SOURCE_ALPHA},
      {IBlendSetting::kBlendColorDodge, 1.0f, LICE_MODE_DODGE | LICE_MODE_SOURCE_ALPHA},
      {7, 0.25f, LICE_MODE_SOURCE_ALPHA},
  };
  const IBitmapStrip translucent = f.editor->LoadBitmapStrip(2, "b.png");
  for (const Case& c : cases) {
    f.FillDrawBitmap(0xFF406080u);
    LICE_MemBitmap expected(200, 100, 4);
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 200; ++x) expected.GetBits()[y * expected.GetRowSpan() + x] = 0xFF406080u;
    LICE_CopyRect(&expected, translucent.mBitmap, 5, 5, 0, 0, 10, 10, c.weight, c.mode);
    const IBlendSetting blend(c.method, c.weight);
    Paint(IRectangle(0, 0, 200, 100), [&](IGraphics& g) {
      return g.BlitBitmap(translucent, IRectangle(5, 5, 15, 15), 0, 0, c.method < 0 ? nullptr : &blend);
    });
    for (int y = 4; y < 16; ++y)
      for (int x = 4; x < 16; ++x)
        ASSERT_EQ(f.Pixel(x, y), expected.GetBits()[y * expected.GetRowSpan() + x]) << "method " << c.method;
  }
}

TEST_F(DrawingTest, FilmStripFramesStartAtTheirOffsets) {
  struct Case {
    int32_t w, h, frames;
    bool horizontal;
    int32_t frame;
    uint32_t firstPixel;  // what lands at the destination's corner
  };
  const Case cases[] = {
      {100, 200, 1, false, 5, 0u},                  // one frame: offset 0
      {100, 200, 4, false, 1, 0u},                  // frame 1
      {100, 200, 4, false, 0, 0u},                  // below 1
      {100, 200, 4, false, 2, 50u << 8},            // 200 x 1 / 4
      {100, 200, 3, false, 2, 67u << 8},            // (int)(66.67 + 0.5)
      {100, 200, 4, true, 3, 50u},                  // horizontal: 100 x 2 / 4
  };
  for (const Case& c : cases) {
    f.loader.images[10] = {c.w, c.h, 0};
    IBitmapCache fresh;
    fresh.SetLoader(&f.loader);
    IGraphicsHeadless editor(&f.plug, 200, 100, 0, &fresh, &f.fonts);
    editor.CreateDrawBitmaps();
    const IBitmapStrip s = editor.LoadBitmapStrip(10, "s.png", c.frames, c.horizontal);
    editor.AddControl(new DrawingControl(IRectangle(0, 0, 200, 100), [&](IGraphics& g) {
      return g.DrawBitmapFrame(s, IRectangle(0, 0, 20, 20), c.frame, nullptr);
    }));
    editor.Draw(IRectangle(0, 0, 200, 100));
    LICE_IBitmap* b = editor.GetDrawBitmap();
    EXPECT_EQ(b->GetBits()[0], 0xFF000000u | c.firstPixel) << c.frames << " frames, frame " << c.frame;
  }
}

TEST_F(DrawingTest, ThirtyOneFrameStripFrameKStartsSixtyRowsPerFrameDown) {
  f.loader.images[11] = {30, 31 * 60, 0};
  const IBitmapStrip s = f.editor->LoadBitmapStrip(11, "k.png", 31);
  for (int32_t k : {2, 16, 31}) {
    Paint(IRectangle(0, 0, 200, 100), [&](IGraphics& g) {
      return g.DrawBitmapFrame(s, IRectangle(0, 0, 30, 60), k, nullptr);
    });
    EXPECT_EQ(f.Pixel(0, 0), 0xFF000000u | static_cast<uint32_t>(60 * (k - 1)) << 8) << "frame " << k;
  }
}

TEST_F(DrawingTest, AStripWithoutAnImageDrawsNothing) {
  f.FillDrawBitmap(0xFF000001u);
  const IBitmapStrip missing = f.editor->LoadBitmapStrip(77, "missing.png", 3);
  Paint(IRectangle(0, 0, 200, 100), [&](IGraphics& g) {
    return g.DrawBitmapFrame(missing, IRectangle(0, 0, 50, 50), 2, nullptr);
  });
  EXPECT_EQ(f.Pixel(0, 0), 0xFF000001u);
}

// ---- Text ------------------------------------------------------------------------------------

TEST_F(DrawingTest, EmptyTextDrawsNothingAndLooksUpNoFont) {
  ITextStyle style;
  IRectangle r(0, 0, 10, 10);
  EXPECT_TRUE(f.editor->DrawText(style, "", r));
  EXPECT_TRUE(f.editor->DrawText(style, nullptr, r));
  EXPECT_TRUE(f.factory.requests.empty());
  EXPECT_EQ(style.mCached, nullptr);
}

TEST_F(DrawingTest, TextFormatFollowsAlignmentAndTranslucency) {
  struct Case {
    int32_t align, alpha;
    unsigned int format;
  };
  const Case cases[] = {
      {ITextStyle::kAlignCenter, 255, 0x101u},
      {ITextStyle::kAlignFar, 128, 0x40000102u},
      {ITextStyle::kAlignNear, 255, 0x100u},
  };
  for (const Case& c : cases) {
    ITextStyle style("Verdana", 12, IArgb(c.alpha, 1, 2, 3), 0, c.align);
    Paint(IRectangle(0, 0, 200, 100), [&](IGraphics& g) {
      IRectangle r(10, 10, 50, 30);
      return g.DrawText(style, "x", r);
    });
    ASSERT_FALSE(f.factory.made.empty());
    const FakeFont::DrawCall& call = f.factory.made.back()->calls.back();
    EXPECT_EQ(call.format, c.format);
    EXPECT_EQ(call.colour, IArgb(c.alpha, 1, 2, 3).ToRaster());
  }
}

TEST_F(DrawingTest, MeasuringSetsTheExtentByAlignment) {
  struct Case {
    int32_t align;
    IRectangle result;
  };
  const Case cases[] = {
      {ITextStyle::kAlignNear, {10, 0, 40, 14}},
      {ITextStyle::kAlignCenter, {45, 0, 75, 14}},  // trunc(60.0f) - 15
      {ITextStyle::kAlignFar, {80, 0, 110, 14}},
  };
  for (const Case& c : cases) {
    ITextStyle style("Verdana", 12, kColorBlack, 0, c.align);
    IRectangle r(10, 0, 110, 20);
    EXPECT_TRUE(f.editor->MeasureText(style, "abc", r));
    EXPECT_EQ(r, c.result) << "alignment " << c.align;
  }
  EXPECT_EQ(f.factory.made.back()->calls.back().format & LICE_DT_CALCRECT, LICE_DT_CALCRECT);
}

TEST_F(DrawingTest, TextIsDrawnOnlyWithinTheDrawClip) {
  f.FillDrawBitmap(0xFF000001u);
  ITextStyle style("Verdana", 12, kColorWhite);
  Paint(IRectangle(0, 0, 40, 100), [&](IGraphics& g) {
    IRectangle r(10, 10, 60, 30);
    return g.DrawText(style, "text", r);
  });
  EXPECT_EQ(f.Pixel(10, 10), 0xFFFFFFFFu);
  EXPECT_EQ(f.Pixel(39, 29), 0xFFFFFFFFu);
  EXPECT_EQ(f.Pixel(40, 10), 0xFF000001u);
  EXPECT_EQ(f.Pixel(59, 29), 0xFF000001u);
}

TEST_F(DrawingTest, TextMissingTheDrawClipIsNotDrawnAtAll) {
  ITextStyle style;
  Paint(IRectangle(100, 50, 150, 90), [&](IGraphics& g) {
    IRectangle r(10, 10, 60, 30);
    return g.DrawText(style, "text", r);
  });
  ASSERT_EQ(f.factory.made.size(), 1u);
  EXPECT_TRUE(f.factory.made[0]->calls.empty());
}

TEST_F(DrawingTest, WithoutAFontTextReportsFalseAndTheNextDrawTriesAgain) {
  f.factory.fail = true;
  ITextStyle style;
  IRectangle r(0, 0, 10, 10);
  EXPECT_FALSE(f.editor->DrawText(style, "x", r));
  EXPECT_EQ(f.fonts.GetSize(), 0);
  f.factory.fail = false;
  EXPECT_TRUE(f.editor->DrawText(style, "x", r));
  EXPECT_EQ(f.factory.requests.size(), 2u);
  EXPECT_EQ(f.fonts.GetSize(), 1);
}

}  // namespace
