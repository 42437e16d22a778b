// AAX_IEffectParameters: the effect-parameters component object as the host holds it: the
// host-facing interface first (so the object's host pointer is the interface's), the
// reference-counted base second. The host's QueryInterface, AddRef and Release reach the
// base's outer unknown. Answers the two effect-parameters identifiers with the host-facing
// interface.
#pragma once

#include "aax/acf_unknown.h"
#include "platform/aax/aax_effect_abi.h"

class AAX_IEffectParameters : public AAX_IACFEffectParameters_V2, public CACFUnknown {
 public:
  AAX_Result QueryInterface(const AcfIID& iid, void** out) override { return GetOuterUnknown()->QueryInterface(iid, out); }
  uint32_t AddRef() override { return GetOuterUnknown()->AddRef(); }
  uint32_t Release() override { return GetOuterUnknown()->Release(); }

  AAX_Result InternalQueryInterface(const AcfIID& iid, void** out) override {
    if (out && (iid == kIidEffectParameters || iid == kIidEffectParametersV2)) {
      auto* self = static_cast<AAX_IACFEffectParameters_V2*>(this);
      *out = self;
      self->AddRef();
      return kAaxOk;
    }
    return CACFUnknown::InternalQueryInterface(iid, out);
  }

  // For derived classes: the library's default adds nothing and answers 0.
  virtual AAX_Result InitEffect() = 0;

 protected:
  ~AAX_IEffectParameters() override = default;
};
