// Fuzz target: IPlugBase's state reader (ReadState/UnserializeParams), the chunk header reader
// and the preset-bank reader, on the amplifier's parameter set over a recording test binding
// with four presets. Each input is a run of calls, each on a chunk of its own bytes.
// Properties: UnserializeParams stores exactly what its contract says (clamped values up to
// the first one the chunk lacks, that one 0 clamped, the rest kept; a NaN restores the
// default; the end position or -1); a header refused leaves the position where it was; a bank
// that ends before its first entry leaves every preset as it was; after a bank the current
// preset holds the current state; every value stays inside its range and every preset name
// stays terminated; nothing is read outside the chunk (AddressSanitizer).
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "tests/core/plug_fixtures.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

constexpr int32_t kPresets = 4;
constexpr int32_t kChunkMagic = 0x70666674;

std::vector<uint8_t> StateBytes(TestBinding& plug) {
  IStateChunk chunk;
  FUZZ_REQUIRE(plug.SerializeParams(chunk));
  return std::vector<uint8_t>(chunk.Data(), chunk.Data() + chunk.Size());
}

struct PresetCopy {
  bool initialized;
  std::vector<char> name;
  std::vector<uint8_t> state;
  bool operator==(const PresetCopy& o) const { return initialized == o.initialized && name == o.name && state == o.state; }
};

std::vector<PresetCopy> Presets(const TestBinding& plug) {
  std::vector<PresetCopy> out;
  for (int32_t i = 0; i < plug.GetPresetCount(); ++i) {
    const IPreset* p = plug.GetPreset(i);
    const uint8_t* data = p->chunk.Data();
    out.push_back({p->initialized, std::vector<char>(p->name, p->name + IPreset::kNameCapacity),
                   std::vector<uint8_t>(data, data + p->chunk.Size())});
  }
  return out;
}

double Clamped(const IParameter& p, double v) { return v < p.GetMin() ? p.GetMin() : (v > p.GetMax() ? p.GetMax() : v); }

// The values and end position UnserializeParams must leave, from the values before.
int32_t ExpectedRestore(const TestBinding& plug, const IStateChunk& chunk, int32_t position, std::vector<double>& values) {
  for (int32_t i = 0; i < plug.GetParameterCount() && position >= 0; ++i) {
    const IParameter& p = *plug.GetParameter(i);
    if (position > chunk.Size() - 8) {
      values[i] = Clamped(p, 0.0);
      return -1;
    }
    double stored = IStateChunk::DecodeDouble(chunk.Data() + position);
    values[i] = std::isnan(stored) ? p.GetDefault() : Clamped(p, stored);
    position += 8;
  }
  return position;
}

std::vector<double> Values(const TestBinding& plug) {
  std::vector<double> out;
  for (int32_t i = 0; i < plug.GetParameterCount(); ++i) out.push_back(plug.GetParameter(i)->Value());
  return out;
}

void CheckInvariants(const TestBinding& plug) {
  for (int32_t i = 0; i < plug.GetParameterCount(); ++i) {
    const IParameter& p = *plug.GetParameter(i);
    FUZZ_REQUIRE(p.Value() >= p.GetMin() && p.Value() <= p.GetMax());
  }
  for (int32_t i = 0; i < plug.GetPresetCount(); ++i) {
    const IPreset* preset = plug.GetPreset(i);
    FUZZ_REQUIRE(std::memchr(preset->name, 0, IPreset::kNameCapacity) != nullptr);
    FUZZ_REQUIRE(!preset->initialized || preset->chunk.Size() == 8 * plug.GetParameterCount());
  }
}

// A start position: mostly 0 or just past a header, sometimes anything.
int32_t Position(FuzzInput& in) {
  switch (in.Below(4)) {
    case 0: return 0;
    case 1: return 8;
    case 2: return static_cast<int32_t>(in.Byte()) - 16;
    default: return in.I32();
  }
}

void RunRestore(TestBinding& plug, const IStateChunk& chunk, int32_t position) {
  std::vector<double> expected = Values(plug);
  int32_t expectedEnd = ExpectedRestore(plug, chunk, position, expected);
  int32_t end = plug.ReadState(chunk, position);
  FUZZ_REQUIRE(end == expectedEnd);
  std::vector<double> values = Values(plug);
  for (size_t i = 0; i < values.size(); ++i) FUZZ_REQUIRE(values[i] == expected[i]);
}

void RunHeader(TestBinding& plug, const IStateChunk& chunk, int32_t position) {
  int32_t at = position;
  int32_t version = plug.ReadChunkHeader(chunk, &at);
  const bool magic = position >= 0 && position <= chunk.Size() - 4 &&
                     IStateChunk::DecodeInt32(chunk.Data() + position) == kChunkMagic;
  if (!magic) {
    FUZZ_REQUIRE(version == 0 && at == position);
  } else if (position <= chunk.Size() - 8) {
    FUZZ_REQUIRE(at == position + 8 && version == IStateChunk::DecodeInt32(chunk.Data() + position + 4));
  } else {
    FUZZ_REQUIRE(version == 0 && at == -1);
  }
}

void RunBank(TestBinding& plug, const IStateChunk& chunk, int32_t position) {
  std::vector<PresetCopy> before = Presets(plug);
  int32_t end = plug.ReadAllPresets(chunk, position);
  FUZZ_REQUIRE(end == -1 || (end >= position && end <= chunk.Size()));
  const bool noFirstEntry = position < 0 || position > chunk.Size() - 4 ||
                            IStateChunk::DecodeInt32(chunk.Data() + position) < 0;
  if (noFirstEntry) FUZZ_REQUIRE(Presets(plug) == before);
  const IPreset* current = plug.GetPreset(plug.GetCurrentPresetIndex());
  FUZZ_REQUIRE(current && current->initialized);
  std::vector<uint8_t> state = StateBytes(plug);
  FUZZ_REQUIRE(state == std::vector<uint8_t>(current->chunk.Data(), current->chunk.Data() + current->chunk.Size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  std::unique_ptr<TestBinding> plug = MakeAmpLikePlug(kPresets);
  plug->FillEmptyPresets(kPresets);
  plug->ApplyPreset(static_cast<int32_t>(in.Below(kPresets)));
  for (int32_t i = 0; i < plug->GetParameterCount(); ++i)
    if (in.Bool()) plug->GetParameter(i)->SetNormalized(in.Below(101) / 100.0);

  while (!in.Empty()) {
    const uint8_t op = in.Byte();
    const int32_t position = Position(in);
    size_t length = 0;
    const uint8_t* bytes = in.Bytes(static_cast<size_t>(in.Byte()) * 4 + in.Below(4), &length);
    IStateChunk chunk;
    FUZZ_REQUIRE(chunk.PutBytes(bytes, static_cast<int32_t>(length)));
    switch (op % 3) {
      case 0: RunRestore(*plug, chunk, position); break;
      case 1: RunHeader(*plug, chunk, position); break;
      default: RunBank(*plug, chunk, position); break;
    }
    CheckInvariants(*plug);
  }
  return 0;
}
