#include "aax/aax_view_container.h"

#include "aax/aax_host_object.h"

AAX_VViewContainer::AAX_VViewContainer(IACFUnknown* hostViewContainer)
    : container_(aax_host::Query<AAX_IACFViewContainer>(hostViewContainer, kIidViewContainer)) {}

AAX_VViewContainer::~AAX_VViewContainer() { aax_host::Release(container_); }

void* AAX_VViewContainer::GetNativeWindow() { return container_ ? container_->GetNativeWindow() : nullptr; }

AAX_Result AAX_VViewContainer::GetModifiers(uint32_t* modifiers) {
  return container_ ? container_->GetModifiers(modifiers) : kAaxNotSupported;
}

AAX_Result AAX_VViewContainer::SetViewSize(const AAX_Point& size) {
  return container_ ? container_->SetViewSize(size) : kAaxOk;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDown(const char* paramId, uint32_t modifiers) {
  return container_ ? container_->HandleParameterMouseDown(paramId, modifiers) : kAaxNotSupported;
}
