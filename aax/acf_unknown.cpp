#include "aax/acf_unknown.h"

std::atomic<int32_t> ACFObjectCount{0};

CACFUnknown::CACFUnknown() : outerUnknown_(&privateUnknown_), privateUnknown_(this) { ACFObjectCount.fetch_add(1); }

CACFUnknown::~CACFUnknown() { ACFObjectCount.fetch_sub(1); }

void CACFUnknown::DeleteThis() { delete this; }

AAX_Result CACFUnknown::InternalQueryInterface(const AcfIID& iid, void** out) {
  if (!out) return kAcfNoInterface;
  *out = nullptr;
  if (iid == kIidAcfUnknown) {
    *out = &privateUnknown_;
    privateUnknown_.AddRef();
    return kAaxOk;
  }
  return kAcfNoInterface;
}

uint32_t CACFUnknown::InternalAddRef() { return refCount_.fetch_add(1) + 1; }

uint32_t CACFUnknown::InternalRelease() {
  const uint32_t count = refCount_.fetch_sub(1) - 1;  // a copy: the object may be gone below
  if (count == 0) {
    OnFinalRelease();
    DeleteThis();
  }
  return count;
}
