// What the amplifier's figures share: the guitar signal they run, the plug-in on the silent
// bench binding, whose ProcessMono is the plug-in's own block routine through the framework's
// float block frame, and the formats' figures beside that routine. Set-up only (allocates); the benchmark thread.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "bench/measure.h"
#include "plugin/kavrotel.h"

namespace bench {

constexpr double kPluginRate = 44100;

// One second of plucked open strings (Karplus-Strong), one every 0.2 s, ringing on.
std::vector<float> GuitarSignal();

// A plug-in at default settings, reset as a binding does before the first block, pedal on or off.
std::unique_ptr<Kavrotel> PreparedPlugin(bool pedal);

// The whole plug-in through a format's process call (hosted) beside its own block routine, in
// blocks of 64 on the guitar signal, interleaved in one run: "<format>_64_ns_per_sample",
// "<format>_routine_64_ns_per_sample" and "<format>_vs_plugin_64".
void ReportFormatFigures(const char* format, const BlockProcess& hosted);

}  // namespace bench
