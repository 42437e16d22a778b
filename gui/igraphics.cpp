// IGraphics: the control list, parameter values, the dirty union and drawing.
#include "gui/igraphics.h"

#include "core/iparameter.h"
#include "core/iplug_base.h"
#include "gui/controls.h"
#include "gui/sub_bitmap.h"
#include "raster/blend_mode.h"
#include "raster/blit.h"
#include "raster/font.h"
#include "raster/mem_bitmap.h"
#include "raster/sys_bitmap.h"

IGraphics::IGraphics(IPlugBase* plug, int32_t width, int32_t height, int32_t fps, IBitmapCache* bitmaps,
                     IFontCache* fonts)
    : plug_(plug),
      width_(width),
      height_(height),
      fps_(fps > 0 ? fps : kDefaultFPS),
      bitmapCache_(bitmaps ? bitmaps : &ProcessBitmapCache()),
      fontCache_(fonts ? fonts : &ProcessFontCache()) {}

IGraphics::~IGraphics() { DeleteControls(); }

void IGraphics::DeleteControls() { controls_.DeleteAll(); }

LICE_IBitmap* IGraphics::GetDrawBitmap() const { return drawBitmap_.get(); }

void IGraphics::CreateDrawBitmaps() {
  drawBitmap_ = std::make_unique<LICE_SysBitmap>(width_, height_);
  scratchBitmap_ = std::make_unique<LICE_MemBitmap>(0, 0, 4);
}

void IGraphics::Resize(int32_t width, int32_t height) {
  width_ = width, height_ = height;
  mouseCapture_ = mouseX_ = mouseY_ = -1;
  // The controls that held a gesture are gone: the host hears its end now.
  gestures_.End(plug_);
  DeleteControls();
  drawBitmap_.reset();
  scratchBitmap_.reset();
  CreateDrawBitmaps();
  if (plug_) plug_->ResizeEditor(width, height);
}

// ---- Controls ---------------------------------------------------------------------------------

int32_t IGraphics::AddControl(IControl* control) {
  if (!control) return -1;
  if (!controls_.Add(control)) {
    delete control;
    return -1;
  }
  control->SetGraphics(this);
  return controls_.GetSize() - 1;
}

void IGraphics::AddBackground(int32_t resourceId, const char* fileName) {
  const IBitmapStrip strip = LoadBitmapStrip(resourceId, fileName, 1, false);
  IControl* background = new IBitmapControl(plug_, IRectangle(0, 0, strip.W, strip.H), -1, strip,
                                            IBlendSetting(IBlendSetting::kBlendClobber, 1.0f));
  if (!controls_.Insert(0, background)) {
    delete background;
    return;
  }
  background->SetGraphics(this);
  // Indices above the background moved up by one.
  if (mouseCapture_ >= 0) ++mouseCapture_;
  if (mouseOver_ >= 0) ++mouseOver_;
}

void IGraphics::UpdateParameterControls(int32_t paramIdx, double value, bool isNormalized) {
  if (!isNormalized) {
    const IParameter* param = plug_ ? plug_->GetParameter(paramIdx) : nullptr;
    if (!param) return;
    value = param->ToNormalized(value);
  }
  const int32_t n = controls_.GetSize();
  for (int32_t i = 0; i < n; ++i) {
    IControl* control = controls_.Get(i);
    if (control->ParamIdx() == paramIdx) control->ShowValue(value);
  }
}

void IGraphics::SetControlValue(int32_t controlIdx, double normalizedValue) {
  if (IControl* control = controls_.Get(controlIdx)) control->ShowValue(normalizedValue);
}

void IGraphics::MarkAllControlsDirty() {
  const int32_t n = controls_.GetSize();
  for (int32_t i = 0; i < n; ++i) controls_.Get(i)->MarkDirty(false);
}

// ---- Dirty union and drawing ------------------------------------------------------------------

bool IGraphics::CollectDirtyRect(IRectangle& rect) {
  bool dirty = false;
  const int32_t n = controls_.GetSize();
  for (int32_t i = 0; i < n; ++i) {
    IControl* control = controls_.Get(i);
    if (!control->IsDirty()) continue;
    dirty = true;
    rect = rect.Union(control->GetRECT());
  }
  return dirty;
}

