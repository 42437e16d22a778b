// Rendering a mono signal through a plug-in instance, as a host would: parameter settings
// given by name go to the plug-in through the first block's parameter queues (and to the
// controller), then the signal runs block by block.
#pragma once

#include <string>
#include <vector>

#include "tools/vst3host/levels.h"
#include "tools/vst3host/plugin_session.h"

namespace vst3host {

struct ParameterSetting {
  ParamID id;
  ParamValue normalized;
};

// Turns "Name=value" texts into settings through the controller: the name is a parameter
// title (the first one with that title) or a parameter id; the value is a plain value or a
// list entry's text, converted by the plug-in itself. False with a reason for an unknown
// name or a value the plug-in does not accept.
bool ResolveSettings(IEditController* controller, const std::vector<std::string>& texts,
                     std::vector<ParameterSetting>& settings, std::string& error);

// Renders the whole signal in blocks of blockSize (32-bit processing). False when a block fails.
bool RenderSignal(PluginInstance& instance, const std::vector<ParameterSetting>& settings, const std::vector<float>& in,
                  int32 blockSize, std::vector<float>& out, std::string& error);


}  // namespace vst3host
