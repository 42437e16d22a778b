#include "aax/aax_controller.h"

#include "aax/aax_host_object.h"

AAX_VController::AAX_VController(IACFUnknown* host)
    : controller_(aax_host::Query<AAX_IACFController>(host, kIidController)),
      controllerV2_(aax_host::Query<AAX_IACFController_V2>(host, kIidControllerV2)) {}

AAX_VController::~AAX_VController() {
  aax_host::Release(controllerV2_);
  aax_host::Release(controller_);
}

AAX_Result AAX_VController::GetSampleRate(float* rate) const {
  return controller_ ? controller_->GetSampleRate(rate) : kAaxNoHostObject;
}

AAX_Result AAX_VController::GetInputStemFormat(int32_t* stem) const {
  return controller_ ? controller_->GetInputStemFormat(stem) : kAaxNoHostObject;
}

AAX_Result AAX_VController::GetOutputStemFormat(int32_t* stem) const {
  return controller_ ? controller_->GetOutputStemFormat(stem) : kAaxNoHostObject;
}

AAX_Result AAX_VController::SetSignalLatency(int32_t samples) {
  return controller_ ? controller_->SetSignalLatency(samples) : kAaxNoHostObject;
}

AAX_Result AAX_VController::PostPacket(uint32_t packetId, const void* data, uint32_t size) {
  return controller_ ? controller_->PostPacket(packetId, data, size) : kAaxNoHostObject;
}

AAX_Result AAX_VController::Operation20(void** out) {
  if (!controllerV2_) {
    if (out) *out = nullptr;
    return kAaxNotSupported;
  }
  return controllerV2_->Operation20(out);
}
