// IGraphics: mouse and key dispatch, capture, and the host's gestures and click interception.
//
// Gestures are balanced through one record: a begin at the mouse-down of a bound control, its
// end at the mouse-up, or as soon as the control's handler gave up the capture (a modal popup
// menu swallows the mouse-up). A click the host took (VST3 context menu, AAX) opens none, so its
// mouse-up ends none; a double-click and a wheel turn are a gesture of their own.
#include <cstdio>

#include "core/iplug_base.h"
#include "gui/igraphics.h"

int32_t IGraphics::HitTest(int32_t x, int32_t y) const {
  // Later controls lie on top of earlier ones.
  for (int32_t i = controls_.GetSize() - 1; i >= 0; --i) {
    const IControl* control = controls_.Get(i);
    if (control->IsHidden() || control->IsGrayed()) continue;
    if (control->IsHit(x, y)) return i;
  }
  return -1;
}

void IGraphics::ReleaseMouseCapture() { mouseCapture_ = mouseX_ = mouseY_ = -1; }

bool IGraphics::HostTookClick(int32_t paramIdx, const IMouseModifiers& mod) {
  uint32_t modifiers = (mod.S ? 1u : 0u) | (mod.A ? 4u : 0u) | (mod.C ? 8u : 0u) | (mod.R ? 16u : 0u);
  uint32_t hostModifiers = 0;
  viewContainer_->GetModifiers(&hostModifiers);  // its result is the host's business
  modifiers |= hostModifiers;
  char id[32];
  std::snprintf(id, sizeof(id), "%i", static_cast<int>(paramIdx) + 1);
  return viewContainer_->HandleParameterMouseDown(id, modifiers) == 0;
}

void IGraphics::OnMouseDown(int32_t x, int32_t y, const IMouseModifiers& mod) {
  ReleaseMouseCapture();
  // A gesture still open lost its mouse-up somewhere: a new click ends it.
  gestures_.End(plug_);
  const int32_t c = HitTest(x, y);
  if (c < 0) return;
  IControl* control = controls_.Get(c);
  SetCapture(c, x, y);
  const int32_t p = control->ParamIdx();

  if (plug_ && plug_->GetPluginApi() == IPlugBase::kApiVst3 && mod.R && p >= 0) {
    ReleaseMouseCapture();
    plug_->PopupHostContextMenu(p, x, y);
    return;
  }
  if (viewContainer_) {
    if (p < 0) {
      control->OnMouseDown(x, y, mod);
      return;
    }
    if (HostTookClick(p, mod)) {
      // The host handles the rest; a drag that follows must not turn the control.
      ReleaseMouseCapture();
      return;
    }
  }
  if (p >= 0) gestures_.Begin(plug_, p);
  control->OnMouseDown(x, y, mod);
  if (mouseCapture_ != c) gestures_.End(plug_);
}

void IGraphics::OnMouseUp(int32_t x, int32_t y, const IMouseModifiers& mod) {
  const int32_t c = mouseCapture_ >= 0 ? mouseCapture_ : HitTest(x, y);
  ReleaseMouseCapture();
  if (IControl* control = controls_.Get(c)) control->OnMouseUp(x, y, mod);
  gestures_.End(plug_);
}

void IGraphics::OnMouseDrag(int32_t x, int32_t y, const IMouseModifiers& mod) {
  IControl* control = controls_.Get(mouseCapture_);
  if (!control || (x == mouseX_ && y == mouseY_)) return;
  const int32_t dx = x - mouseX_, dy = y - mouseY_;
  mouseX_ = x, mouseY_ = y;
  control->OnMouseDrag(x, y, dx, dy, mod);
}

bool IGraphics::OnMouseDblClick(int32_t x, int32_t y, const IMouseModifiers& mod) {
  ReleaseMouseCapture();
  gestures_.End(plug_);
  const int32_t c = HitTest(x, y);
  IControl* control = controls_.Get(c);
  if (!control) return false;
  if (control->MouseDblAsSingleClick()) {
    SetCapture(c, x, y);
    control->OnMouseDown(x, y, mod);
    return true;
  }
  gestures_.Begin(plug_, control->ParamIdx());
  control->OnMouseDblClick(x, y, mod);
  gestures_.End(plug_);
  return false;
}

void IGraphics::OnMouseWheel(int32_t x, int32_t y, const IMouseModifiers& mod, int32_t steps) {
  const int32_t c = mouseCapture_ >= 0 ? mouseCapture_ : HitTest(x, y);
  IControl* control = controls_.Get(c);
  if (!control) return;
  const int32_t p = control->ParamIdx();
  // Inside a drag's gesture the turn belongs to it; otherwise it is a gesture of its own.
  if (p < 0 || gestures_.OpenParam() == p) {
    control->OnMouseWheel(x, y, mod, steps);
    return;
  }
  gestures_.End(plug_);
  gestures_.Begin(plug_, p);
  control->OnMouseWheel(x, y, mod, steps);
  gestures_.End(plug_);
}

bool IGraphics::OnMouseOver(int32_t /*x*/, int32_t /*y*/, const IMouseModifiers& /*mod*/) { return false; }

void IGraphics::OnMouseOut() {
  const int32_t n = controls_.GetSize();
  for (int32_t i = 0; i < n; ++i) controls_.Get(i)->OnMouseOut();
  mouseOver_ = -1;
}

bool IGraphics::OnKeyDown(int32_t x, int32_t y, int32_t key) {
  const int32_t c = mouseCapture_ >= 0 ? mouseCapture_ : HitTest(x, y);
  // The background and empty space would go to a key catcher; this editor has none.
  if (c <= 0) return false;
  return controls_.Get(c)->OnKeyDown(x, y, key);
}
