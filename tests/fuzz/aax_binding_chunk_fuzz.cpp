// Fuzz target: the AAX binding's chunk entry points on the deliverable's effect (Kavrotel on the
// fake host). The input is a state-chunk record as a host hands it over: its 56-byte header
// (missing bytes read 0), the size field and the identifier among them, then the data. The
// identifier is also the one the host names to SetChunk. The record holds exactly as many data
// bytes as a non-negative size field says (zeros past the input; at most 64 KiB), so that the
// sanitizer catches a read past it; a negative size comes with the input's bytes. SetChunk, then
// CompareChunk and GetChunk. Properties: SetChunk answers -20007 for another identifier, -20008
// for a size shorter than the state (a negative one among them) and 0 otherwise; a refused
// record leaves the state's bytes as they were; an accepted one gives each value (clamped to its
// range, a NaN the default) and the state's own chunk then compares equal; a record of ours
// shorter than the state never compares equal.
//
// One instance serves every input: Initialize prepares the amplifier's models, which is slow,
// so it runs once, and each input starts from the default state restored through SetChunk.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "bindings/aax/iplug_aax.h"
#include "platform/aax/aax_state_chunk.h"
#include "tests/fuzz/fuzz_input.h"
#include "tools/aaxhost/fake_host.h"

namespace {

constexpr int32_t kKvrl = 0x4B56524C;
constexpr int32_t kMaxData = 1 << 16;

using Record = std::unique_ptr<unsigned char[]>;

Record NewRecord(size_t dataBytes) { return Record(new unsigned char[AAX_SStateChunk::kHeaderBytes + dataBytes]()); }
AAX_SStateChunk* Chunk(const Record& r) { return reinterpret_cast<AAX_SStateChunk*>(r.get()); }

struct Effect {
  Effect() {
    host.SetLogging(false);  // the log would only grow
    plug = static_cast<IPlugAAX*>(static_cast<AAX_IEffectParameters*>(
        static_cast<AAX_IACFEffectParameters_V2*>(AAX_CIPlugParameters::Create())));
    FUZZ_REQUIRE(plug);
    Interface()->AddRef();
    FUZZ_REQUIRE(Interface()->Initialize(static_cast<IACFUnknown*>(host.Context())) == 0);
    defaults = State(&defaultRecord);
    FUZZ_REQUIRE(defaults.size() == 8u * static_cast<size_t>(plug->GetParameterCount()));
  }
  AAX_IACFEffectParameters_V2* Interface() { return static_cast<AAX_IACFEffectParameters_V2*>(plug); }
  // The state's bytes through GetChunk, its record (identifier filled in as a host does) kept.
  std::vector<uint8_t> State(Record* record) {
    int32_t size = -1;
    FUZZ_REQUIRE(plug->GetChunkSize(kKvrl, &size) == 0 && size >= 0);
    *record = NewRecord(static_cast<size_t>(size));
    FUZZ_REQUIRE(plug->GetChunk(kKvrl, Chunk(*record)) == 0);
    FUZZ_REQUIRE(Chunk(*record)->size == size);
    Chunk(*record)->identifier = kKvrl;
    const unsigned char* data = Chunk(*record)->Data();
    return std::vector<uint8_t>(data, data + size);
  }

  fake_aax::FakeHost host;
  IPlugAAX* plug = nullptr;
  Record defaultRecord;
  std::vector<uint8_t> defaults;
};

Effect& TheEffect() {
  static Effect* effect = new Effect;  // lives as long as the process
  return *effect;
}

// What a restore gives a parameter from its stored double.
double Restored(const IParameter& p, const uint8_t* bytes) {
  double stored = 0.0;
  std::memcpy(&stored, bytes, sizeof stored);  // x86: little-endian
  if (std::isnan(stored)) return p.GetDefault();
  return stored < p.GetMin() ? p.GetMin() : (stored > p.GetMax() ? p.GetMax() : stored);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Effect& fx = TheEffect();
  IPlugAAX* plug = fx.plug;
  FUZZ_REQUIRE(plug->SetChunk(kKvrl, Chunk(fx.defaultRecord)) == 0);
  Record scratch;
  FUZZ_REQUIRE(fx.State(&scratch) == fx.defaults);

  // The record: the header from the input, then exactly the data its size field counts.
  unsigned char header[AAX_SStateChunk::kHeaderBytes] = {};
  const size_t headerBytes = size < sizeof header ? size : sizeof header;
  if (headerBytes) std::memcpy(header, data, headerBytes);
  const uint8_t* body = data + headerBytes;
  const size_t present = size - headerBytes;
  int32_t sizeField = 0;
  int32_t identifier = 0;
  std::memcpy(&sizeField, header, 4);
  std::memcpy(&identifier, header + 20, 4);
  const size_t dataBytes = sizeField < 0 ? present : static_cast<size_t>(sizeField < kMaxData ? sizeField : kMaxData);
  Record record = NewRecord(dataBytes);
  std::memcpy(record.get(), header, sizeof header);
  const size_t copied = present < dataBytes ? present : dataBytes;
  if (copied) std::memcpy(Chunk(record)->Data(), body, copied);

  bool equal = false;
  FUZZ_REQUIRE(plug->CompareChunk(Chunk(record), &equal) == 0);
  if (identifier != kKvrl) FUZZ_REQUIRE(equal);
  const int32_t stateBytes = 8 * plug->GetParameterCount();
  if (identifier == kKvrl && sizeField < stateBytes) FUZZ_REQUIRE(!equal);

  const AAX_Result set = plug->SetChunk(identifier, Chunk(record));
  Record after;
  const std::vector<uint8_t> state = fx.State(&after);
  if (identifier != kKvrl || sizeField < stateBytes) {
    FUZZ_REQUIRE(set == (identifier != kKvrl ? kAaxUnknownChunk : kAaxChunkSizeInvalid));
    FUZZ_REQUIRE(state == fx.defaults);
    return 0;
  }
  FUZZ_REQUIRE(set == 0);
  for (int32_t i = 0; i < plug->GetParameterCount(); ++i) {
    const IParameter& p = *plug->GetParameter(i);
    FUZZ_REQUIRE(p.Value() == Restored(p, Chunk(record)->Data() + 8 * i));
  }
  bool same = false;
  FUZZ_REQUIRE(plug->CompareChunk(Chunk(after), &same) == 0);
  FUZZ_REQUIRE(same);
  return 0;
}
