// The GUI suite's fixtures: a recording plug-in (the test binding with a settable API and a
// recorded host context menu), a scripted AAX view container, an image loader of plain
// coloured bitmaps and a font factory of recording fonts, and an editor on private caches.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/controls.h"
#include "gui/igraphics_headless.h"
#include "raster/font.h"
#include "raster/mem_bitmap.h"
#include "tests/support/test_binding.h"

inline PluginDescriptor GuiFacts(int32_t paramCount) {
  PluginDescriptor facts;
  facts.effectName = "Test";
  facts.vendorName = "Maker";
  facts.version = 0x10000;
  facts.uniqueId = 0x4B56524C;
  facts.makerId = 0x514E5644;
  facts.paramCount = paramCount;
  facts.presetCount = 1;
  facts.channelIO = "1-1";
  return facts;
}

// Parameters 0..5 doubles 0..100; 6 an enum of three texts; 7 a bool.
class GuiPlug : public TestBinding {
 public:
  struct Menu {
    int32_t param, x, y;
  };
  explicit GuiPlug(int32_t api = kApiTest) : TestBinding(GuiFacts(8)), api_(api) {
    for (int32_t i = 0; i < 6; ++i) GetParameter(i)->InitDouble("Knob", 50, 0, 100, 0.01, "%");
    GetParameter(6)->InitEnum("Model", 0, 3);
    GetParameter(6)->SetDisplayText(0, "A");
    GetParameter(6)->SetDisplayText(1, "B");
    GetParameter(6)->SetDisplayText(2, "C");
    GetParameter(7)->InitBool("Switch", false);
  }
  int32_t GetPluginApi() override { return api_; }
  void SetApi(int32_t api) { api_ = api; }
  void PopupHostContextMenu(int32_t paramIdx, int32_t x, int32_t y) override { menus.push_back({paramIdx, x, y}); }

  // Only the gestures among the recorded calls, as "b3" / "e3".
  std::vector<std::string> Gestures() const {
    std::vector<std::string> out;
    for (const HostCall& call : Calls()) {
      if (call.kind == HostCall::kBeginParamGesture) out.push_back("b" + std::to_string(call.index));
      if (call.kind == HostCall::kEndParamGesture) out.push_back("e" + std::to_string(call.index));
    }
    return out;
  }
  int32_t SentCount() const {
    int32_t n = 0;
    for (const HostCall& call : Calls()) n += call.kind == HostCall::kSendParamToHost;
    return n;
  }

  std::vector<Menu> menus;

 private:
  int32_t api_;
};

class FakeViewContainer : public IHostViewContainer {
 public:
  int32_t GetModifiers(uint32_t* modifiers) override {
    *modifiers = hostModifiers;
    return 0;
  }
  int32_t HandleParameterMouseDown(const char* paramId, uint32_t modifiers) override {
    asked.push_back({paramId, modifiers});
    return answer;
  }
  struct Ask {
    std::string id;
    uint32_t modifiers;
  };
  uint32_t hostModifiers = 0;
  int32_t answer = 1;  // 0: the host takes the click
  std::vector<Ask> asked;
};

// Images of a given size per resource identifier, every pixel one opaque colour, or with
// colour 0 each pixel coding its position (0xFF, row in 16 bits, column's low byte).
class FakeImageLoader : public IImageLoader {
 public:
  struct Image {
    int w, h;
    uint32_t colour;
  };
  LICE_IBitmap* Load(int32_t resourceId) override {
    ++loads[resourceId];
    const auto found = images.find(resourceId);
    if (found == images.end()) return nullptr;
    auto* bitmap = new LICE_MemBitmap(found->second.w, found->second.h, 4);
    for (int y = 0; y < bitmap->GetHeight(); ++y)
      for (int x = 0; x < bitmap->GetWidth(); ++x)
        bitmap->GetBits()[y * bitmap->GetRowSpan() + x] =
            found->second.colour ? found->second.colour : 0xFF000000u | static_cast<uint32_t>(y) << 8 | (x & 0xFF);
    return bitmap;
  }
  std::map<int32_t, Image> images;
  std::map<int32_t, int> loads;
};

