// FObject: the layer's reference counter and class-name queries for the helper classes that
// hand interfaces to a host. The count starts at 1; the last release deletes the object.
// Not an interface: its virtual destructor lives only in our own classes' vtables.
#pragma once

#include <atomic>

#include "platform/vst3/vst3_base.h"

namespace Steinberg {

class FObject {
 public:
  FObject() = default;
  FObject(const FObject&) = delete;
  FObject& operator=(const FObject&) = delete;
  virtual ~FObject() = default;

  // Any thread; no allocation.
  uint32 AddReference() { return static_cast<uint32>(++refCount_); }
  uint32 ReleaseReference() {
    int32 left = --refCount_;
    if (left == 0) delete this;
    return static_cast<uint32>(left < 0 ? 0 : left);
  }

  virtual FIDString isA() const { return "FObject"; }
  virtual bool isTypeOf(FIDString name, bool askBaseClass = true) const {
    (void)askBaseClass;
    return name && std::strcmp(name, "FObject") == 0;
  }

 private:
  std::atomic<int32> refCount_{1};
};

}  // namespace Steinberg
