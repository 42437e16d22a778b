// Kavrotel's facts: the one record the plug-in class, the VST3 factory and every binding read
// for names, vendor, identifiers, version and channel layout. A constant of static lifetime,
// initialised before any code runs; read from any thread.
#pragma once

#include "core/plugin_descriptor.h"

extern const PluginDescriptor kKavrotelDescriptor;