// A font that fills the text's rectangle (within the bitmap given) with its text colour and
// records what it was asked; measuring answers measureW x measureH.
class FakeFont : public LICE_IFont {
 public:
  struct DrawCall {
    LICE_Rect rect;
    unsigned int format;
    uint32_t colour;
    bool measure;
  };
  void SetFontHandle(void* font, int flags) override { handle = font, fontFlags = flags; }
  uint32_t SetTextColor(uint32_t colour) override { return std::exchange(colour_, colour); }
  uint32_t SetBkColor(uint32_t colour) override { return colour; }
  uint32_t SetEffectColor(uint32_t colour) override { return colour; }
  int SetBkMode(int mode) override { return mode; }
  void SetCombineMode(int, float) override {}
  int DrawText(LICE_IBitmap* bitmap, const char*, int, LICE_Rect* rect, unsigned int format) override {
    calls.push_back({*rect, format, colour_, (format & LICE_DT_CALCRECT) != 0});
    if (format & LICE_DT_CALCRECT) {
      rect->right = rect->left + measureW, rect->bottom = rect->top + measureH;
      return measureH;
    }
    for (int y = rect->top; y < rect->bottom; ++y)
      for (int x = rect->left; x < rect->right; ++x)
        if (bitmap && x >= 0 && y >= 0 && x < bitmap->GetWidth() && y < bitmap->GetHeight())
          bitmap->GetBits()[y * bitmap->GetRowSpan() + x] = colour_;
    return rect->bottom - rect->top;
  }
  uint32_t GetTextColor() override { return colour_; }
  void* GetFontHandle() override { return handle; }
  int GetLineHeight() override { return measureH; }

  void* handle = nullptr;
  int fontFlags = 0;
  int measureW = 30, measureH = 14;
  std::vector<DrawCall> calls;

 private:
  uint32_t colour_ = 0;
};

class FakeFontFactory : public IFontFactory {
 public:
  LICE_IFont* Make(const IFontRequest& request) override {
    requests.push_back(request);
    if (fail) return nullptr;
    auto* font = new FakeFont;
    font->SetFontHandle(reinterpret_cast<void*>(static_cast<uintptr_t>(requests.size())),
                        LICE_FONT_OWNS_HANDLE | LICE_FONT_NATIVE_OK);
    made.push_back(font);
    return font;
  }
  bool fail = false;
  std::vector<IFontRequest> requests;
  std::vector<FakeFont*> made;  // owned by the cache
};

// An editor of w x h on its own caches (the process ones stay untouched), with its drawing
// bitmaps made.
struct GuiFixture {
  explicit GuiFixture(int32_t api = TestBinding::kApiTest, int32_t w = 200, int32_t h = 100) : plug(api) {
    bitmaps.SetLoader(&loader);
    fonts.SetFactory(&factory);
    editor = std::make_unique<IGraphicsHeadless>(&plug, w, h, 0, &bitmaps, &fonts);
    editor->CreateDrawBitmaps();
  }
  uint32_t Pixel(int x, int y) const {
    LICE_IBitmap* b = editor->GetDrawBitmap();
    return b->GetBits()[y * b->GetRowSpan() + x];
  }
  void FillDrawBitmap(uint32_t colour) {
    LICE_IBitmap* b = editor->GetDrawBitmap();
    for (int y = 0; y < b->GetHeight(); ++y)
      for (int x = 0; x < b->GetWidth(); ++x) b->GetBits()[y * b->GetRowSpan() + x] = colour;
  }

  GuiPlug plug;
  FakeImageLoader loader;
  FakeFontFactory factory;
  IBitmapCache bitmaps;
  IFontCache fonts;
  std::unique_ptr<IGraphicsHeadless> editor;  // destroyed before the caches
};

// A drag-to-turn knob that draws nothing (the knob class leaves drawing to its subclasses).
class TestKnob : public IKnobControl {
 public:
  using IKnobControl::IKnobControl;
  bool Draw(IGraphics&) override { return true; }
};

// A control that draws what the test says.
class DrawingControl : public IControl {
 public:
  DrawingControl(const IRectangle& rect, std::function<bool(IGraphics&)> draw)
      : IControl(nullptr, rect), draw_(std::move(draw)) {}
  bool Draw(IGraphics& graphics) override { return draw_(graphics); }

 private:
  std::function<bool(IGraphics&)> draw_;
};

// A control that counts its draws and records its events.
class ProbeControl : public IControl {
 public:
  using IControl::IControl;
  bool Draw(IGraphics&) override {
    ++draws;
    return true;
  }
  void OnMouseDown(int32_t x, int32_t y, const IMouseModifiers& mod) override {
    events.push_back("down");
    if (onDown) onDown();
    IControl::OnMouseDown(x, y, mod);
  }
  void OnMouseUp(int32_t, int32_t, const IMouseModifiers&) override { events.push_back("up"); }
  void OnMouseDrag(int32_t, int32_t, int32_t dx, int32_t dy, const IMouseModifiers&) override {
    events.push_back("drag " + std::to_string(dx) + " " + std::to_string(dy));
  }
  void OnMouseDblClick(int32_t x, int32_t y, const IMouseModifiers& mod) override {
    events.push_back("dbl");
    IControl::OnMouseDblClick(x, y, mod);
  }
  void OnMouseWheel(int32_t x, int32_t y, const IMouseModifiers& mod, int32_t steps) override {
    events.push_back("wheel " + std::to_string(steps));
    IControl::OnMouseWheel(x, y, mod, steps);
  }
  void SetDblAsClick(bool on) { mDblAsSingleClick = on; }
  void SetGrayedFlag(bool on) { SetGrayed(on); }

  int draws = 0;
  std::vector<std::string> events;
  std::function<void()> onDown;
};
