#include "aax/aax_effect_gui.h"

#include "aax/aax_host_call_guard.h"
#include "aax/aax_host_object.h"
#include "aax/aax_string.h"

AAX_CEffectGUI::~AAX_CEffectGUI() {
  // The derived part is gone here, so a container still set is only let go, not taken away.
  viewContainer_.reset();
  aax_host::Release(effectParameters_);
  controller_.reset();
  transport_.reset();
}

void AAX_CEffectGUI::RemoveViewContainer() {
  // The field is null when the derived class hears of it; the wrapper (and its host reference)
  // goes once the derived class has stopped using it.
  std::unique_ptr<AAX_VViewContainer> old = std::move(viewContainer_);
  DeleteViewContainer();
}

void AAX_CEffectGUI::ReleaseHostObjects() {
  if (viewContainer_) RemoveViewContainer();
  aax_host::Release(effectParameters_);
  controller_.reset();
  transport_.reset();
}

AAX_Result AAX_CEffectGUI::Initialize(IACFUnknown* host) {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    ReleaseHostObjects();  // a second Initialize starts over
    if (!host) return kAaxEditorWithoutHost;
    controller_ = std::make_unique<AAX_VController>(host);
    void* effect = nullptr;
    if (host->QueryInterface(kIidEffectParameters, &effect) == kAaxOk) {
      effectParameters_ = static_cast<AAX_IACFEffectParameters*>(effect);
    }
    transport_ = std::make_unique<AAX_VTransport>(host);
    CreateViewContents();
    return kAaxOk;
  });
}

AAX_Result AAX_CEffectGUI::Uninitialize() {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    ReleaseHostObjects();
    return kAaxOk;
  });
}

AAX_Result AAX_CEffectGUI::SetViewContainer(IACFUnknown* viewContainer) {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    if (!viewContainer) {
      RemoveViewContainer();
      return kAaxOk;
    }
    // A container replacing another: the old wrapper goes once the derived class has moved on.
    std::unique_ptr<AAX_VViewContainer> old = std::move(viewContainer_);
    viewContainer_ = std::make_unique<AAX_VViewContainer>(viewContainer);
    CreateViewContainer();
    old.reset();
    UpdateAllParameters();
    return kAaxOk;
  });
}

void AAX_CEffectGUI::UpdateAllParameters() {
  if (!effectParameters_) return;
  int32_t count = 0;
  if (effectParameters_->GetNumberOfParameters(&count) != kAaxOk) return;
  for (int32_t i = 0; i < count; ++i) {
    AAX_CString id;
    if (effectParameters_->GetParameterIDFromIndex(i, &id) == kAaxOk) ParameterUpdated(id.Get());
  }
}
