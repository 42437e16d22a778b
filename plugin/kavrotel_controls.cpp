#include "plugin/kavrotel_controls.h"

#include "core/iparameter.h"
#include "core/iplug_base.h"
#include "gui/igraphics.h"

namespace {
const IRectangle kPreampText(29, 554, 109, 570);
constexpr int32_t kPictureLeft = 5, kPictureTop = 51;
}  // namespace

IKnobMultiControlText::IKnobMultiControlText(IPlugBase* plug, const IRectangle& rect, int32_t paramIdx,
                                             const IBitmapStrip& strip, const ITextStyle& style)
    : IKnobControl(plug, rect, paramIdx, kVertical, kDefaultGearing, IBlendSetting()),
      mTextRECT(kPreampText),
      mPictureRECT(kPictureLeft, kPictureTop, kPictureLeft + strip.W,
                   kPictureTop + (strip.N > 0 ? strip.H / strip.N : strip.H)),
      mBitmap(strip) {
  mText = style;
  mDisablePrompt = false;
}

void IKnobMultiControlText::OnMouseDown(int32_t x, int32_t y, const IMouseModifiers& /*mod*/) {
  if (mTextRECT.Contains(x, y)) PromptForValueIn(mTextRECT);
}

bool IKnobMultiControlText::DrawDisplayText(IGraphics& graphics, bool& drawn) {
  const IParameter* param = mPlug ? mPlug->GetParameter(mParamIdx) : nullptr;
  if (!param) return false;
  char text[IParameter::kTextCapacity];
  param->GetDisplayForHost(param->Value(), false, text, sizeof(text), true);
  if (!text[0]) return false;
  IRectangle rect = mTextRECT;
  drawn = graphics.DrawText(mText, text, rect);
  return true;
}

bool IKnobMultiControlText::Draw(IGraphics& graphics) {
  const IParameter* param = mPlug ? mPlug->GetParameter(mParamIdx) : nullptr;
  if (param) {
    // An enum's value is a whole number within its range: no out-of-range conversion here.
    const int32_t frame = static_cast<int32_t>(param->Value() + 1.0);
    graphics.DrawBitmapFrame(mBitmap, mPictureRECT, frame, &mBlend);
  }
  bool drawn = true;
  DrawDisplayText(graphics, drawn);
  return drawn;
}

ICabControl::ICabControl(IPlugBase* plug, const IRectangle& rect, int32_t paramIdx, const IBitmapStrip& strip,
                         const ITextStyle& style)
    : IKnobMultiControlText(plug, rect, paramIdx, strip, style) {
  mTextRECT = rect;
}

bool ICabControl::Draw(IGraphics& graphics) {
  bool drawn = true;
  DrawDisplayText(graphics, drawn);
  return drawn;
}
