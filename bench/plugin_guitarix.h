// GuitarixAmp: Guitarix's amplifier plug-in gxamp, loaded through lilv as an LV2 host would, to
// measure the same signal through it. Benchmark only; where lilv or the plug-in is missing,
// Load answers null. Its smallest block is 64 samples.
#pragma once

#include <memory>

class GuitarixAmp {
 public:
  static constexpr int kMinBlock = 64;

  // Null when the plug-in or a feature it requires cannot be had.
  static std::unique_ptr<GuitarixAmp> Load(double sampleRate, int maxBlock);
  ~GuitarixAmp();

  // Mono float block of at most maxBlock samples.
  void Process(const float* in, float* out, int frames);

  struct State;

 private:
  explicit GuitarixAmp(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};
