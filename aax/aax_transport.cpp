#include "aax/aax_transport.h"

#include "aax/aax_host_object.h"

AAX_VTransport::AAX_VTransport(IACFUnknown* host)
    : transport_(aax_host::Query<AAX_IACFTransport>(host, kIidTransport)),
      transportV2_(aax_host::Query<AAX_IACFTransport_V2>(host, kIidTransportV2)) {}

AAX_VTransport::~AAX_VTransport() {
  aax_host::Release(transportV2_);
  aax_host::Release(transport_);
}

void* AAX_VTransport::AbiDeletingDestructor(uint32_t flags) {
  if (flags & 1u) {
    delete this;
  } else {
    this->~AAX_VTransport();
  }
  return this;
}

AAX_Result AAX_VTransport::GetTempo(double* bpm) const { return transport_ ? transport_->GetTempo(bpm) : kAaxNoHostObject; }

AAX_Result AAX_VTransport::GetTimeSignature(int32_t* numerator, int32_t* denominator) const {
  return transport_ ? transport_->GetTimeSignature(numerator, denominator) : kAaxNoHostObject;
}

AAX_Result AAX_VTransport::IsPlaying(bool* playing) const {
  return transport_ ? transport_->IsPlaying(playing) : kAaxNoHostObject;
}

AAX_Result AAX_VTransport::GetTickPosition(int64_t* ticks) const {
  return transport_ ? transport_->GetTickPosition(ticks) : kAaxNoHostObject;
}

AAX_Result AAX_VTransport::GetLoop(bool* looping, int64_t* startTick, int64_t* endTick) const {
  return transport_ ? transport_->GetLoop(looping, startTick, endTick) : kAaxNoHostObject;
}

AAX_Result AAX_VTransport::GetSamplePosition(int64_t* sample) const {
  return transport_ ? transport_->GetSamplePosition(sample) : kAaxNoHostObject;
}
