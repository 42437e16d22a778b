// The plug-in's convolution: a 512-tap impulse through the chain (direct taps 0 to 63, one
// FFT-128 engine for the rest, no latency) at several block sizes, beside direct convolutions
// with eight (vectorised) and four partial sums and zita-convolver (partition 64, 64 samples of
// latency).
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

using Process = bench::BlockProcess;

// The plug-in's use: Add, SamplesReady, read the output back into its double buffer, Advance.
Process ChainProcess(ConvolutionChain& chain, std::vector<double>& converted) {
  converted.assign(kSignal, 0.0);
  return [&chain, &converted](const float* in, float*, int32_t n) {
    const float* channels[1] = {in};
    chain.Add(channels, n, 1);
    const int32_t ready = chain.SamplesReady(n);
    const float* result = chain.Get()[0];
    for (int32_t k = 0; k < ready; ++k) converted[k] = result[k];
    chain.Advance(ready);
  };
}

void ConvolutionFigures() {
  const std::vector<float> taps = Impulse();
  ImpulseBuffer impulse;
  impulse.SetLength(kTaps);
  std::copy(taps.begin(), taps.end(), impulse.GetChannel(0));
  for (int32_t block : {1, 32, 64, 256, 1024}) {
    const std::string suffix = std::to_string(block);
    ConvolutionChain chain;
    chain.SetImpulse(impulse, 0, 0, 0, 0, 0);
    bench::DirectConvolver<8> direct(taps.data(), kTaps, block);
    bench::DirectConvolver<4> fourSums(taps.data(), kTaps, block);
    std::vector<double> converted;
    std::vector<Process> processes = {ChainProcess(chain, converted),
                                      [&direct](const float* in, float* out, int32_t n) { direct.Process(in, out, n); },
                                      [&fourSums](const float* in, float* out, int32_t n) { fourSums.Process(in, out, n); }};
    std::unique_ptr<bench::ConvolverPeer> zita = block == 64 ? bench::MakeZitaPeer(taps.data(), kTaps) : nullptr;
    if (zita) processes.push_back([&zita](const float* in, float* out, int32_t) { zita->Process64(in, out); });
    const std::vector<double> ns = bench::NanosecondsPerSample(Noise(kSignal, 1.0f), block, processes, 21, 2000);
    bench::Report("conv512_ns_per_sample_" + suffix, ns[0], "ns");
    bench::Report("direct512_ns_per_sample_" + suffix, ns[1], "ns");
    bench::Report("conv512_vs_direct_" + suffix, ns[0] / ns[1], "ratio");
    bench::Report("direct512_4sums_ns_per_sample_" + suffix, ns[2], "ns");
    bench::Report("conv512_vs_direct_4sums_" + suffix, ns[0] / ns[2], "ratio");
    if (zita) {
      bench::Report("zita512_ns_per_sample_64", ns[3], "ns");
      bench::Report("conv512_vs_zita_64", ns[0] / ns[3], "ratio");
    }
  }
  // Block sizes 1 and 64 side by side, interleaved, for their ratio.
  ConvolutionChain single, sixtyFour;
  single.SetImpulse(impulse, 0, 0, 0, 0, 0);
  sixtyFour.SetImpulse(impulse, 0, 0, 0, 0, 0);
  const std::vector<float> input = Noise(kSignal, 1.0f);
  std::vector<float> output(kSignal);
  std::vector<double> convertedOne, convertedBlocks;
  const Process one = ChainProcess(single, convertedOne), blocks = ChainProcess(sixtyFour, convertedBlocks);
  const std::vector<double> ns = bench::MedianNanoseconds(
      {[&] {
         for (int32_t start = 0; start < kSignal; ++start) one(input.data() + start, output.data() + start, 1);
       },
       [&] {
         for (int32_t start = 0; start < kSignal; start += 64) blocks(input.data() + start, output.data() + start, 64);
       }},
      21, 2000);
  bench::Report("conv512_block1_vs_block64", ns[0] / ns[1], "ratio");
}

}  // namespace

KAVROTEL_BENCH_AREA("conv", ConvolutionFigures);
