// The plug-in class's base in the VST2 deliverable: IPlugVST, which takes the host's callback.
// Found through kavrotel_vst2_plugin_binding's include directory only, so that nothing else
// linking the binding sees this name.
#pragma once

#include "bindings/vst2/iplug_vst.h"
#include "core/module_instance.h"

using PluginInstanceInfo = IPlugInstanceInfo;
using PluginBinding = IPlugVST;

// The handle DllMain recorded.
inline void* PluginModuleInstance() { return ModuleInstance(); }