bool IGraphics::Draw(const IRectangle& rect) {
  const int32_t n = controls_.GetSize();
  drawClip_ = rect;
  for (int32_t i = 0; i < n; ++i) {
    IControl* control = controls_.Get(i);
    const IRectangle& c = control->GetRECT();
    // Overlap in the editor's sense: r.right >= c.left, r.left < c.right and likewise vertically.
    const bool overlaps = rect.Overlaps(c);
    if (overlaps && !control->IsHidden()) control->Draw(*this);
    // A control outside the painted rectangle keeps its dirty flag: the next tick draws it, so
    // an exposure between a change and that tick loses nothing.
    if (overlaps || c.Empty()) control->MarkDrawn();
  }
  // An editor without controls still ends the window's paint.
  return PaintScreen(rect);
}

bool IGraphics::BlitBitmap(const IBitmapStrip& strip, const IRectangle& dest, int32_t srcX, int32_t srcY,
                           const IBlendSetting* blend) {
  if (!strip.mBitmap || !drawBitmap_) return true;
  const IRectangle i = dest.Intersect(drawClip_);
  if (i.Empty()) return true;
  int mode = LICE_MODE_SOURCE_ALPHA;
  float weight = 1.0f;
  if (blend) {
    weight = blend->mWeight;
    switch (blend->mMethod) {
      case IBlendSetting::kBlendClobber: mode = LICE_MODE_COPY; break;
      case IBlendSetting::kBlendAdd: mode = LICE_MODE_ADD | LICE_MODE_SOURCE_ALPHA; break;
      case IBlendSetting::kBlendColorDodge: mode = LICE_MODE_DODGE | LICE_MODE_SOURCE_ALPHA; break;
      default: break;
    }
  }
  LICE_CopyRect(drawBitmap_.get(), strip.mBitmap, i.L, i.T, srcX + i.L - dest.L, srcY + i.T - dest.T, i.W(), i.H(),
                weight, mode);
  return true;
}

bool IGraphics::DrawBitmapFrame(const IBitmapStrip& strip, const IRectangle& dest, int32_t frame,
                                const IBlendSetting* blend) {
  int32_t x = 0, y = 0;
  if (strip.N >= 2 && frame >= 2) {
    if (strip.mFramesAreHorizontal)
      x = static_cast<int32_t>(static_cast<double>(strip.W) * (frame - 1) / strip.N + 0.5);
    else
      y = static_cast<int32_t>(static_cast<double>(strip.H) * (frame - 1) / strip.N + 0.5);
  }
  return BlitBitmap(strip, dest, x, y, blend);
}

bool IGraphics::DrawText(ITextStyle& style, const char* text, IRectangle& rect, bool measure) {
  if (!text || !*text) return true;
  LICE_IFont* font = style.mCached ? style.mCached : GetCachedFont(style);
  if (!font) return false;
  font->SetTextColor(style.mColor.ToRaster());
  unsigned int format = LICE_DT_NOCLIP;
  if (style.mColor.A != 255) format |= LICE_TEXT_COLOR_ALPHA;
  if (style.mAlign == ITextStyle::kAlignCenter) format |= LICE_DT_CENTER;
  if (style.mAlign == ITextStyle::kAlignFar) format |= LICE_DT_RIGHT;

  if (measure) {
    LICE_Rect extent = {0, 0, 0, 0};
    font->DrawText(nullptr, text, -1, &extent, format | LICE_DT_CALCRECT);
    const int32_t w = extent.right - extent.left, h = extent.bottom - extent.top;
    rect.B = rect.T + h;
    switch (style.mAlign) {
      case ITextStyle::kAlignNear: rect.R = rect.L + w; break;
      case ITextStyle::kAlignCenter:
        rect.L = static_cast<int32_t>(static_cast<float>(rect.L + rect.R) * 0.5f) - w / 2;
        rect.R = rect.L + w;
        break;
      case ITextStyle::kAlignFar: rect.L = rect.R - w; break;
      default: break;
    }
    return true;
  }

  // Text is drawn only where it meets the draw clip, and through a view of just that part of
  // the drawing bitmap: a control redrawn on every tick must not blend its anti-aliased edges
  // over themselves outside the area whose background was just redrawn.
  if (!drawBitmap_) return true;
  const IRectangle clip = rect.Intersect(drawClip_);
  if (clip.Empty()) return true;
  const int32_t left = drawClip_.L > 0 ? drawClip_.L : 0, top = drawClip_.T > 0 ? drawClip_.T : 0;
  SubBitmap view(*drawBitmap_, left, top, drawClip_.R, drawClip_.B);
  LICE_Rect r = {rect.L - left, rect.T - top, rect.R - left, rect.B - top};
  font->DrawText(&view, text, -1, &r, format);
  return true;
}
