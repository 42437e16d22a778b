// The last line of defence at the module boundary: a host call whose body reaches the plug-in's
// own code (initialisation, reset, activation, blocks, state, the editor) answers kInternalError
// if that code throws, since no exception may cross into a host built by another compiler. Any
// thread; it costs nothing otherwise and allocates nothing of its own.
#pragma once

#include "platform/vst3/vst3_base.h"

template <class Body>
Steinberg::tresult GuardedHostCall(Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return Steinberg::kInternalError;
  }
}
