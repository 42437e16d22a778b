// The amplifier with its real editor, headless: the images are the source tree's artwork (the
// process bitmap cache, no loader set), the fonts record what they are asked to draw. Helpers
// to reach the editor, its controls and its drawing bitmap. Test thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gui/igraphics_headless.h"
#include "gui/make_editor.h"
#include "raster/font.h"
#include "tests/plugin/amp_fixture.h"

namespace editor_test {

// A font that records each text it draws (with its rectangle and colour) and draws nothing.
class RecordingFont : public LICE_IFont {
 public:
  struct Drawn {
    std::string text;
    LICE_Rect rect;
    uint32_t colour;
  };
  void SetFontHandle(void* font, int) override { handle_ = font; }
  uint32_t SetTextColor(uint32_t colour) override { return std::exchange(colour_, colour); }
  uint32_t SetBkColor(uint32_t colour) override { return colour; }
  uint32_t SetEffectColor(uint32_t colour) override { return colour; }
  int SetBkMode(int mode) override { return mode; }
  void SetCombineMode(int, float) override {}
  int DrawText(LICE_IBitmap*, const char* text, int, LICE_Rect* rect, unsigned int format) override {
    if (!(format & LICE_DT_CALCRECT)) drawn.push_back({text, *rect, colour_});
    return 16;
  }
  uint32_t GetTextColor() override { return colour_; }
  void* GetFontHandle() override { return handle_; }
  int GetLineHeight() override { return 16; }

  std::vector<Drawn> drawn;

 private:
  void* handle_ = nullptr;
  uint32_t colour_ = 0;
};

class RecordingFontFactory : public IFontFactory {
 public:
  LICE_IFont* Make(const IFontRequest& request) override {
    requests.push_back(request);
    fonts.push_back(new RecordingFont);
    return fonts.back();
  }
  std::vector<IFontRequest> requests;
  std::vector<RecordingFont*> fonts;  // owned by the process font cache
};

// Installed once on the process font cache, which outlives every test.
inline RecordingFontFactory& Fonts() {
  static RecordingFontFactory* factory = [] {
    auto* made = new RecordingFontFactory;  // lives as long as the cache holding its fonts
    ProcessFontCache().SetFactory(made);
    return made;
  }();
  return *factory;
}

// Every text drawn since the last call, by any font.
inline std::vector<RecordingFont::Drawn> TakeDrawnTexts() {
  std::vector<RecordingFont::Drawn> all;
  for (RecordingFont* font : Fonts().fonts) {
    all.insert(all.end(), font->drawn.begin(), font->drawn.end());
    font->drawn.clear();
  }
  return all;
}

struct AmpWithEditor {
  AmpWithEditor() {
    SetPlatformEditorsHeadless(true);  // driven without a window on every platform
    Fonts();
    plug = amp_test::MakePrepared();  // "Pedal" off: the pedal group hidden
    editor = static_cast<IGraphicsHeadless*>(plug->GetEditor());
  }
  ~AmpWithEditor() { SetPlatformEditorsHeadless(false); }
  IControl* Control(int32_t index) const { return editor->GetControl(index); }
  // Draws the whole editor, as the window's first paint does.
  void DrawAll() const { editor->Draw(IRectangle(0, 0, editor->Width(), editor->Height())); }
  uint32_t Pixel(int x, int y) const {
    LICE_IBitmap* b = editor->GetDrawBitmap();
    return b->GetBits()[y * b->GetRowSpan() + x];
  }
  void Click(int x, int y, IMouseModifiers mod = IMouseModifiers()) const {
    editor->OnMouseDown(x, y, mod);
    editor->OnMouseUp(x, y, mod);
  }

  std::unique_ptr<Kavrotel> plug;
  IGraphicsHeadless* editor = nullptr;  // the plug-in's
};

// Pixel (x, y) of frame (from 1) of a cached image with that many frames.
inline uint32_t ImagePixel(int32_t resourceId, int32_t frames, int32_t frame, int x, int y) {
  LICE_IBitmap* image = ProcessBitmapCache().Find(resourceId);
  const int top = static_cast<int>(double(image->GetHeight()) * (frame - 1) / frames + 0.5);
  return image->GetBits()[(top + y) * image->GetRowSpan() + x];
}

}  // namespace editor_test
