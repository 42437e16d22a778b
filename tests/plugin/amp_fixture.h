// A headless Kavrotel on the recording test binding, prepared as a host would, with helpers to
// set plain parameter values and run signals through the float and the double block paths.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "plugin/kavrotel.h"
#include "plugin/parameter_table.h"
#include "tests/plugin/reference_amp.h"

namespace amp_test {

inline std::unique_ptr<Kavrotel> MakePrepared() {
  auto plug = std::make_unique<Kavrotel>(PluginInstanceInfo{});
  plug->Prepare(44100.0);
  return plug;
}

// Sets a plain value the way a state restore does: the record, then ParameterChanged.
inline void SetPlain(Kavrotel& plug, int32_t index, double value) {
  LockGuard guard(plug.GetLock());
  plug.GetParameter(index)->Set(value);
  plug.ParameterChanged(index);
}

inline void Apply(Kavrotel& plug, const reference::Settings& s) {
  const double values[kParamCount] = {
      s.gain, s.input, s.master, s.lowpass, s.highpass, s.bass, s.mid, s.treble, s.presence,
      s.depth, double(s.preamp), double(s.cabinet), s.threshold, 0, 0, s.djentGain, s.djentTone,
      s.djentTone2, s.pedalOn ? 1.0 : 0.0};
  for (int32_t i = 0; i < kParamCount; ++i) SetPlain(plug, i, values[i]);
}

// The float path, as a binding runs it: host float buffers, in blocks of `block`.
inline std::vector<double> RunFloat(Kavrotel& plug, const std::vector<double>& in, int block) {
  std::vector<double> out;
  std::vector<float> inBlock, outBlock;
  for (size_t start = 0; start < in.size(); start += block) {
    const int n = int(std::min<size_t>(block, in.size() - start));
    inBlock.assign(in.begin() + start, in.begin() + start + n);
    outBlock.assign(n, 0.0f);
    float* ins[1] = {inBlock.data()};
    float* outs[1] = {outBlock.data()};
    plug.ProcessHostBlock(ins, 1, outs, 1, n);
    out.insert(out.end(), outBlock.begin(), outBlock.end());
  }
  return out;
}

// The double path, as the 64-bit host paths run it: ProcessBlock straight on host buffers.
inline std::vector<double> RunDouble(Kavrotel& plug, std::vector<double> in, int block,
                                     bool inPlace = false) {
  std::vector<double> out(in.size());
  for (size_t start = 0; start < in.size(); start += block) {
    const int n = int(std::min<size_t>(block, in.size() - start));
    double* ins[1] = {in.data() + start};
    double* outs[1] = {inPlace ? in.data() + start : out.data() + start};
    LockGuard guard(plug.GetLock());
    plug.ProcessBlock(ins, outs, n);
  }
  return inPlace ? in : out;
}

// A guitar-like test signal: plucked strings (Karplus-Strong) on E2, A2, D3 and a chord, with
// decays and a pause, fixed seed.
inline std::vector<double> GuitarSignal(int samples) {
  std::vector<double> out(samples, 0.0);
  uint32_t seed = 12345;
  auto noise = [&seed]() {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / double(1 << 24) * 2 - 1;
  };
  const double notes[][2] = {{0, 82.41}, {0.25, 110.0}, {0.5, 146.83}, {0.75, 82.41},
                             {0.75, 123.47}, {0.75, 196.0}};
  for (const auto& note : notes) {
    const int start = int(note[0] * 44100), period = int(44100 / note[1]);
    std::vector<double> line(period);
    for (double& v : line) v = 0.4 * noise();
    for (int i = start, k = 0; i < samples; ++i, ++k) {
      const int j = k % period;
      const double next = line[(j + 1) % period];
      line[j] = 0.996 * 0.5 * (line[j] + next);
      out[i] += line[j];
    }
  }
  return out;
}

inline double MaxDifference(const std::vector<double>& a, const std::vector<double>& b) {
  double worst = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) worst = std::max(worst, std::fabs(a[i] - b[i]));
  return worst;
}

}  // namespace amp_test
