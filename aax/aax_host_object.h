// How the wrappers reach host objects: a query of the host's IACFUnknown, or an instance made
// by the host's class factory; both give null on any failure and never touch a null host.
// Every pointer obtained here holds one reference, released by ReleaseHostObject.
#pragma once

#include "platform/aax/aax_host_abi.h"

namespace aax_host {

// The host object's interface `iid`, or null.
template <class I>
I* Query(IACFUnknown* host, const AcfIID& iid) {
  if (!host) return nullptr;
  void* out = nullptr;
  if (host->QueryInterface(iid, &out) != kAaxOk) return nullptr;
  return static_cast<I*>(out);
}

// A new instance of host class `clsid` with interface `iid`, made by the host's class factory.
template <class I>
I* Create(IACFUnknown* host, const AcfIID& clsid, const AcfIID& iid) {
  IACFClassFactory* factory = Query<IACFClassFactory>(host, kIidClassFactory);
  if (!factory) return nullptr;
  void* out = nullptr;
  const AAX_Result r = factory->CreateInstance(clsid, nullptr, iid, &out);
  factory->Release();
  return r == kAaxOk ? static_cast<I*>(out) : nullptr;
}

// Releases one reference and forgets the pointer; nothing for null.
template <class I>
void Release(I*& object) {
  if (object) {
    I* o = object;
    object = nullptr;
    o->Release();
  }
}

}  // namespace aax_host
