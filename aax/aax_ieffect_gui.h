// AAX_IEffectGUI: the editor component object as the host holds it: the host-facing interface
// first, the reference-counted base second; answers the effect-GUI identifier with the
// host-facing interface.
#pragma once

#include "aax/acf_unknown.h"
#include "platform/aax/aax_effect_abi.h"

class AAX_IEffectGUI : public AAX_IACFEffectGUI, public CACFUnknown {
 public:
  AAX_Result QueryInterface(const AcfIID& iid, void** out) override { return GetOuterUnknown()->QueryInterface(iid, out); }
  uint32_t AddRef() override { return GetOuterUnknown()->AddRef(); }
  uint32_t Release() override { return GetOuterUnknown()->Release(); }

  AAX_Result InternalQueryInterface(const AcfIID& iid, void** out) override {
    if (out && iid == kIidEffectGui) {
      auto* self = static_cast<AAX_IACFEffectGUI*>(this);
      *out = self;
      self->AddRef();
      return kAaxOk;
    }
    return CACFUnknown::InternalQueryInterface(iid, out);
  }

 protected:
  ~AAX_IEffectGUI() override = default;
};
