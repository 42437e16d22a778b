// The amplifier through the three audio entries of the record, on the riff: the float and
// double entries agree, the accumulating one adds exactly what the replacing one writes (shown
// on twin instances, since the amplifier carries state), the host's inputs are never written,
// a block longer than announced is processed whole, and no audio-thread path allocates.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/dsp/counting_heap.h"
#include "tests/vst2/hosted_effect.h"
#include "tools/vst3host/riff_synth.h"

namespace {

using namespace vst2;

constexpr int32_t kBlock = 512;
constexpr int32_t kBlocks = 24;

std::vector<float> Riff() { return vst3host::SynthesiseRiff(44100); }

// The amplifier set away from its defaults: a louder gain, the second preamp, the gate and pedal.
void Configure(HostedEffect& e) {
  e.effect->setParameter(e.effect, 0, 0.8f);
  e.effect->setParameter(e.effect, 10, 1.0f);
  e.effect->setParameter(e.effect, 11, 1.0f);
  e.effect->setParameter(e.effect, 12, 0.5f);
  e.effect->setParameter(e.effect, 18, 1.0f);
}

std::vector<float> Slice(const std::vector<float>& s, int32_t block, int32_t frames = kBlock) {
  return std::vector<float>(s.begin() + block * kBlock, s.begin() + block * kBlock + frames);
}

double Rms(const std::vector<float>& s) {
  double sum = 0;
  for (float v : s) sum += static_cast<double>(v) * v;
  return s.empty() ? 0 : std::sqrt(sum / static_cast<double>(s.size()));
}

TEST(Vst2AmpProcess, AFreshInstanceIsHeardFromItsFirstBlock) {
  HostedEffect e;
  std::vector<float> out = e.Replacing(Slice(Riff(), 0));
  for (float v : out) ASSERT_TRUE(std::isfinite(v));
  EXPECT_GT(Rms(out), 1e-3);
}

// The float entries convert around the same double block the double entry runs directly.
TEST(Vst2AmpProcess, FloatOutputIsTheDoubleOutputRounded) {
  HostedEffect single, dual;
  Configure(single);
  Configure(dual);
  const std::vector<float> riff = Riff();
  size_t differing = 0;
  double energy = 0;
  for (int32_t b = 0; b < kBlocks; ++b) {
    std::vector<float> in = Slice(riff, b);
    std::vector<double> inDouble(in.begin(), in.end());
    std::vector<float> out = single.Replacing(in);
    std::vector<double> outDouble = dual.DoubleReplacing(inDouble);
    for (int32_t i = 0; i < kBlock; ++i) {
      differing += out[i] != static_cast<float>(outDouble[i]);
      energy += outDouble[i] * outDouble[i];
    }
  }
  EXPECT_EQ(differing, 0u);
  EXPECT_GT(energy, 1e-3);
}

TEST(Vst2AmpProcess, AccumulatingAddsTheReplacingOutputToWhatTheBufferHeld) {
  HostedEffect replacing, accumulating;
  Configure(replacing);
  Configure(accumulating);
  const std::vector<float> riff = Riff();
  for (int32_t b = 0; b < kBlocks; ++b) {
    std::vector<float> in = Slice(riff, b);
    std::vector<float> r = replacing.Replacing(in);
    std::vector<float> prefill(kBlock), acc(kBlock);
    for (int32_t i = 0; i < kBlock; ++i) prefill[i] = acc[i] = 0.25f * std::sin(0.01f * static_cast<float>(i + b));
    accumulating.Accumulating(in, acc);
    // Within single-precision rounding of the one addition.
    for (int32_t i = 0; i < kBlock; ++i)
      ASSERT_NEAR(acc[i], prefill[i] + r[i], 2.5e-7 * (std::fabs(prefill[i]) + std::fabs(r[i])) + 1e-30)
          << b << " " << i;
  }
}

TEST(Vst2AmpProcess, TheDoubleEntryNeverWritesTheHostsInput) {
  HostedEffect e;
  Configure(e);
  const std::vector<float> riff = Riff();
  for (int32_t b = 0; b < 4; ++b) {
    std::vector<float> in = Slice(riff, b);
    std::vector<double> input(in.begin(), in.end()), copy = input;
    e.DoubleReplacing(input);
    ASSERT_EQ(input, copy);
  }
}

// A host announcing 512 and sending 2048 gets all 2048 processed, exactly as a host that
// announced 2048.
TEST(Vst2AmpProcess, ABlockLongerThanAnnouncedIsProcessedWhole) {
  HostedEffect announced512(true, 512), announced2048(true, 2048), doubles(true, 512);
  const std::vector<float> riff = Riff();
  std::vector<float> in = Slice(riff, 0, 2048);
  std::vector<double> inDouble(in.begin(), in.end());
  std::vector<float> grown = announced512.Replacing(in), expected = announced2048.Replacing(in);
  std::vector<double> grownDouble = doubles.DoubleReplacing(inDouble);
  EXPECT_EQ(grown, expected);
  for (size_t i = 0; i < grown.size(); ++i) ASSERT_EQ(grown[i], static_cast<float>(grownDouble[i])) << i;
  EXPECT_GT(Rms(std::vector<float>(grown.end() - 512, grown.end())), 1e-4);
}

TEST(Vst2AmpProcess, InPlaceAndDegenerateBlocks) {
  HostedEffect a, b;
  std::vector<float> in = Slice(Riff(), 0);
  std::vector<float> expected = a.Replacing(in);
  std::vector<float> buffer = in;
  float* io[] = {buffer.data()};
  b.effect->processReplacing(b.effect, io, io, kBlock);
  EXPECT_EQ(buffer, expected);
  b.effect->processReplacing(b.effect, io, io, 0);
  b.effect->processReplacing(b.effect, io, io, -5);
  b.effect->processReplacing(b.effect, nullptr, nullptr, kBlock);
  b.effect->processDoubleReplacing(b.effect, nullptr, nullptr, kBlock);
  float* nulls[] = {nullptr};
  b.effect->process(b.effect, nulls, nulls, kBlock);
  double* doubleNulls[] = {nullptr};
  b.effect->processDoubleReplacing(b.effect, doubleNulls, doubleNulls, kBlock);
}

// Every host-reachable audio-thread path after set-up: the three entries, parameter changes on
// every parameter (model switches included) between and inside runs of blocks, reading them
// back, and the dispatcher calls hosts make from the audio thread. The set-up is counted too,
// and allocates, so the count is live.
class Vst2AmpRealtime : public ::testing::TestWithParam<int> {};

TEST_P(Vst2AmpRealtime, NoAudioThreadPathAllocates) {
  const int64_t beforeSetUp = counting_heap::Allocations();
  HostedEffect e;
  ASSERT_NE(e.effect, nullptr);
  EXPECT_GT(counting_heap::Allocations() - beforeSetUp, 0);
  const std::vector<float> riff = Riff();
  std::vector<float> in(kBlock), out(kBlock);
  std::vector<double> inDouble(kBlock), outDouble(kBlock);
  float* inputs[] = {in.data()};
  float* outputs[] = {out.data()};
  double* inputsDouble[] = {inDouble.data()};
  double* outputsDouble[] = {outDouble.data()};
  VstMidiEvent note{};
  note.type = kVstMidiType;
  note.byteSize = sizeof note;
  VstEvents events{1, 0, {reinterpret_cast<VstEvent*>(&note), nullptr}};

  for (int pass = 0; pass < 2; ++pass) {
    const int64_t before = counting_heap::Allocations();
    for (int32_t b = 0; b < kBlocks; ++b) {
      for (int32_t i = 0; i < kBlock; ++i) inDouble[i] = in[i] = riff[static_cast<size_t>(b * kBlock + i)];
      const int32_t param = b % 19;
      e.effect->setParameter(e.effect, param, std::fmod(0.37f * static_cast<float>(b + pass), 1.0f));
      e.effect->setParameter(e.effect, 10, static_cast<float>(b % 2));
      e.effect->setParameter(e.effect, 11, static_cast<float>(b % 3) / 2.0f);
      e.effect->getParameter(e.effect, param);
      e.Dispatch(effProcessEvents, 0, 0, &events);
      e.Dispatch(effStartProcess);
      e.Dispatch(effGetProgram);
      e.Dispatch(effIdle);
      e.Dispatch(effGetTailSize);
      switch (GetParam()) {
        case 0: e.effect->processReplacing(e.effect, inputs, outputs, kBlock); break;
        case 1: e.effect->process(e.effect, inputs, outputs, kBlock); break;
        default: e.effect->processDoubleReplacing(e.effect, inputsDouble, outputsDouble, kBlock); break;
      }
      e.Dispatch(effStopProcess);
    }
    EXPECT_EQ(counting_heap::Allocations() - before, 0) << "entry " << GetParam() << ", pass " << pass;
  }
  for (int32_t i = 0; i < kBlock; ++i) ASSERT_TRUE(std::isfinite(out[i]) && std::isfinite(outDouble[i]));
}

INSTANTIATE_TEST_SUITE_P(Entries, Vst2AmpRealtime, ::testing::Values(0, 1, 2));

}  // namespace
