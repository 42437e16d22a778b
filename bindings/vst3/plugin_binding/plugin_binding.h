// The plug-in class's base in the VST3 deliverable: IPlugVST3 itself, which needs no instance
// information. Found through kavrotel_vst3_plugin_binding's include directory only, so that
// nothing else linking the binding sees this name.
#pragma once

#include "bindings/vst3/iplug_vst3.h"
#include "core/module_instance.h"

using PluginInstanceInfo = IPlugInstanceInfo;
using PluginBinding = IPlugVST3;

// The handle the module entry recorded (DllMain, InitDll).
inline void* PluginModuleInstance() { return ModuleInstance(); }
