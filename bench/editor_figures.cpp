// The editor area: on the headless editor, the amplifier's own layout as its constructor builds
// it (its 26 controls drawn from the committed artwork, in the default state: pedal hidden,
// credits closed; text left out, for want of a system font here): the time of a full repaint
// of 541 x 580 per pixel drawn (summed over the layers drawn) beside the raster area's
// source-alpha blit per pixel, and the time of a timer tick in which only the two meters
// changed beside the full repaint.
#include <cstdint>
#include <memory>
#include <vector>

#include "bench/measure.h"
#include "bench/registry.h"
#include "gui/controls.h"
#include "gui/igraphics_headless.h"
#include "gui/make_editor.h"
#include "plugin/kavrotel.h"
#include "plugin/kavrotel_controls.h"
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

struct Layout {
  std::unique_ptr<Kavrotel> plug;
  IGraphicsHeadless* editor = nullptr;  // the plug-in's
  int64_t pixelsDrawn = 0;              // of a full repaint, summed over the layers
};

Layout BuildLayout() {
  Layout layout;
  SetPlatformEditorsHeadless(true);  // the figures draw into memory, in a window under Windows too
  layout.plug = std::make_unique<Kavrotel>(PluginInstanceInfo{});
  layout.plug->Prepare();  // every parameter's change: "Pedal" off hides the pedal group
  layout.editor = dynamic_cast<IGraphicsHeadless*>(layout.plug->GetEditor());
  if (!layout.editor || layout.editor->GetNControls() != 26) bench::Fail("editor: the layout is not 26 controls");
  IGraphicsHeadless& g = *layout.editor;
  if (!ProcessBitmapCache().Find(102)) bench::Fail("editor: the artwork did not load");

  const IRectangle editor(0, 0, kWidth, kHeight);
  for (int32_t i = 0; i < g.GetNControls(); ++i) {
    IControl* c = g.GetControl(i);
    if (!c || c->IsHidden() || dynamic_cast<ICabControl*>(c) || dynamic_cast<IInvisibleSwitchControl*>(c)) continue;
    if (dynamic_cast<IBitmapOverlayControl*>(c) && c->GetValue() < 0.5) continue;  // closed: draws nothing
    const auto* picture = dynamic_cast<IKnobMultiControlText*>(c);
    const IRectangle drawn = (picture ? picture->GetPictureRECT() : c->GetRECT()).Intersect(editor);
    layout.pixelsDrawn += static_cast<int64_t>(drawn.W()) * drawn.H();
  }
  return layout;
}

void EditorFigures() {
  Layout layout = BuildLayout();
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
        g.SetControlValue(Kavrotel::kInputMeterControl, level);
        g.SetControlValue(Kavrotel::kOutputMeterControl, 1.0 - level);
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
