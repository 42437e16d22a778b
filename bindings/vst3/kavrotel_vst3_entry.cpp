// The deliverable's create function: one Kavrotel, made by the plug-in's own factory (which
// holds the creation lock).
#include "bindings/vst3/vst3_factory.h"
#include "plugin/kavrotel.h"

IPlugVST3* CreateVST3Plugin() { return CreatePluginInstance(); }
