// GuitarixAmp: Guitarix's amplifier plug-in gxamp, loaded through lilv as an LV2 host would, to
// measure the same signal through it. Benchmark only: native builds require it (lilv at build
// time, the guitarix-lv2 bundle at run time); the Windows build has no peers. Its smallest block
// is 64 samples.
#pragma once

#include <memory>
#include <string>

class GuitarixAmp {
 public:
  static constexpr int kMinBlock = 64;

  // Whether this build measures Guitarix at all (false in the Windows build).
  static bool InThisBuild();

  // [benchmark thread] Null, with the reason in *failure, when the plug-in or a feature it
  // requires cannot be had.
  static std::unique_ptr<GuitarixAmp> Load(double sampleRate, int maxBlock, std::string* failure);
  ~GuitarixAmp();

  // Mono float block of at most maxBlock samples.
  void Process(const float* in, float* out, int frames);

  struct State;

 private:
  explicit GuitarixAmp(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};
