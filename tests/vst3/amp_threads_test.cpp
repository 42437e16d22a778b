// Two host threads on one amplifier through the VST3 binding, as a host drives it: the audio
// thread processes blocks with parameter queues (ordinary parameters and the bypass) while the
// UI thread uses the controller and saves and restores the state. Outputs must stay finite and
// every call must succeed; under ThreadSanitizer (halt_on_error) any value the two threads
// share without an atomic or the lock ends the run with a report.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <iterator>
#include <thread>
#include <vector>

#include "bindings/vst3/iplug_vst3.h"
#include "tests/vst3/amp_instance.h"
#include "tools/vst3host/host_objects.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using vst3host::HostApplication;
using vst3host::MemoryStream;
using vst3host::MonoProcessData;
using vst3host::ParameterChanges;

constexpr int32 kBlock = 128;
constexpr int32 kBlocks = 4000;
constexpr int32 kControllerRounds = 1600;
constexpr int32 kRoundsPerRestore = 100;
constexpr ParamID kParamCount = 19;
constexpr ParamID kQueuedParams[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};

// A value in 0..1 that differs from round to round and from parameter to parameter.
double Sweep(int32 round, ParamID id) { return std::fmod(0.37 * round + 0.11 * id, 1.0); }

class AmpThreads : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(amp_.Ok()); }

  // The audio thread: every block changes one parameter and every seventh flips the bypass.
  // Returns the samples that were not finite, or -1 when a block was refused.
  int64_t Process() {
    std::vector<float> in(kBlock), out(kBlock);
    int64_t notFinite = 0;
    for (int32 b = 0; b < kBlocks; ++b) {
      for (int32 i = 0; i < kBlock; ++i) in[i] = 0.5f * std::sin(0.05f * static_cast<float>(b * kBlock + i));
      ParameterChanges changes;
      ParamID id = kQueuedParams[b % std::size(kQueuedParams)];
      changes.Add(id, Sweep(b, id));
      if (b % 7 == 0) changes.Add(IPlugVST3::kBypassParamId, (b / 7) % 2 ? 1.0 : 0.0);
      MonoProcessData<float> block(in.data(), out.data(), kBlock, &changes);
      if (processor_->process(block.data) != kResultOk) return -1;
      for (float v : out) notFinite += !std::isfinite(v);
    }
    return notFinite;
  }

  // The UI thread: the controller's conversions and texts on every parameter, the values
  // written without the lock, the state saved every round and restored now and then. Returns
  // the calls that failed.
  int32 Control() {
    int32 failed = 0;
    std::vector<uint8> saved;
    for (int32 round = 0; round < kControllerRounds; ++round) {
      for (ParamID id = 0; id < kParamCount; ++id) {
        ParamValue value = Sweep(round, id);
        failed += controller_->setParamNormalized(id, value) != kResultOk;
        ParamValue back = controller_->getParamNormalized(id);
        failed += !(back >= 0.0 && back <= 1.0);
        String128 text{};
        failed += controller_->getParamStringByValue(id, value, text) != kResultOk;
        ParamValue parsed = -1;
        failed += controller_->getParamValueByString(id, text, parsed) != kResultOk;
        failed += !(parsed >= 0.0 && parsed <= 1.0);
        ParamValue plain = controller_->normalizedParamToPlain(id, value);
        failed += !std::isfinite(controller_->plainParamToNormalized(id, plain));
      }
      ParamValue bypass = controller_->getParamNormalized(IPlugVST3::kBypassParamId);
      failed += bypass != 0.0 && bypass != 1.0;
      MemoryStream stream;
      failed += controller_->getState(&stream) != kResultOk;
      if (round % kRoundsPerRestore == 0) saved = stream.Bytes();
      if (round % kRoundsPerRestore == kRoundsPerRestore - 1) {
        MemoryStream restore(saved);
        failed += controller_->setState(&restore) != kResultOk;
      }
    }
    return failed;
  }

  HostApplication host_{"Unit test host"};
  AmpInstance amp_{host_, kSample32, kBlock};
  IAudioProcessor* processor_ = amp_.processor();
  IEditController* controller_ = amp_.controller();
};

TEST_F(AmpThreads, ControllerAndStateCallsDuringBlocksShareNoPlainValue) {
  std::atomic<int> waiting{2};
  auto startTogether = [&waiting] {
    --waiting;
    while (waiting.load() > 0) std::this_thread::yield();
  };
  int64_t notFinite = 0;
  int32 failed = 0;
  std::thread audio([&] {
    startTogether();
    notFinite = Process();
  });
  std::thread ui([&] {
    startTogether();
    failed = Control();
  });
  audio.join();
  ui.join();
  EXPECT_EQ(notFinite, 0);
  EXPECT_EQ(failed, 0);
}

}  // namespace
