// The editor area: on the headless editor, a stand-in of the amplifier's layout (its 26
// controls at their rectangles, images of the real sizes with opaque, clear and translucent
// pixels; text left out, for want of a system font here): the time of a full repaint of
// 541 x 580 per pixel drawn (summed over the layers drawn) beside the raster area's
// source-alpha blit per pixel, and the time of a timer tick in which only the two meters
// changed beside the full repaint.
#include <cstdint>
#include <memory>
#include <vector>

#include "bench/measure.h"
#include "bench/registry.h"
#include "core/iplug_base.h"
#include "gui/controls.h"
#include "gui/igraphics_headless.h"
#include "raster/blend_mode.h"
#include "raster/blit.h"
#include "raster/mem_bitmap.h"

namespace {

constexpr int32_t kWidth = 541, kHeight = 580;

void Paint(LICE_IBitmap& bitmap, bool opaque) {
  for (int y = 0; y < bitmap.GetHeight(); ++y) {
    uint32_t* row = bitmap.GetBits() + static_cast<size_t>(y) * bitmap.GetRowSpan();
    for (int x = 0; x < bitmap.GetWidth(); ++x) {
      const uint32_t i = static_cast<uint32_t>(y * bitmap.GetWidth() + x);
      const uint32_t alpha = opaque ? 255 : (i % 3 == 0) ? 0 : (i % 3 == 1) ? 255 : 128;
      row[x] = alpha << 24 | (0x30u + (i * 7) % 0x90u) << 8 | 0xC8u;
    }
  }
}

// The 13 images at their sizes.
class StandInImages : public IImageLoader {
 public:
  LICE_IBitmap* Load(int32_t id) override {
    struct Size {
      int32_t id, w, h;
    };
    static const Size sizes[] = {{102, 541, 580}, {101, 50, 1500}, {103, 30, 930}, {104, 541, 5599}, {113, 541, 477},
                                 {106, 17, 34},   {105, 28, 66},   {107, 30, 930}, {110, 45, 1395}, {108, 30, 930},
                                 {109, 541, 477}, {111, 147, 96},  {112, 42, 84}};
    for (const Size& s : sizes) {
      if (s.id != id) continue;
      auto* bitmap = new LICE_MemBitmap(s.w, s.h, 4);
      Paint(*bitmap, id == 102);
      return bitmap;
    }
    return nullptr;
  }
};

// Control 1 without its text: the amplifier picture at its own rectangle, the control spanning
// the whole editor.
class AmpPicture : public IControl {
 public:
  AmpPicture(const IBitmapStrip& strip) : IControl(nullptr, IRectangle(0, 0, kWidth, kHeight), 10), strip_(strip) {}
  bool Draw(IGraphics& g) override {
    return g.DrawBitmapFrame(strip_, IRectangle(5, 51, 5 + strip_.W, 51 + strip_.H / strip_.N), 1, &mBlend);
  }

