// The state scenario: the one chunk 'KVRL' of 152 bytes (the 19 values as little-endian
// doubles), its bytes at the defaults, a state saved by one effect restored whole by another,
// the comparison the host makes, and records that are refused without changing anything.
#include <cstring>
#include <vector>

#include "tools/aaxhost/scenarios.h"

namespace aaxhost {

namespace {

std::vector<uint8_t> DefaultData() {
  const double values[19] = {40, 25, 25, 18000, 40, 70, 30, 70, 70, 65, 0, 0, -90, 0, 0, 49.44, 3.07, 50.4, 0};
  std::vector<uint8_t> bytes(sizeof values);
  std::memcpy(bytes.data(), values, sizeof values);  // x86-64: little-endian, as stored
  return bytes;
}

std::vector<uint8_t> DataOf(const std::vector<uint8_t>& record) {
  return record.size() < kChunkHeaderBytes ? std::vector<uint8_t>()
                                           : std::vector<uint8_t>(record.begin() + kChunkHeaderBytes, record.end());
}

}  // namespace

void ScenarioState(const std::string& plugin, Checks& c) {
  Session s(plugin, c);
  if (!s.Ok()) return;
  AaxEffect& e = s.effect;
  int32_t id = 0, size = 0;
  c.That(fake_aax::Call<int32_t>(e.Object(), kGetChunkIDFromIndex, int32_t{0}, &id) == 0 && id == kStateChunkId,
         "chunk 0 is 'KVRL'");
  c.That(fake_aax::Call<int32_t>(e.Object(), kGetChunkIDFromIndex, int32_t{1}, &id) == -20006, "there is no chunk 1");
  c.That(fake_aax::Call<int32_t>(e.Object(), kGetChunkSize, kStateChunkId, &size) == 0 && size == 152, "152 bytes");
  const std::vector<uint8_t> defaults = e.GetChunk();
  c.That(DataOf(defaults) == DefaultData(), "at the defaults the chunk holds the 19 default values");
  c.That(e.ChunkEquals(defaults), "the host finds the chunk just saved equal");

  std::string error;
  c.That(e.ApplySettings({"Gain=61.5", "Preamp=Stygra", "Cabinet=Tassoven", "Threshold=-47.25", "Lowpass=12345",
                          "DjentTone=4.5", "PedalBypass=on"},
                         error),
         "settings by name " + error);
  const std::vector<uint8_t> saved = e.GetChunk();
  c.That(!e.ChunkEquals(defaults) && saved.size() == defaults.size() && saved != defaults,
         "moved away from the defaults, the chunk differs");

  {
    AaxEffect twin(s.host);
    if (c.That(twin.Create(s.module, error), "a second effect " + error)) {
      c.That(twin.SetChunk(saved) == 0 && DataOf(twin.GetChunk()) == DataOf(saved) && twin.ChunkEquals(saved),
             "the second effect restores the saved state whole");
      c.That(twin.ValueText("11") == "Stygra" && twin.ValueText("12") == "Tassoven", "with its texts");
    }
    twin.Destroy();
    s.host.SetAutomation(fake_aax::FakeHost::Automation::kEcho, e.Object());
  }

  // Records the effect refuses: the state stays as saved.
  std::vector<uint8_t> bad = defaults;
  const int32_t negative = -5, shortSize = 80;
  std::memcpy(bad.data(), &negative, 4);
  c.That(e.SetChunk(bad) == -20008, "a negative size is refused (-20008)");
  std::memcpy(bad.data(), &shortSize, 4);
  c.That(e.SetChunk(bad) == -20008, "80 bytes are refused (-20008)");
  c.That(!e.ChunkEquals(bad), "an 80-byte chunk is not equal");
  c.That(e.SetChunk(defaults, 0x41424344) == -20007, "another chunk identifier is refused (-20007)");
  c.That(DataOf(e.GetChunk()) == DataOf(saved), "nothing changed");
}

}  // namespace aaxhost
