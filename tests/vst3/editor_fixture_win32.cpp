// The fixture plug-in with a real editor window, as a module of its own: a background and a
// knob on Gain at the amplifier's Gain rectangle, each filling its rectangle with a colour that
// follows its value, so that a host sees in the window's pixels what the editor shows.
#include <memory>

#include "core/module_instance.h"
#include "core/iparameter.h"
#include "gui/controls.h"
#include "gui/igraphics_win32.h"
#include "raster/bitmap.h"
#include "tests/vst3/fixture_plug.h"

namespace {

class FillKnob : public IKnobControl {
 public:
  FillKnob(IPlugBase* plug, const IRectangle& rect, int32_t paramIdx, uint32_t base)
      : IKnobControl(plug, rect, paramIdx), base_(base) {}
  bool Draw(IGraphics& g) override {
    LICE_IBitmap* b = g.GetDrawBitmap();
    if (!b) return true;
    const uint32_t colour = base_ | static_cast<uint32_t>(GetValue() * 255.0 + 0.5) << 8;
    const IRectangle r = GetRECT().Intersect(g.GetDrawClip());
    for (int32_t y = r.T; y < r.B && y < b->GetHeight(); ++y)
      for (int32_t x = r.L; x < r.R && x < b->GetWidth(); ++x) b->GetBits()[y * b->GetRowSpan() + x] = colour;
    return true;
  }

 private:
  uint32_t base_;
};

class EditorFixture : public FixturePlug {
 public:
  EditorFixture() {
    auto* editor = new IGraphicsWin(this, 541, 580);
    editor->SetHInstance(ModuleInstance());
    editor->AddControl(new FillKnob(this, IRectangle(0, 0, 541, 580), -1, 0xFF203040u));
    editor->AddControl(new FillKnob(this, IRectangle(106, 180, 156, 230), kGain, 0xFFC00000u));
    AttachEditor(editor);
  }
};

}  // namespace

IPlugVST3* CreateVST3Plugin() { return new EditorFixture(); }
