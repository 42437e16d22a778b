// The framework's control classes: a film-strip frame chosen by the value (IBitmapControl), a
// switch stepping through its frames (ISwitchControl), an overlay opened from a small area and
// closed by a click on it (IBitmapOverlayControl), an invisible toggle (IInvisibleSwitchControl),
// a knob turned by dragging (IKnobControl) and one drawn from a film strip (IKnobMultiControl).
// [UI thread, except what IControl marks otherwise]
#pragma once

#include <cstdint>

#include "gui/ibitmap_strip.h"
#include "gui/icontrol.h"

// The frame of an n-frame strip a bitmap shows for value v: 1 below 2 frames, else
// trunc((n - 1) v + 0.5) + 1 limited to 1..n.
int32_t BitmapFrameFor(int32_t frames, double value);
// The frame a knob strip shows: trunc((n - 1) v + 0.5) + 1, 1 when that is below 1, at most n.
int32_t KnobFrameFor(int32_t frames, double value);

class IBitmapControl : public IControl {
 public:
  IBitmapControl(IPlugBase* plug, const IRectangle& rect, int32_t paramIdx, const IBitmapStrip& strip,
                 IBlendSetting blend = IBlendSetting())
      : IControl(plug, rect, paramIdx, blend), mBitmap(strip) {}
  bool Draw(IGraphics& graphics) override;
  const IBitmapStrip& GetStrip() const { return mBitmap; }

 protected:
  IBitmapStrip mBitmap;
};

class ISwitchControl : public IBitmapControl {
 public:
  using IBitmapControl::IBitmapControl;
  // Steps by 1 / (frames - 1) (by 1 below 2 frames), past 1.001 back to 0, and pushes.
  void OnMouseDown(int32_t x, int32_t y, const IMouseModifiers& mod) override;
  void OnMouseDblClick(int32_t x, int32_t y, const IMouseModifiers& mod) override { OnMouseDown(x, y, mod); }
};

class IBitmapOverlayControl : public ISwitchControl {
 public:
  // Closed (value below 0.5) it is hit only in targetArea and draws nothing; open, it is hit and
  // drawn over its whole rectangle. It starts closed, so its hit area starts as targetArea.
  IBitmapOverlayControl(IPlugBase* plug, const IRectangle& rect, int32_t paramIdx, const IBitmapStrip& strip,
                        const IRectangle& targetArea, IBlendSetting blend = IBlendSetting())
      : ISwitchControl(plug, rect, paramIdx, strip, blend), mTargetArea(targetArea) {
    mTargetRECT = targetArea;
  }
  bool Draw(IGraphics& graphics) override;

 protected:
  IRectangle mTargetArea;
};

class IInvisibleSwitchControl : public IControl {
 public:
  IInvisibleSwitchControl(IPlugBase* plug, const IRectangle& rect, int32_t paramIdx)
      : IControl(plug, rect, paramIdx, IBlendSetting(IBlendSetting::kBlendClobber, 1.0f)) {
    mDisablePrompt = true;
  }
  // Below 0.5 becomes 1, else 0; pushes.
  void OnMouseDown(int32_t x, int32_t y, const IMouseModifiers& mod) override;
  bool Draw(IGraphics&) override { return true; }
};

class IKnobControl : public IControl {
 public:
  enum EDirection { kVertical = 0, kHorizontal = 1 };
  static constexpr double kDefaultGearing = 4.0;
  static constexpr double kFineFactor = 10.0;

  IKnobControl(IPlugBase* plug, const IRectangle& rect, int32_t paramIdx, int32_t direction = kVertical,
               double gearing = kDefaultGearing, IBlendSetting blend = IBlendSetting())
      : IControl(plug, rect, paramIdx, blend), mDirection(direction), mGearing(gearing) {}
  // Moving by the control's size turns it by 1 / gearing (ten times finer with Shift or Ctrl);
  // a control of size 0 does not turn.
  void OnMouseDrag(int32_t x, int32_t y, int32_t dx, int32_t dy, const IMouseModifiers& mod) override;

 protected:
  int32_t mDirection;
  double mGearing;
};

class IKnobMultiControl : public IKnobControl {
 public:
  IKnobMultiControl(IPlugBase* plug, const IRectangle& rect, int32_t paramIdx, const IBitmapStrip& strip,
                    int32_t direction = kVertical, double gearing = kDefaultGearing,
                    IBlendSetting blend = IBlendSetting())
      : IKnobControl(plug, rect, paramIdx, direction, gearing, blend), mBitmap(strip) {}
  bool Draw(IGraphics& graphics) override;
  const IBitmapStrip& GetStrip() const { return mBitmap; }

 protected:
  IBitmapStrip mBitmap;
};
