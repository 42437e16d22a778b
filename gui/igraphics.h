// IGraphics: the platform-neutral editor of one plug-in instance. It owns an ordered list of
// controls (index 0 the background), keeps their values in step with the parameters, collects
// the rectangles of controls that changed and redraws them into its drawing bitmap, which the
// window layer copies to the screen; it routes mouse and key events to the controls and opens
// and closes the host's gestures. The window, menus and text entry are the subclass's.
//
// Threads: SetControlValue, GetControl(...)->SetHidden and UpdateParameterControls may run on
// the audio thread (no lock, no allocation: they store atomics the next tick picks up).
// Everything else is the UI thread's. Bitmaps and fonts live in the process caches, not here.
//
// Windows' headers define DrawText as a macro: a file that includes them before this header
// must #undef DrawText.
//
// Sources: igraphics.cpp (list, values, dirty union, drawing), igraphics_dispatch.cpp (mouse
// and keys, gestures), igraphics_caches.cpp (bitmap strips, fonts, the process caches).
#pragma once

#include <cstdint>
#include <memory>

#include "core/editor.h"
#include "core/ptr_array.h"
#include "gui/bitmap_cache.h"
#include "gui/font_cache.h"
#include "gui/gesture_record.h"
#include "gui/ibitmap_strip.h"
#include "gui/iblend_setting.h"
#include "gui/icontrol.h"
#include "gui/imouse_modifiers.h"
#include "gui/irectangle.h"
#include "gui/itext_style.h"
#include "platform/recursive_lock.h"

class IParameter;
class IPlugBase;
class IPopupMenu;
class LICE_IBitmap;
class LICE_IFont;
class LICE_MemBitmap;
class LICE_SysBitmap;

class IGraphics : public IEditor {
 public:
  static constexpr int32_t kDefaultFPS = 25;

  // [UI thread] fps 0 or less means 25. Null caches mean the process-wide ones.
  IGraphics(IPlugBase* plug, int32_t width, int32_t height, int32_t fps = 0, IBitmapCache* bitmaps = nullptr,
            IFontCache* fonts = nullptr);
  // [UI thread] Deletes the controls from the last to the first, then the drawing bitmaps.
  ~IGraphics() override;
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // ---- What the subclass provides [UI thread] -------------------------------------------------
  // Copies rect of the drawing bitmap to the window; ends the paint.
  virtual bool PaintScreen(const IRectangle& rect) = 0;
  // The menu holding the chosen item (its chosen index set), or null when nothing was chosen.
  // Releases the mouse capture first (a modal menu swallows the mouse-up).
  virtual IPopupMenu* ShowPopupMenu(IPopupMenu* menu, const IRectangle& rect) = 0;
  virtual void ShowTextEntry(IControl* control, const ITextStyle& style, const IRectangle& rect, const char* text,
                             IParameter* param) = 0;
  virtual void* GetWindow() = 0;
  virtual bool IsWindowOpen() { return GetWindow() != nullptr; }
  virtual const char* GetDescription() { return ""; }
  virtual void HideMouseCursor() {}
  virtual void ShowMouseCursor() {}
  // A new bitmap of the resource, or null (the caller caches it).
  virtual LICE_IBitmap* LoadBitmapResource(int32_t resourceId, const char* fileName) = 0;
  // How a control asks for a value: a display-text menu or an edit box (the window layer's).
  virtual void PromptForValue(IControl* /*control*/, IParameter* /*param*/, const IRectangle& /*rect*/) {}
  // Base resize: deletes every control (the caller adds them again), remakes the drawing
  // bitmaps and asks the plug-in to resize its editor.
  virtual void Resize(int32_t width, int32_t height);
  // Text measured into rect (see DrawText).
  virtual bool MeasureText(ITextStyle& style, const char* text, IRectangle& rect) {
    return DrawText(style, text, rect, true);
  }

  // ---- The editor interface (core/editor.h) ---------------------------------------------------
  // [any thread; no allocation] A plain value of a parameter that does not exist does nothing.
  void UpdateParameterControls(int32_t paramIdx, double value, bool isNormalized) override;
  // [any thread; no allocation]
  void SetControlValue(int32_t controlIdx, double normalizedValue) override;
  // [any thread; no allocation]
  IControl* GetControl(int32_t controlIdx) override { return controls_.Get(controlIdx); }
  // [UI thread; allocates] The drawing bitmap at the editor's size and an empty scratch bitmap.
  void CreateDrawBitmaps() override;
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  void SetViewContainer(IHostViewContainer* container) override { viewContainer_ = container; }

