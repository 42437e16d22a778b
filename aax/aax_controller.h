// The host's controller (sample rate, stem formats, latency, packets) behind AAX_IController.
// Forwarding rule of every wrapper: a missing host object answers kAaxNoHostObject (primary)
// or kAaxNotSupported (newer interface) without touching out arguments; otherwise the host's
// result is returned unchanged. Called on the host's UI thread and from the render path.
#pragma once

#include <cstdint>

#include "platform/aax/aax_host_abi.h"

class AAX_IController {
 public:
  virtual ~AAX_IController() = default;
  virtual AAX_Result GetSampleRate(float* rate) const = 0;
  virtual AAX_Result GetInputStemFormat(int32_t* stem) const = 0;  // low 16 bits: channels
  virtual AAX_Result GetOutputStemFormat(int32_t* stem) const = 0;
  virtual AAX_Result SetSignalLatency(int32_t samples) = 0;
  virtual AAX_Result PostPacket(uint32_t packetId, const void* data, uint32_t size) = 0;
  // The 20th operation of the host's table (newer interface); writes null without it.
  virtual AAX_Result Operation20(void** out) = 0;
};

class AAX_VController final : public AAX_IController {
 public:
  explicit AAX_VController(IACFUnknown* host);
  AAX_VController(const AAX_VController&) = delete;
  AAX_VController& operator=(const AAX_VController&) = delete;
  ~AAX_VController() override;

  AAX_Result GetSampleRate(float* rate) const override;
  AAX_Result GetInputStemFormat(int32_t* stem) const override;
  AAX_Result GetOutputStemFormat(int32_t* stem) const override;
  AAX_Result SetSignalLatency(int32_t samples) override;
  AAX_Result PostPacket(uint32_t packetId, const void* data, uint32_t size) override;
  AAX_Result Operation20(void** out) override;

 private:
  AAX_IACFController* controller_;
  AAX_IACFController_V2* controllerV2_;
};
