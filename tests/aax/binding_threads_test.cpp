// Two host threads on one AAX instance, as a host drives it: the audio thread renders blocks
// through the registered procedure while the UI thread sends the host's updates (the master
// bypass and a model switch among them), asks the editor's way through the host's automation,
// reads texts and values, and saves, compares and restores the state chunk. Outputs stay finite;
// under ThreadSanitizer (halt_on_error) any value the two threads share without an atomic or the
// lock ends the run with a report.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "aax/aax_string.h"
#include "tests/aax/binding_fixture.h"
#include "tests/aax/chunk_record.h"

namespace {

constexpr int32_t kBlock = 256;
constexpr int32_t kBlocks = 1500;
constexpr int32_t kRounds = 300;

TEST_F(AaxBindingTest, ThreadsAudioAndUiOnOneInstance) {
  Create();
  host.SetLogging(false);  // the fake host's log is test code, not shared safely
  std::atomic<bool> audioDone{false};
  int64_t notFinite = 0;

  std::thread audio([&] {
    std::vector<float> in(kBlock), out(kBlock);
    for (int32_t b = 0; b < kBlocks; ++b) {
      for (int32_t i = 0; i < kBlock; ++i) in[i] = 0.5f * std::sin(0.05f * static_cast<float>(b * kBlock + i));
      Render(in, out);
      for (float v : out) notFinite += !std::isfinite(v);
    }
    audioDone = true;
  });

  std::thread ui([&] {
    int32_t size = 0;
    plug->GetChunkSize(kKvrl, &size);
    ChunkRecord saved(static_cast<size_t>(size));
    for (int32_t round = 0; round < kRounds; ++round) {
      const std::string id = std::to_string(1 + round % 19);
      plug->UpdateParameterNormalizedValue(id.c_str(), std::fmod(0.37 * round, 1.0), 0);
      plug->UpdateParameterNormalizedValue("MasterBypassID", round % 4 == 3 ? 1.0 : 0.0, 0);
      if (round % 25 == 0) plug->UpdateParameterNormalizedValue("11", (round / 25) % 2, 0);  // a model switch
      plug->SetParameterNormalizedValue("2", 0.5);  // a request to the host, which does not answer
      AAX_CString text;
      plug->GetParameterValueString(id.c_str(), &text, 32);
      double value = 0.0;
      plug->GetParameterNormalizedValue(id.c_str(), &value);
      if (round % 10 == 0) {
        plug->GetChunk(kKvrl, saved.Get());
        saved.Get()->identifier = kKvrl;
        bool equal = false;
        plug->CompareChunk(saved.Get(), &equal);
        plug->SetChunk(kKvrl, saved.Get());
      }
    }
  });

  audio.join();
  ui.join();
  EXPECT_TRUE(audioDone.load());
  EXPECT_EQ(notFinite, 0);
  host.SetLogging(true);
}

}  // namespace
