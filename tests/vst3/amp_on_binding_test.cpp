// The amplifier on the VST3 binding in one process: the deliverable's create function and
// factory, driven through the interfaces as a host drives them. Natively this runs under the
// sanitizers (the DLL tests run the same code across the DLL boundary under Wine): a whole
// session with the real signal path, its state carried to a second instance, both sample sizes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/dsp/counting_heap.h"
#include "tests/vst3/amp_instance.h"
#include "tools/vst3host/automation_render.h"
#include "tools/vst3host/conformance.h"
#include "tools/vst3host/host_objects.h"
#include "tools/vst3host/riff_synth.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using vst3host::HostApplication;
using vst3host::MemoryStream;
using vst3host::MonoProcessData;
using vst3host::ParameterChanges;

constexpr int32 kBlock = 512;
constexpr int32 kBlocks = 24;  // about a quarter of a second

// One amplifier instance, with blocks of the test's size rendered through it.
class Instance : public AmpInstance {
 public:
  Instance(HostApplication& host, int32 sampleSize) : AmpInstance(host, sampleSize, kBlock), sampleSize_(sampleSize) {}

  // Renders blocks of the signal from first on: 32-bit output, or 64-bit output, as doubles.
  std::vector<double> Render(const std::vector<float>& signal, size_t first, int32 blocks) {
    std::vector<double> out;
    for (int32 b = 0; b < blocks; ++b) {
      const float* in = signal.data() + first + static_cast<size_t>(b) * kBlock;
      std::vector<double> block = sampleSize_ == kSample32 ? Block<float>(in) : Block<double>(in);
      out.insert(out.end(), block.begin(), block.end());
      pending_ = nullptr;
    }
    return out;
  }
  // Hands the changes to the next block's parameter queues.
  void ApplyBeforeNextBlock(IParameterChanges* changes) { pending_ = changes; }

 private:
  template <class Sample>
  std::vector<double> Block(const float* signal) {
    std::vector<Sample> in(signal, signal + kBlock), out(kBlock, Sample(99));
    MonoProcessData<Sample> block(in.data(), out.data(), kBlock, pending_);
    EXPECT_EQ(processor()->process(block.data), kResultOk);
    return std::vector<double>(out.begin(), out.end());
  }

  int32 sampleSize_;
  IParameterChanges* pending_ = nullptr;
};

double Rms(const std::vector<double>& signal) {
  double sum = 0;
  for (double v : signal) sum += v * v;
  return signal.empty() ? 0 : std::sqrt(sum / static_cast<double>(signal.size()));
}

std::vector<uint8> Save(IEditController* controller) {
  MemoryStream stream;
  EXPECT_EQ(controller->getState(&stream), kResultOk);
  return stream.Bytes();
}

class AmpOnBinding : public ::testing::Test {
 protected:
  AmpOnBinding() : riff(vst3host::SynthesiseRiff(44100)) {
    settings.Add(0, 0.8);   // Gain
    settings.Add(10, 1.0);  // Preamp: Stygra
    settings.Add(11, 1.0);  // Cabinet: Orrindal
    settings.Add(12, 0.5);  // Threshold: the gate on
    settings.Add(18, 1.0);  // PedalBypass: the pedal on
  }
  HostApplication host{"Unit test host"};
  std::vector<float> riff;
  ParameterChanges settings;
};

TEST_F(AmpOnBinding, AFreshInstanceIsHeardFromItsFirstBlock) {
  Instance amp(host, kSample32);
  ASSERT_TRUE(amp.Ok());
  // The riff's first note starts at once; every filter must be designed before this block.
  std::vector<double> out = amp.Render(riff, 0, 1);
  for (double v : out) ASSERT_TRUE(std::isfinite(v));
  EXPECT_GT(Rms(out), 1e-3);
}

TEST_F(AmpOnBinding, StateSavedByOneInstanceRestoresIdenticallyInAnother) {
  Instance a(host, kSample32), b(host, kSample32);
  ASSERT_TRUE(a.Ok() && b.Ok());
  std::vector<float> silence(kBlock, 0.0f);
  a.ApplyBeforeNextBlock(&settings);
  a.Render(silence, 0, 1);  // silence: the changes leave no signal history behind
  std::vector<uint8> saved = Save(a.controller());
  ASSERT_EQ(saved.size(), 156u);

  MemoryStream stream(saved);
  ASSERT_EQ(b.controller()->setState(&stream), kResultOk);
  EXPECT_EQ(Save(b.controller()), saved);
  b.Render(silence, 0, 1);
  std::vector<double> fromA = a.Render(riff, 0, kBlocks), fromB = b.Render(riff, 0, kBlocks);
  EXPECT_EQ(fromA, fromB);
  EXPECT_GT(Rms(fromA), 1e-3);
}

// The 32-bit path converts around the same double-precision block that the 64-bit path runs
// directly, so its output is the 64-bit output rounded to float, sample for sample.
TEST_F(AmpOnBinding, ThirtyTwoBitOutputIsTheSixtyFourBitOutputRounded) {
  Instance single(host, kSample32), dual(host, kSample64);
  ASSERT_TRUE(single.Ok() && dual.Ok());
  single.ApplyBeforeNextBlock(&settings);
  dual.ApplyBeforeNextBlock(&settings);
  std::vector<double> out32 = single.Render(riff, 0, kBlocks), out64 = dual.Render(riff, 0, kBlocks);
  ASSERT_EQ(out32.size(), out64.size());
  size_t differing = 0;
  for (size_t i = 0; i < out32.size(); ++i) differing += out32[i] != static_cast<double>(static_cast<float>(out64[i]));
  EXPECT_EQ(differing, 0u);
  EXPECT_GT(Rms(out64), 1e-3);
}

// Every parameter, the bypass and the preset changed through the queue inside process, at block
// sizes up to the announced one, from the first block after the set-up on: nothing allocated
// there (the framework's heap and operator new counted). The set-up is counted too, and
// allocates, so the count is live.
class AmpOnBindingRealtime : public ::testing::TestWithParam<int32> {};

TEST_P(AmpOnBindingRealtime, ProcessAllocatesNothingWhateverTheQueueChanges) {
  HostApplication host{"Unit test host"};
  vst3host::AutomationRender render(kBlock, GetParam());
  const int64_t beforeSetUp = counting_heap::Allocations();
  Instance amp(host, GetParam());
  ASSERT_TRUE(amp.Ok());
  EXPECT_GT(counting_heap::Allocations() - beforeSetUp, 0);
  for (int pass = 0; pass < 2; ++pass) {
    const int64_t before = counting_heap::Allocations();
    EXPECT_EQ(render.Run(amp.processor()), 0);
    EXPECT_EQ(counting_heap::Allocations() - before, 0) << "pass " << pass;
  }
  EXPECT_TRUE(render.AllFinite());
  EXPECT_GT(render.Peak(), 1e-3);
}

INSTANTIATE_TEST_SUITE_P(SampleSizes, AmpOnBindingRealtime, ::testing::Values(kSample32, kSample64));

// The amplifier's own parameters (lists, shaped ranges, groups) through the checks a host's
// validator makes of the surface.
TEST_F(AmpOnBinding, TheSurfacePassesTheConformanceChecks) {
  Instance amp(host, kSample32);
  ASSERT_TRUE(amp.Ok());
  vst3host::Checks checks("amplifier");
  vst3host::CheckConformance(amp.component(), amp.processor(), amp.controller(), checks);
  EXPECT_EQ(checks.Failed(), 0);
  EXPECT_GT(checks.Passed(), 500);
}

}  // namespace
