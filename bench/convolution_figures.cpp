// The plug-in's convolution: a 512-tap impulse through the chain (direct taps 0 to 63, one
// FFT-128 engine for the rest, no latency) at several block sizes, beside a well-written direct
// convolution and zita-convolver (partition 64, 64 samples of latency).
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/direct_reference.h"
#include "bench/measure.h"
#include "bench/peers.h"
#include "bench/registry.h"
#include "dsp/convolution_chain.h"
#include "dsp/impulse_buffer.h"

namespace {

constexpr int32_t kTaps = 512;
constexpr int32_t kSignal = 8192;

std::vector<float> Noise(int32_t length, float amplitude) {
  std::vector<float> samples(length);
  for (float& s : samples) s = amplitude * (static_cast<float>(std::rand()) / RAND_MAX - 0.5f);
  return samples;
}

std::vector<float> Impulse() {
  std::vector<float> taps = Noise(kTaps, 1.0f);
  for (int32_t m = 0; m < kTaps; ++m) taps[m] *= std::exp(-4.0f * m / kTaps);
  return taps;
}

// Nanoseconds per sample to run the whole signal through process(input, output, n) in blocks.
template <class Process>
double PerSample(int32_t block, Process process) {
  const std::vector<float> input = Noise(kSignal, 1.0f);
  std::vector<float> output(kSignal);
  const double perSignal = bench::MedianNanoseconds([&] {
    for (int32_t start = 0; start + block <= kSignal; start += block) {
      process(input.data() + start, output.data() + start, block);
    }
  }, 11, 4000);
  return perSignal / (kSignal / block * block);
}

double ChainPerSample(const std::vector<float>& taps, int32_t block) {
  ImpulseBuffer impulse;
  impulse.SetLength(kTaps);
  std::copy(taps.begin(), taps.end(), impulse.GetChannel(0));
  ConvolutionChain chain;
  chain.SetImpulse(impulse, 0, 0, 0, 0, 0);
  return PerSample(block, [&](const float* in, float* out, int32_t n) {
    const float* channels[1] = {in};
    chain.Add(channels, n, 1);
    const int32_t ready = chain.SamplesReady(n);
    const float* result = chain.Get()[0];
    std::copy(result, result + ready, out);
    chain.Advance(ready);
  });
}

void ConvolutionFigures() {
  const std::vector<float> taps = Impulse();
  double block64 = 0.0;
  for (int32_t block : {1, 32, 64, 256, 1024}) {
    const std::string suffix = std::to_string(block);
    const double ours = ChainPerSample(taps, block);
    if (block == 64) block64 = ours;
    bench::DirectConvolver direct(taps.data(), kTaps, block);
    const double plain = PerSample(block, [&](const float* in, float* out, int32_t n) { direct.Process(in, out, n); });
    bench::Report("conv512_ns_per_sample_" + suffix, ours, "ns");
    bench::Report("direct512_ns_per_sample_" + suffix, plain, "ns");
    bench::Report("conv512_vs_direct_" + suffix, ours / plain, "ratio");
  }
  bench::Report("conv512_block1_vs_block64", ChainPerSample(taps, 1) / block64, "ratio");

  if (std::unique_ptr<bench::ConvolverPeer> zita = bench::MakeZitaPeer(taps.data(), kTaps)) {
    const double theirs = PerSample(64, [&](const float* in, float* out, int32_t) { zita->Process64(in, out); });
    bench::Report("zita512_ns_per_sample_64", theirs, "ns");
    bench::Report("conv512_vs_zita_64", block64 / theirs, "ratio");
  }
}

}  // namespace

KAVROTEL_BENCH_AREA("conv", ConvolutionFigures);
