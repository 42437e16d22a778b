// The deliverable's create function: one Kavrotel on the VST2 binding (the binding's entry holds
// the creation lock).
#include <new>

#include "bindings/vst2/vst2_entry.h"
#include "plugin/kavrotel.h"

IPlugVST* CreateVST2Plugin(const IPlugInstanceInfo& info) { return new (std::nothrow) Kavrotel(info); }
