// AAX_GuardHostCall: the body of a slot the host calls, with no exception let out into the
// host's frames: an exception (an allocation failure, an out-of-range text position) answers
// 0x8000FFFF. Every host-facing slot of the library runs its body through this, and so should
// a derived class's override of one.
#pragma once

#include "platform/aax/aax_host_abi.h"

template <class Body>
AAX_Result AAX_GuardHostCall(Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return kAcfUnexpected;
  }
}
