// CACFUnknown: the reference-counted base of every component object handed to the AAX host.
// A component class derives from its host-facing interface first and from this second; the
// interface's QueryInterface, AddRef and Release forward to GetOuterUnknown(). The count starts
// at 0; the Release that brings it to 0 destroys the object. Any thread; no locks (atomics).
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/aax/aax_host_abi.h"

// Live CACFUnknown objects in the process (reported to the host by the unload query).
extern std::atomic<int32_t> ACFObjectCount;

class CACFUnknown {
 public:
  CACFUnknown();
  CACFUnknown(const CACFUnknown&) = delete;
  CACFUnknown& operator=(const CACFUnknown&) = delete;
  virtual ~CACFUnknown();

  virtual int32_t ReservedOperation() { return 0; }
  virtual void OnFinalRelease() {}
  virtual void DeleteThis();
  // 0 and one added reference for a supported identifier; kAcfNoInterface and a null out
  // otherwise; a null out pointer is refused with kAcfNoInterface and nothing written.
  virtual AAX_Result InternalQueryInterface(const AcfIID& iid, void** out);
  virtual uint32_t InternalAddRef();
  virtual uint32_t InternalRelease();

  IACFUnknown* GetOuterUnknown() const { return outerUnknown_; }
  IACFUnknown* GetPrivateUnknown() { return &privateUnknown_; }

 private:
  // Forwards the three operations to the owner's Internal ones.
  class PrivateUnknown final : public IACFUnknown {
   public:
    explicit PrivateUnknown(CACFUnknown* owner) : owner_(owner) {}
    AAX_Result QueryInterface(const AcfIID& iid, void** out) override { return owner_->InternalQueryInterface(iid, out); }
    uint32_t AddRef() override { return owner_->InternalAddRef(); }
    uint32_t Release() override { return owner_->InternalRelease(); }

   private:
    CACFUnknown* owner_;
  };

  std::atomic<uint32_t> refCount_{0};
  IACFUnknown* outerUnknown_;
  PrivateUnknown privateUnknown_;
};
