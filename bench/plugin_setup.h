// What the amplifier's figures share: the guitar signal they run and the plug-in on the silent
// bench binding, whose ProcessMono is the plug-in's own block routine through the framework's
// float block frame. Set-up only (allocates); the benchmark thread.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "plugin/kavrotel.h"

namespace bench {

constexpr double kPluginRate = 44100;

// One second of plucked open strings (Karplus-Strong), one every 0.2 s, ringing on.
std::vector<float> GuitarSignal();

// A plug-in at default settings, reset as a binding does before the first block, pedal on or off.
std::unique_ptr<Kavrotel> PreparedPlugin(bool pedal);

}  // namespace bench