 private:
  IBitmapStrip strip_;
};

// Control 2 without its text draws nothing.
class TextOnly : public IControl {
 public:
  using IControl::IControl;
  bool Draw(IGraphics&) override { return true; }
};

struct Layout {
  std::unique_ptr<IGraphicsHeadless> editor;
  int64_t pixelsDrawn = 0;  // of a full repaint, summed over the layers
  int32_t inputMeter = -1, outputMeter = -1;
};

Layout BuildLayout(IBitmapCache& bitmaps, IFontCache& fonts) {
  Layout layout;
  layout.editor = std::make_unique<IGraphicsHeadless>(nullptr, kWidth, kHeight, 0, &bitmaps, &fonts);
  IGraphicsHeadless& g = *layout.editor;
  g.AddBackground(102, "resources/img/bg.png");
  const IBitmapStrip knob = g.LoadBitmapStrip(101, "resources/img/knob.png", 30);
  const IBitmapStrip bknob = g.LoadBitmapStrip(103, "resources/img/bknob.png", 31);
  const IBitmapStrip amps = g.LoadBitmapStrip(104, "resources/img/amps.png", 12);
  const IBitmapStrip credits = g.LoadBitmapStrip(113, "resources/img/credits.png", 1);
  const IBitmapStrip led = g.LoadBitmapStrip(106, "resources/img/led.png", 2);
  const IBitmapStrip sw = g.LoadBitmapStrip(105, "resources/img/switch.png", 2);
  const IBitmapStrip mini = g.LoadBitmapStrip(107, "resources/img/miniknob.png", 31);
  const IBitmapStrip pedalKnob = g.LoadBitmapStrip(110, "resources/img/pedalknob.png", 31);
  const IBitmapStrip vu = g.LoadBitmapStrip(108, "resources/img/vuknob.png", 31);
  const IBitmapStrip pedal = g.LoadBitmapStrip(109, "resources/img/pedal.png", 1);
  const IBitmapStrip djent = g.LoadBitmapStrip(111, "resources/img/djentswitch.png", 2);
  const IBitmapStrip jled = g.LoadBitmapStrip(112, "resources/img/jled.png", 2);
  const IBlendSetting blend(IBlendSetting::kBlendNone, 1.0f);
  auto at = [](int32_t x, int32_t y, const IBitmapStrip& s) {
    return IRectangle(x, y, x + s.FrameWidth(), y + s.FrameHeight());
  };
  auto knobAt = [&](int32_t x, int32_t y, int32_t param, const IBitmapStrip& s) {
    return g.AddControl(new IKnobMultiControl(nullptr, at(x, y, s), param, s, IKnobControl::kVertical, 4.0, blend));
  };
  g.AddControl(new AmpPicture(amps));
  g.AddControl(new TextOnly(nullptr, IRectangle(382, 554, 477, 570), 11));
  knobAt(106, 180, 0, knob);
  knobAt(504, 13, 12, bknob);
  knobAt(166, 180, 5, knob);
  knobAt(222, 180, 6, knob);
  knobAt(277, 180, 7, knob);
  knobAt(395, 180, 8, knob);
  knobAt(339, 180, 9, knob);
  layout.outputMeter = g.AddControl(new IBitmapControl(nullptr, at(164, 13, vu), -1, vu, blend));
  knobAt(164, 13, 2, mini);
  layout.inputMeter = g.AddControl(new IBitmapControl(nullptr, at(66, 13, vu), -1, vu, blend));
  knobAt(66, 13, 1, mini);
  knobAt(359, 13, 4, bknob);
  knobAt(414, 13, 3, bknob);
  g.AddControl(new ISwitchControl(nullptr, at(506, 540, sw), 13, sw, blend));
  g.AddControl(new ISwitchControl(nullptr, at(180, 530, djent), 14, djent, blend));
  std::vector<int32_t> pedalGroup;
  pedalGroup.push_back(g.AddControl(new IBitmapControl(nullptr, at(0, 53, pedal), -1, pedal, blend)));
  g.AddControl(new IBitmapControl(nullptr, at(455, 533, led), -1, led, blend));
  pedalGroup.push_back(knobAt(157, 165, 15, pedalKnob));
  pedalGroup.push_back(knobAt(204, 165, 16, pedalKnob));
  pedalGroup.push_back(knobAt(308, 165, 17, pedalKnob));
  pedalGroup.push_back(g.AddControl(new IInvisibleSwitchControl(nullptr, IRectangle(148, 290, 375, 414), 18)));
  pedalGroup.push_back(g.AddControl(new IBitmapControl(nullptr, at(257, 173, jled), -1, jled, blend)));
  g.AddControl(new IBitmapOverlayControl(nullptr, at(0, 53, credits), -1, credits, IRectangle(205, 7, 318, 45), blend));
  if (g.GetNControls() != 26) bench::Fail("editor: the stand-in layout is not 26 controls");
  // The default state: pedal off (its group hidden), credits closed.
  for (int32_t index : pedalGroup) g.GetControl(index)->SetHidden(true);
  g.CreateDrawBitmaps();

  const IRectangle editor(0, 0, kWidth, kHeight);
  for (int32_t i = 0; i < g.GetNControls(); ++i) {
    IControl* c = g.GetControl(i);
    if (c->IsHidden() || i == 2 || i == 25 || dynamic_cast<IInvisibleSwitchControl*>(c)) continue;
    const IRectangle drawn = i == 1 ? IRectangle(5, 51, 5 + amps.W, 51 + amps.H / amps.N).Intersect(editor)
                                    : c->GetRECT().Intersect(editor);
    layout.pixelsDrawn += static_cast<int64_t>(drawn.W()) * drawn.H();
  }
  return layout;
}

void EditorFigures() {
  StandInImages images;
  IBitmapCache bitmaps;
  bitmaps.SetLoader(&images);
  IFontCache fonts;
  Layout layout = BuildLayout(bitmaps, fonts);
  IGraphicsHeadless& g = *layout.editor;

  LICE_MemBitmap source(kWidth, kHeight, 4), dest(kWidth, kHeight, 4);
  Paint(source, false);
  Paint(dest, true);
  double level = 0.0;
  const IRectangle full(0, 0, kWidth, kHeight);
  const std::vector<bench::Operation> operations = {
      [&] {
        g.Draw(full);
        g.painted.clear();
      },
      [&] { LICE_CopyRect(&dest, &source, 0, 0, 0, 0, kWidth, kHeight, 1.0f, LICE_MODE_SOURCE_ALPHA); },
      [&] {
        level = level > 0.9 ? 0.05 : level + 0.1;
        g.SetControlValue(layout.inputMeter, level);
        g.SetControlValue(layout.outputMeter, 1.0 - level);
        g.Tick();
        g.painted.clear();
      }};
  // Settle the dirty flags so that a tick draws only what changed.
  g.Tick(), g.Tick(), g.painted.clear();
  const std::vector<double> ns = bench::MedianNanoseconds(operations);
  const double repaintPerPixel = ns[0] / static_cast<double>(layout.pixelsDrawn);
  const double blitPerPixel = ns[1] / (static_cast<double>(kWidth) * kHeight);
  bench::Report("editor_repaint_ns", ns[0], "ns");
  bench::Report("editor_repaint_layer_pixels", static_cast<double>(layout.pixelsDrawn), "pixels");
  bench::Report("editor_repaint_ns_per_pixel_drawn", repaintPerPixel, "ns");
  bench::Report("editor_meter_tick_ns", ns[2], "ns");
  bench::Report("editor_repaint_vs_blit", repaintPerPixel / blitPerPixel, "ratio");
  bench::Report("editor_meter_tick_vs_repaint", ns[2] / ns[0], "ratio");
}

}  // namespace

KAVROTEL_BENCH_AREA("editor", EditorFigures);
