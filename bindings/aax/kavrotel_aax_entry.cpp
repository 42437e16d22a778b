// The deliverable's description and create function: Kavrotel, described from its record and
// made by the plug-in's own factory (which holds the creation lock).
#include "aax/acf_exports.h"
#include "bindings/aax/iplug_aax.h"
#include "plugin/kavrotel.h"
#include "plugin/kavrotel_descriptor.h"

IPlugAAX* CreateAAXPlugin() { return CreatePluginInstance(); }

AAX_Result DescribePlugIn(AAX_ICollection* collection) { return DescribeIPlugEffect(collection, kKavrotelDescriptor); }
