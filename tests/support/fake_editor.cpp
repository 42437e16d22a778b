#include "tests/support/fake_editor.h"

#include "core/iplug_base.h"

FakeEditor::FakeEditor(const IPlugBase* plug, int32_t width, int32_t height)
    : plug_(plug), width_(width), height_(height) {}

FakeEditor::~FakeEditor() {
  if (destroyedCounter_) ++*destroyedCounter_;
}

int32_t FakeEditor::AddControl(int32_t paramIdx) {
  controls_.push_back(std::make_unique<Control>(paramIdx));
  return GetControlCount() - 1;
}

FakeEditor::Control* FakeEditor::ControlAt(int32_t controlIdx) const {
  if (controlIdx < 0 || controlIdx >= GetControlCount()) return nullptr;
  return controls_[static_cast<size_t>(controlIdx)].get();
}

void FakeEditor::UpdateParameterControls(int32_t paramIdx, double value, bool isNormalized) {
  calls_.push_back({Call::kUpdateParameterControls, paramIdx, value, isNormalized});
  double normalized = value;
  if (!isNormalized) {
    const IParameter* param = plug_ ? plug_->GetParameter(paramIdx) : nullptr;
    if (!param) return;
    normalized = param->ToNormalized(value);
  }
  for (auto& control : controls_) {
    if (control->paramIdx != paramIdx) continue;
    control->value = normalized;
    control->dirty = true;
  }
}

void FakeEditor::SetControlValue(int32_t controlIdx, double normalizedValue) {
  calls_.push_back({Call::kSetControlValue, controlIdx, normalizedValue, true});
  if (Control* control = ControlAt(controlIdx)) {
    control->value = normalizedValue;
    control->dirty = true;
  }
}

void FakeEditor::CreateDrawBitmaps() { calls_.push_back({Call::kCreateDrawBitmaps}); }

void* FakeEditor::OpenWindow(void* parentWindow) {
  calls_.push_back({Call::kOpenWindow});
  if (!parentWindow) return nullptr;
  windowOpen_ = true;
  return this;
}

void FakeEditor::CloseWindow() {
  calls_.push_back({Call::kCloseWindow});
  windowOpen_ = false;
}
