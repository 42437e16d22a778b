// Test signals and a driver that runs blocks through a convolution chain the way the plug-in
// does, checking that every block is answered in full.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class ConvolutionChain;
class ImpulseBuffer;

namespace signals {

using Channels = std::vector<std::vector<float>>;

std::vector<float> Noise(int32_t length, uint32_t seed, float amplitude = 1.0f);

// Noise under an exponential decay, like a measured response.
std::vector<float> DecayingImpulse(int32_t length, uint32_t seed);

// Sets the impulse to the given channels, all of one length.
void Fill(ImpulseBuffer& impulse, const Channels& taps);

// The block size of block number i.
using BlockSizes = std::function<int32_t(int32_t)>;
BlockSizes Fixed(int32_t size);
// A fixed pseudo-random sequence of sizes from 0 to 4096, changing every block (the first 0).
BlockSizes Changing();

// Feeds the input block by block; returns the output. Adds a test failure when SamplesReady(n)
// after Add(n) is not n.
Channels Run(ConvolutionChain& chain, const Channels& input, const BlockSizes& sizes);

// Largest |actual - expected| over the given positions (all when empty), relative to the
// largest |expected|.
double RelativeError(const std::vector<float>& actual, const std::vector<double>& expected,
                     const std::vector<int32_t>& positions = {});

}  // namespace signals
