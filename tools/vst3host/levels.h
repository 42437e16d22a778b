// The levels a test host prints for a signal: peak and RMS in dBFS (-200 for silence).
// Any thread; no allocation.
#pragma once

#include <vector>

namespace vst3host {

struct Levels {
  double peakDb;
  double rmsDb;
};
Levels MeasureLevels(const std::vector<float>& signal);

}  // namespace vst3host
