#include "tools/vst3host/levels.h"

#include <cmath>

namespace vst3host {

Levels MeasureLevels(const std::vector<float>& signal) {
  double peak = 0, sum = 0;
  for (float v : signal) {
    peak = std::fmax(peak, std::fabs(static_cast<double>(v)));
    sum += static_cast<double>(v) * v;
  }
  double rms = signal.empty() ? 0 : std::sqrt(sum / static_cast<double>(signal.size()));
  auto db = [](double x) { return x > 0 ? 20.0 * std::log10(x) : -200.0; };
  return {db(peak), db(rms)};
}

}  // namespace vst3host
