// Creating an effect for a host: what VSTPluginMain does, portable so that tests call it too.
// The deliverable defines CreateVST2Plugin (its plug-in class on this binding).
#pragma once

#include "bindings/vst2/iplug_vst.h"

// [UI thread, creation lock held; allocates] A new plug-in, or null. May throw.
IPlugVST* CreateVST2Plugin(const IPlugInstanceInfo& info);

namespace vst2_binding {

// [any thread; takes the process-wide creation lock; allocates] A new effect record with every
// preset filled ("Empty", the defaults), or null when the plug-in cannot be made; no exception
// leaves it. A null host callback gives a working effect that calls no host.
vst2::AEffect* CreateEffect(vst2::audioMasterCallback host) noexcept;

}  // namespace vst2_binding
