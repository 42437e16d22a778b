// The host's transport object behind AAX_ITransport. The library bases create one when they
// initialise; the render path reads the host's own AAX_ITransport instead, so this one only
// forwards the six reading operations. Owners hold it as AAX_VTransport.
#pragma once

#include <cstdint>

#include "platform/aax/aax_host_abi.h"

class AAX_VTransport final : public AAX_ITransport {
 public:
  explicit AAX_VTransport(IACFUnknown* host);
  AAX_VTransport(const AAX_VTransport&) = delete;
  AAX_VTransport& operator=(const AAX_VTransport&) = delete;
  ~AAX_VTransport();

  void* AbiDeletingDestructor(uint32_t flags) override;
  AAX_Result GetTempo(double* bpm) const override;
  AAX_Result GetTimeSignature(int32_t* numerator, int32_t* denominator) const override;
  AAX_Result IsPlaying(bool* playing) const override;
  AAX_Result GetTickPosition(int64_t* ticks) const override;
  AAX_Result GetLoop(bool* looping, int64_t* startTick, int64_t* endTick) const override;
  AAX_Result GetSamplePosition(int64_t* sample) const override;

 private:
  AAX_IACFTransport* transport_;
  AAX_IACFTransport_V2* transportV2_;
};
