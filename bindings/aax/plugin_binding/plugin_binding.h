// The plug-in class's base in the AAX deliverable: IPlugAAX, which needs no instance
// information. Found through kavrotel_aax_plugin_binding's include directory only.
#pragma once

#include "bindings/aax/iplug_aax.h"
#include "core/module_instance.h"

using PluginInstanceInfo = IPlugAAXInstanceInfo;
using PluginBinding = IPlugAAX;

// The handle DllMain recorded.
inline void* PluginModuleInstance() { return ModuleInstance(); }
