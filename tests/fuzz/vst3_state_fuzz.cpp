// Fuzz target: setState through the component and the controller, and setComponentState, on a
// live Kavrotel instance through the real VST3 binding. Streams are built from the input: the
// instance's own state altered (cut short, lengthened, a value replaced by a NaN, an infinity
// or any bits, the bypass flag changed) or raw bytes, moving few bytes per call or failing from
// a position on. Properties: a refused stream leaves getState's bytes as they were; an
// accepted one gives a state that a fresh instance restores to the same bytes.
#include <cstring>
#include <vector>

#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/vst3_instance.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

std::vector<uint8> StreamBytes(FuzzInput& in, std::vector<uint8> state) {
  const int edits = in.Below(4);
  if (in.Below(8) == 0) {  // raw bytes
    size_t count = 0;
    const uint8* raw = in.Bytes(in.Below(200), &count);
    return std::vector<uint8>(raw, raw + count);
  }
  for (int e = 0; e < edits && !state.empty(); ++e) {
    switch (in.Below(5)) {
      case 0: state.resize(in.Below(static_cast<uint32_t>(state.size()))); break;  // short
      case 1: state.resize(state.size() + 1 + in.Below(16), in.Byte()); break;     // long
      case 2: {  // one value replaced
        const size_t slot = 8 * in.Below(static_cast<uint32_t>(state.size() / 8));
        const double v = in.Value();
        if (slot + 8 <= state.size()) std::memcpy(state.data() + slot, &v, 8);
        break;
      }
      case 3: state[in.Below(static_cast<uint32_t>(state.size()))] = in.Byte(); break;
      default:  // the bypass flag's first byte, when the stream still ends with it
        if (state.size() >= 4) state[state.size() - 4] ^= in.Byte();
        break;
    }
  }
  return state;
}

// A state a fresh instance accepts and gives back unchanged.
void CheckRestoresElsewhere(const std::vector<uint8>& state) {
  Vst3Instance fresh;
  fresh.Start(kSample32, 512);
  vst3host::MemoryStream stream(state);
  FUZZ_REQUIRE(fresh.component->setState(&stream) == kResultOk);
  FUZZ_REQUIRE(fresh.State() == state);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  Vst3Instance amp;
  if (in.Below(8) != 0) amp.Start(in.Bool() ? kSample64 : kSample32, 512);
  for (int call = 0; call < 4 && !in.Empty(); ++call) {
    const std::vector<uint8> before = amp.State();
    FUZZ_REQUIRE(before.size() == 156);
    vst3host::MemoryStream stream(StreamBytes(in, before));
    if (in.Bool()) stream.LimitEachCallTo(1 + in.Below(16));
    if (in.Below(4) == 0) stream.FailFrom(in.Below(170));
    tresult result;
    switch (in.Below(3)) {
      case 0: result = amp.component->setState(&stream); break;
      case 1: result = amp.controller->setState(&stream); break;
      default: result = amp.controller->setComponentState(&stream); break;
    }
    const std::vector<uint8> after = amp.State();
    if (result != kResultOk) {
      FUZZ_REQUIRE(after == before);
    } else {
      FUZZ_REQUIRE(after.size() == 156);
      CheckRestoresElsewhere(after);
    }
  }
  return 0;
}
