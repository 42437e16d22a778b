// IControl's base behaviour: values, dirty marking, prompts and the default event handlers.
#include "gui/icontrol.h"

#include "core/iparameter.h"
#include "core/iplug_base.h"
#include "gui/igraphics.h"

IControl::IControl(IPlugBase* plug, const IRectangle& rect, int32_t paramIdx, IBlendSetting blend)
    : mPlug(plug), mRECT(rect), mTargetRECT(rect), mParamIdx(paramIdx), mBlend(blend) {}

void IControl::OnMouseDown(int32_t /*x*/, int32_t /*y*/, const IMouseModifiers& mod) {
  if (mod.R) PromptForValue();
}

void IControl::OnMouseDblClick(int32_t /*x*/, int32_t /*y*/, const IMouseModifiers& /*mod*/) {
  const double def = GetDefaultValue();
  if (def >= 0.0) {
    SetValue(def);
    MarkDirty(true);
  }
}

void IControl::OnMouseWheel(int32_t /*x*/, int32_t /*y*/, const IMouseModifiers& mod, int32_t steps) {
  // An indicator bound to nothing (a light, a meter) is not the user's to turn.
  if (mParamIdx < 0) return;
  SetValue(GetValue() + steps * (mod.FineAdjust() ? kWheelFineStep : kWheelStep));
  MarkDirty(true);
}

void IControl::ShowValue(double normalizedValue) {
  const double v = Sanitized(normalizedValue);
  if (GetDefaultValue() < 0.0) {
    mDefaultValue.store(v, std::memory_order_relaxed);
    SetValue(v);
  }
  if (v != GetValue()) {
    SetValue(v);
    MarkDirty(false);
    SetRedrawAgain(true);
  }
}

void IControl::SetHidden(bool hidden) {
  mHide.store(hidden, std::memory_order_relaxed);
  SetRedrawAgain(true);
  MarkDirty(false);
}

void IControl::SetGrayed(bool grayed) {
  mGrayed = grayed;
  mBlend.mWeight = grayed ? kGrayedWeight : 1.0f;
  MarkDirty(false);
}

void IControl::MarkDirty(bool push) {
  double v = Sanitized(GetValue());
  if (v < mClampLo) v = mClampLo;
  if (v > mClampHi) v = mClampHi;
  SetValue(v);
  mDirty.store(true, std::memory_order_relaxed);
  if (push && mPlug && mParamIdx >= 0) mPlug->SetParameterFromGUI(mParamIdx, v);
}

void IControl::MarkDrawn() {
  mDirty.store(mRedrawAgain.load(std::memory_order_relaxed), std::memory_order_relaxed);
  SetRedrawAgain(false);
}

void IControl::SetValueFromPrompt(double normalizedValue) {
  const double v = Sanitized(normalizedValue);
  if (v != GetValue()) {
    SetValue(v);
    MarkDirty(true);
    SetRedrawAgain(true);
  }
}

void IControl::PromptForValue() {
  IParameter* param = (mPlug && mParamIdx >= 0) ? mPlug->GetParameter(mParamIdx) : nullptr;
  if (!param || mDisablePrompt) return;
  if (param->GetDisplayTextCount() > 0) {
    PromptForValueIn(mRECT);
    return;
  }
  // The centre in single precision, as the box has always been placed.
  const int32_t cx = static_cast<int32_t>(static_cast<float>(mRECT.L + mRECT.R) * 0.5f);
  const int32_t cy = static_cast<int32_t>(static_cast<float>(mRECT.T + mRECT.B) * 0.5f);
  PromptForValueIn(IRectangle(cx - 15, cy - 8, cx + 15, cy + 8));
}

void IControl::PromptForValueIn(const IRectangle& rect) {
  IParameter* param = (mPlug && mParamIdx >= 0) ? mPlug->GetParameter(mParamIdx) : nullptr;
  if (!param || mDisablePrompt || !mGraphics) return;
  mGraphics->PromptForValue(this, param, rect);
  SetRedrawAgain(true);
}
