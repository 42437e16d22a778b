#include "tests/dsp/signals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "dsp/convolution_chain.h"
#include "dsp/impulse_buffer.h"

namespace signals {

std::vector<float> Noise(int32_t length, uint32_t seed, float amplitude) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> value(-amplitude, amplitude);
  std::vector<float> samples(length);
  for (float& s : samples) s = value(rng);
  return samples;
}

std::vector<float> DecayingImpulse(int32_t length, uint32_t seed) {
  std::vector<float> taps = Noise(length, seed);
  for (int32_t m = 0; m < length; ++m) taps[m] *= static_cast<float>(std::exp(-3.0 * m / length));
  return taps;
}

void Fill(ImpulseBuffer& impulse, const Channels& taps) {
  impulse.SetChannelCount(static_cast<int32_t>(taps.size()));
  impulse.SetLength(static_cast<int32_t>(taps[0].size()));
  for (size_t c = 0; c < taps.size(); ++c) std::copy(taps[c].begin(), taps[c].end(), impulse.GetChannel(c));
}

BlockSizes Fixed(int32_t size) {
  return [size](int32_t) { return size; };
}

BlockSizes Changing() {
  return [](int32_t i) {
    static const int32_t kSizes[] = {0, 4096, 7, 64, 63, 1000, 2, 100, 3333, 65, 1, 0, 512, 129, 4095, 31};
    return kSizes[i % 16];
  };
}

Channels Run(ConvolutionChain& chain, const Channels& input, const BlockSizes& sizes) {
  const int32_t channels = static_cast<int32_t>(input.size());
  const int32_t length = static_cast<int32_t>(input[0].size());
  Channels output(channels, std::vector<float>(length, 0.0f));
  for (int32_t start = 0, block = 0; start < length; ++block) {
    const int32_t n = std::min(sizes(block), length - start);
    const float* pointers[2] = {input[0].data() + start, input[channels - 1].data() + start};
    chain.Add(pointers, n, channels);
    const int32_t ready = chain.SamplesReady(n);
    if (ready != n) {
      ADD_FAILURE() << "block " << block << " of " << n << " samples: " << ready << " ready";
      return output;
    }
    float* const* out = chain.Get();
    for (int32_t c = 0; c < channels; ++c) std::copy(out[c], out[c] + n, output[c].begin() + start);
    chain.Advance(n);
    start += n;
  }
  return output;
}

double RelativeError(const std::vector<float>& actual, const std::vector<double>& expected,
                     const std::vector<int32_t>& positions) {
  double peak = 0.0, worst = 0.0;
  auto visit = [&](size_t t) {
    peak = std::max(peak, std::fabs(expected[t]));
    worst = std::max(worst, std::fabs(actual[t] - expected[t]));
  };
  if (positions.empty()) {
    for (size_t t = 0; t < expected.size(); ++t) visit(t);
  } else {
    for (int32_t t : positions) visit(static_cast<size_t>(t));
  }
  return peak > 0.0 ? worst / peak : worst;
}

}  // namespace signals
