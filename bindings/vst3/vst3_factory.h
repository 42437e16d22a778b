// The module's factory: its information records, filled from Kavrotel's record of facts
// (plugin/kavrotel_descriptor.h), the one registered class and the create function. GetFactory
// implements the export GetPluginFactory (portable, so native tests call it directly). The
// plug-in side provides CreateVST3Plugin, which constructs one instance.
#pragma once

#include "platform/vst3/vst3_plugin_factory_interfaces.h"

class IPlugVST3;

// Defined by the deliverable (the plug-in's factory) or by a test: a new instance, or null.
// May throw; the binding catches.
IPlugVST3* CreateVST3Plugin();

namespace vst3_binding {

// [host thread at load time; takes no lock, hosts ask from one thread; allocates] The live
// factory with one more reference for the caller; null when it cannot be built.
Steinberg::IPluginFactory* GetFactory();

// [host thread; the plug-in's creation lock serialises it; allocates] The create function of
// the one class: the new object's IAudioProcessor as its base interface with one reference, or
// null when construction failed or threw.
Steinberg::FUnknown* CreateVST3Instance(void* context);

}  // namespace vst3_binding
