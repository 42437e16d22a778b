// The amplifier's two controls of its own, both bound to an enum parameter and both drawing
// the parameter's display text: IKnobMultiControlText, the amplifier picture (the frame of the
// preamp model) with the model's name, and ICabControl, the cabinet model's name alone. A click
// on the text asks for a value (a menu of the display texts); a click elsewhere on the control
// does nothing, nor do drags and double clicks; the wheel is the framework's. Both read the
// parameter record's value, not the control's. [UI thread, except what IControl marks otherwise]
#pragma once

#include <cstdint>

#include "gui/controls.h"

class IKnobMultiControlText : public IKnobControl {
 public:
  // The picture's frames from the strip at (5, 51); the text in (29, 554, 109, 570) in style.
  IKnobMultiControlText(IPlugBase* plug, const IRectangle& rect, int32_t paramIdx, const IBitmapStrip& strip,
                        const ITextStyle& style);
  ~IKnobMultiControlText() override = default;

  // Inside the text rectangle (right and bottom exclusive), a prompt over it; else nothing.
  void OnMouseDown(int32_t x, int32_t y, const IMouseModifiers& mod) override;
  void OnMouseDrag(int32_t, int32_t, int32_t, int32_t, const IMouseModifiers&) override {}
  void OnMouseDblClick(int32_t, int32_t, const IMouseModifiers&) override {}
  // Frame trunc(value + 1) of the strip in the picture rectangle, then the value's display text
  // in the text rectangle: DrawText's result, or true when there is no text.
  bool Draw(IGraphics& graphics) override;

  const IRectangle& GetTextRECT() const { return mTextRECT; }
  const IRectangle& GetPictureRECT() const { return mPictureRECT; }
  const IBitmapStrip& GetStrip() const { return mBitmap; }

 protected:
  // The value's display text; false when it has none.
  bool DrawDisplayText(IGraphics& graphics, bool& drawn);

  IRectangle mTextRECT;
  IRectangle mPictureRECT;
  IBitmapStrip mBitmap;
};

class ICabControl : public IKnobMultiControlText {
 public:
  // The text rectangle is the control's own.
  ICabControl(IPlugBase* plug, const IRectangle& rect, int32_t paramIdx, const IBitmapStrip& strip,
              const ITextStyle& style);
  // Only the display text.
  bool Draw(IGraphics& graphics) override;
};
