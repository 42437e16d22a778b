// The demo's embedded input: a short guitar-like riff (palm-muted chugs and ringing power
// chords in E) synthesised with plucked strings (Karplus-Strong), deterministic, mono.
#pragma once

#include <cstdint>
#include <vector>

namespace vst3host {

// About eight seconds at the given rate, peaks near -6 dBFS.
std::vector<float> SynthesiseRiff(uint32_t sampleRate);

}  // namespace vst3host
