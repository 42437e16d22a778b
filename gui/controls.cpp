// The framework's control classes.
#include "gui/controls.h"

#include "gui/igraphics.h"

namespace {
// Values outside 0..1 (a first value shown unclamped) pick the end frames, as the limits
// below would, without an out-of-range conversion.
double Unit(double value) { return value > 0.0 ? (value < 1.0 ? value : 1.0) : 0.0; }
}  // namespace

int32_t BitmapFrameFor(int32_t frames, double value) {
  if (frames < 2) return 1;
  const int32_t k = static_cast<int32_t>((frames - 1) * Unit(value) + 0.5) + 1;
  return k < 1 ? 1 : (k > frames ? frames : k);
}

int32_t KnobFrameFor(int32_t frames, double value) {
  const int32_t b = static_cast<int32_t>((frames - 1) * Unit(value) + 0.5);
  if (b < 0) return 1;
  return b + 1 < frames ? b + 1 : frames;
}

bool IBitmapControl::Draw(IGraphics& graphics) {
  return graphics.DrawBitmapFrame(mBitmap, mRECT, BitmapFrameFor(mBitmap.N, GetValue()), &mBlend);
}

void ISwitchControl::OnMouseDown(int32_t, int32_t, const IMouseModifiers&) {
  double v = GetValue() + (mBitmap.N < 2 ? 1.0 : 1.0 / (mBitmap.N - 1));
  if (v > 1.001) v = 0.0;
  SetValue(v);
  MarkDirty(true);
}

bool IBitmapOverlayControl::Draw(IGraphics& graphics) {
  if (GetValue() < 0.5) {
    mTargetRECT = mTargetArea;
    return true;
  }
  mTargetRECT = mRECT;
  return IBitmapControl::Draw(graphics);
}

void IInvisibleSwitchControl::OnMouseDown(int32_t, int32_t, const IMouseModifiers&) {
  SetValue(GetValue() < 0.5 ? 1.0 : 0.0);
  MarkDirty(true);
}

void IKnobControl::OnMouseDrag(int32_t, int32_t, int32_t dx, int32_t dy, const IMouseModifiers& mod) {
  const double gearing = mod.FineAdjust() ? mGearing * kFineFactor : mGearing;
  const int32_t size = mDirection == kVertical ? mRECT.T - mRECT.B : mRECT.R - mRECT.L;
  if (size == 0 || gearing == 0.0) return;
  const double delta = mDirection == kVertical ? dy : dx;
  SetValue(GetValue() + delta / size / gearing);
  MarkDirty(true);
}

bool IKnobMultiControl::Draw(IGraphics& graphics) {
  return graphics.DrawBitmapFrame(mBitmap, mRECT, KnobFrameFor(mBitmap.N, GetValue()), &mBlend);
}
