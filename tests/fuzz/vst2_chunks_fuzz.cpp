// Fuzz target: effSetChunk with program and bank chunks on a live Kavrotel through the VST2
// binding. Chunks are built from the input: the instance's own program or bank chunk altered
// (cut short, lengthened, a byte changed, a value replaced by a NaN, an infinity or any bits, a
// name length replaced, the header's version changed) or raw bytes, announced with their size
// or a smaller or non-positive one. Properties: a refused chunk leaves the program and bank
// chunks as they were; after an accepted one every value lies in its range and the program
// chunk restores to the same bytes in a fresh instance, as does the bank.
#include <cstring>
#include <vector>

#include "bindings/vst2/vst2_entry.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

using namespace vst2;
using Bytes = std::vector<uint8_t>;

struct Effect {
  // Opened, but never set up for audio: chunks need no prepared models, which are slow to make.
  Effect() : effect(vst2_binding::CreateEffect(nullptr)) {
    FUZZ_REQUIRE(effect);
    Dispatch(effOpen);
  }
  ~Effect() { Dispatch(effClose); }
  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
  }
  Bytes Chunk(VstInt32 index) {
    void* data = nullptr;
    const VstIntPtr size = Dispatch(effGetChunk, index, 0, &data);
    FUZZ_REQUIRE(size > 0 && data);
    return Bytes(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
  }
  AEffect* effect;
};

Bytes Altered(FuzzInput& in, Bytes chunk) {
  if (in.Below(8) == 0) {  // raw bytes
    size_t count = 0;
    const uint8_t* raw = in.Bytes(in.Below(250), &count);
    return Bytes(raw, raw + count);
  }
  const int edits = 1 + static_cast<int>(in.Below(4));
  for (int e = 0; e < edits && !chunk.empty(); ++e) {
    const uint32_t size = static_cast<uint32_t>(chunk.size());
    switch (in.Below(6)) {
      case 0: chunk.resize(in.Below(size)); break;
      case 1: chunk.resize(chunk.size() + 1 + in.Below(40), in.Byte()); break;
      case 2: {
        const uint32_t at = (in.Byte() * 256u + in.Byte()) % size;
        chunk[at] = in.Byte();
        break;
      }
      case 3: {  // one value replaced, at a state's 8-byte slot
        const size_t at = 8 + 8 * in.Below(24) + (in.Bool() ? 10 : 0);
        const double v = in.Value();
        if (at + 8 <= chunk.size()) std::memcpy(chunk.data() + at, &v, 8);
        break;
      }
      case 4: {  // a bank entry's name length
        const int32_t length = in.I32();
        if (chunk.size() >= 12) std::memcpy(chunk.data() + 8, &length, 4);
        break;
      }
      default: {  // the header's version
        const int32_t version = in.Bool() ? 0xFFFF : in.I32();
        if (chunk.size() >= 8) std::memcpy(chunk.data() + 4, &version, 4);
        break;
      }
    }
  }
  return chunk;
}

void CheckValuesInRange(Effect& amp) {
  IPlugVST* plug = IPlugVST::FromEffect(amp.effect);
  for (int32_t i = 0; i < plug->GetParameterCount(); ++i) {
    const IParameter* p = plug->GetParameter(i);
    FUZZ_REQUIRE(p->Value() >= p->GetMin() && p->Value() <= p->GetMax());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  Effect amp;
  for (int call = 0; call < 3 && !in.Empty(); ++call) {
    const VstInt32 kind = in.Bool() ? 0 : 1 + static_cast<VstInt32>(in.Below(3));
    Bytes chunk = Altered(in, amp.Chunk(in.Bool() ? 0 : 1));
    // A host may announce fewer bytes than it holds, or no size at all; never more.
    VstIntPtr announced = static_cast<VstIntPtr>(chunk.size());
    switch (in.Below(6)) {
      case 0: announced = in.Below(static_cast<uint32_t>(chunk.size()) + 1); break;
      case 1: announced = -static_cast<VstIntPtr>(in.U32() & 0x7FFFFFFF); break;
      default: break;
    }
    chunk.push_back(0);  // so that an empty chunk still has an address
    const Bytes programBefore = amp.Chunk(1), bankBefore = amp.Chunk(0);
    const VstIntPtr answer = amp.Dispatch(effSetChunk, kind, announced, chunk.data());
    FUZZ_REQUIRE(answer == 0 || answer == 1);
    CheckValuesInRange(amp);
    if (answer == 0) {
      FUZZ_REQUIRE(amp.Chunk(1) == programBefore);
      FUZZ_REQUIRE(amp.Chunk(0) == bankBefore);
      continue;
    }
    Bytes program = amp.Chunk(1), bank = amp.Chunk(0);
    // Another instance, kept between inputs: a whole program or bank sets everything it holds.
    static Effect other;
    FUZZ_REQUIRE(other.Dispatch(effSetChunk, 1, static_cast<VstIntPtr>(program.size()), program.data()) == 1);
    FUZZ_REQUIRE(other.Chunk(1) == program);
    FUZZ_REQUIRE(other.Dispatch(effSetChunk, 0, static_cast<VstIntPtr>(bank.size()), bank.data()) == 1);
    FUZZ_REQUIRE(other.Chunk(0) == bank);
  }
  return 0;
}