  // ---- Controls [UI thread] -------------------------------------------------------------------
  // Appends and takes ownership; the control's index, or -1 (the control deleted) when the list
  // cannot grow.
  int32_t AddControl(IControl* control);
  // Inserts at index 0 a one-frame picture of the image, plain copy, bound to nothing.
  void AddBackground(int32_t resourceId, const char* fileName);
  int32_t GetNControls() const { return controls_.GetSize(); }
  // Marks every control dirty, pushing nothing (when the window opens).
  void MarkAllControlsDirty();
  // [UI thread, timer] The union of the dirty controls' rectangles into rect (passed empty);
  // true when any control is dirty, hidden ones and empty rectangles included.
  bool CollectDirtyRect(IRectangle& rect);
  // [UI thread, paint] Draws every visible control overlapping rect, clipped to it, marks drawn
  // those it drew (and those with empty rectangles or hidden within rect; the others stay dirty
  // for the next tick) and paints rect to the screen.
  bool Draw(const IRectangle& rect);

  // ---- Drawing primitives [UI thread, paint] --------------------------------------------------
  // A rectangle of the strip's image to dest, clipped to the draw clip; blend null means copy
  // weighted by source alpha.
  bool BlitBitmap(const IBitmapStrip& strip, const IRectangle& dest, int32_t srcX, int32_t srcY,
                  const IBlendSetting* blend);
  // Frame (from 1) of the strip into dest.
  bool DrawBitmapFrame(const IBitmapStrip& strip, const IRectangle& dest, int32_t frame, const IBlendSetting* blend);
  // Draws text within rect, clipped to the draw clip (nothing where rect misses it), or with
  // measure sets rect to the text's extent by the style's alignment. False without a font.
  bool DrawText(ITextStyle& style, const char* text, IRectangle& rect, bool measure = false);

  // ---- Bitmaps and fonts [UI thread; may allocate] --------------------------------------------
  // The cached image, or one loaded now and cached; a missing image gives a strip without a
  // bitmap, of size 0 x 0, which is not cached (a later load is tried again).
  IBitmapStrip LoadBitmapStrip(int32_t resourceId, const char* fileName, int32_t frames = 1,
                               bool framesAreHorizontal = false);
  // The style's font from the font cache, made and cached when missing; kept in the style.
  LICE_IFont* GetCachedFont(ITextStyle& style);

  // ---- Mouse and keys [UI thread] -------------------------------------------------------------
  void OnMouseDown(int32_t x, int32_t y, const IMouseModifiers& mod);
  void OnMouseUp(int32_t x, int32_t y, const IMouseModifiers& mod);
  void OnMouseDrag(int32_t x, int32_t y, const IMouseModifiers& mod);
  // True when the window must capture the mouse.
  bool OnMouseDblClick(int32_t x, int32_t y, const IMouseModifiers& mod);
  void OnMouseWheel(int32_t x, int32_t y, const IMouseModifiers& mod, int32_t steps);
  // Mouse-over handling is off in this editor: false, and nothing happens.
  bool OnMouseOver(int32_t x, int32_t y, const IMouseModifiers& mod);
  void OnMouseOut();
  // True when a control took the key; the background never does.
  bool OnKeyDown(int32_t x, int32_t y, int32_t key);
  // Forgets the captured control (before a modal menu).
  void ReleaseMouseCapture();

  // ---- State ------------------------------------------------------------------------------------
  IPlugBase* GetPlug() const { return plug_; }
  int32_t FPS() const { return fps_; }
  const IRectangle& GetDrawClip() const { return drawClip_; }
  LICE_IBitmap* GetDrawBitmap() const;
  IHostViewContainer* GetViewContainer() const { return viewContainer_; }
  int32_t GetMouseCapture() const { return mouseCapture_; }
  int32_t GetLastMouseX() const { return mouseX_; }
  int32_t GetLastMouseY() const { return mouseY_; }
  bool IsGestureOpen() const { return gestures_.IsOpen(); }
  IBitmapCache& BitmapCache() const { return *bitmapCache_; }
  IFontCache& FontCache() const { return *fontCache_; }

 private:
  int32_t HitTest(int32_t x, int32_t y) const;
  // True when the AAX host took the click on a control bound to paramIdx.
  bool HostTookClick(int32_t paramIdx, const IMouseModifiers& mod);
  void SetCapture(int32_t controlIdx, int32_t x, int32_t y) {
    mouseCapture_ = controlIdx, mouseX_ = x, mouseY_ = y;
  }
  void DeleteControls();

  [[maybe_unused]] RecursiveLock lock_;  // created and deleted with the editor; nothing takes it
  PtrArray<IControl> controls_;
  IPlugBase* plug_;
  IRectangle drawClip_;
  std::unique_ptr<LICE_SysBitmap> drawBitmap_;
  IHostViewContainer* viewContainer_ = nullptr;
  std::unique_ptr<LICE_MemBitmap> scratchBitmap_;
  int32_t width_, height_;
  int32_t fps_;
  int32_t mouseCapture_ = -1, mouseOver_ = -1;
  int32_t mouseX_ = 0, mouseY_ = 0;
  GestureRecord gestures_;
  IBitmapCache* bitmapCache_;
  IFontCache* fontCache_;
};
