// Two host threads on one amplifier through the VST2 record, as a host drives it: the audio
// thread runs blocks through the three entries with parameter changes between them while the
// UI thread reads texts and values, changes parameters, stores and restores programs and banks
// and switches programs. Outputs must stay finite; under ThreadSanitizer (halt_on_error) any
// value the two threads share without an atomic or the lock ends the run with a report.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "tests/vst2/hosted_effect.h"

namespace {

using namespace vst2;

constexpr int32_t kBlock = 128;
constexpr int32_t kBlocks = 3000;
constexpr int32_t kRounds = 400;

TEST(Vst2AmpThreads, AudioAndUiThreadsOnOneInstance) {
  HostedEffect e;
  ASSERT_NE(e.effect, nullptr);
  AEffect* effect = e.effect;
  std::atomic<bool> uiDone{false};
  int64_t notFinite = 0;

  std::thread audio([&] {
    std::vector<float> in(kBlock), out(kBlock);
    std::vector<double> inD(kBlock), outD(kBlock);
    float* inputs[] = {in.data()};
    float* outputs[] = {out.data()};
    double* inputsD[] = {inD.data()};
    double* outputsD[] = {outD.data()};
    for (int32_t b = 0; b < kBlocks; ++b) {
      for (int32_t i = 0; i < kBlock; ++i) inD[i] = in[i] = 0.5f * std::sin(0.05f * static_cast<float>(b * kBlock + i));
      effect->setParameter(effect, b % 19, std::fmod(0.29f * static_cast<float>(b), 1.0f));
      effect->dispatcher(effect, effProcessEvents, 0, 0, nullptr, 0);
      switch (b % 3) {
        case 0: effect->processReplacing(effect, inputs, outputs, kBlock); break;
        case 1: effect->process(effect, inputs, outputs, kBlock); break;
        default:
          effect->processDoubleReplacing(effect, inputsD, outputsD, kBlock);
          for (int32_t i = 0; i < kBlock; ++i) out[i] = static_cast<float>(outD[i]);
      }
      for (float v : out) notFinite += !std::isfinite(v);
    }
  });

  std::thread ui([&] {
    char text[64];
    for (int32_t round = 0; round < kRounds; ++round) {
      for (int32_t p = 0; p < 19; ++p) {
        effect->dispatcher(effect, effGetParamDisplay, p, 0, text, 0);
        effect->dispatcher(effect, effGetParamName, p, 0, text, 0);
        effect->getParameter(effect, p);
      }
      effect->setParameter(effect, round % 19, std::fmod(0.61f * static_cast<float>(round), 1.0f));
      void* data = nullptr;
      const VstIntPtr size = effect->dispatcher(effect, effGetChunk, round % 2, 0, &data, 0);
      if (size > 0 && round % 5 == 0) {
        std::vector<uint8_t> copy(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
        effect->dispatcher(effect, effSetChunk, round % 2, size, copy.data(), 0);
      }
      if (round % 7 == 0) effect->dispatcher(effect, effSetProgram, 0, 0, nullptr, 0);
      effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0);
    }
    uiDone = true;
  });

  audio.join();
  ui.join();
  EXPECT_TRUE(uiDone.load());
  EXPECT_EQ(notFinite, 0);
}

}  // namespace
