#include "aax/aax_automation_delegate.h"

#include "aax/aax_host_object.h"

AAX_VAutomationDelegate::AAX_VAutomationDelegate(IACFUnknown* host)
    : delegate_(aax_host::Query<AAX_IACFAutomationDelegate>(host, kIidAutomationDelegate)) {}

AAX_VAutomationDelegate::~AAX_VAutomationDelegate() { aax_host::Release(delegate_); }

AAX_Result AAX_VAutomationDelegate::RegisterParameter(const char* id) {
  return delegate_ ? delegate_->RegisterParameter(id) : kAaxNoHostObject;
}

AAX_Result AAX_VAutomationDelegate::UnregisterParameter(const char* id) {
  return delegate_ ? delegate_->UnregisterParameter(id) : kAaxNoHostObject;
}

AAX_Result AAX_VAutomationDelegate::PostSetValueRequest(const char* id, double normalized) {
  return delegate_ ? delegate_->PostSetValueRequest(id, normalized) : kAaxNoHostObject;
}

AAX_Result AAX_VAutomationDelegate::PostCurrentValue(const char* id, double normalized) {
  return delegate_ ? delegate_->PostCurrentValue(id, normalized) : kAaxNoHostObject;
}

AAX_Result AAX_VAutomationDelegate::PostTouchRequest(const char* id) {
  return delegate_ ? delegate_->PostTouchRequest(id) : kAaxNoHostObject;
}

AAX_Result AAX_VAutomationDelegate::PostReleaseRequest(const char* id) {
  return delegate_ ? delegate_->PostReleaseRequest(id) : kAaxNoHostObject;
}
