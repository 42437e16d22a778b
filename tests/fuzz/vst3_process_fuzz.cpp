// Fuzz target: process() on a live Kavrotel instance through the real VST3 binding, with
// hostile process data (any block length, bus and channel counts, null buffers, sample size,
// in-place buffers, parameter queues with any ids, points and values in any order, events, a
// process context of any bytes) interleaved with lifecycle calls (initialize, terminate,
// setupProcessing, setActive, setBusArrangements, setState) decoded from the input.
// Properties: no crash and nothing touched outside the host's buffers (AddressSanitizer);
// every result is one of the codes a host expects; a refused block leaves the host's output
// buffers as they were; an accepted block leaves every output sample finite; buses beyond the
// block's output count are never touched.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/vst3_instance.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int32 kMaxBuses = 3;
constexpr int32 kMaxChannels = 3;

bool SaneResult(tresult r) {
  return r == kResultOk || r == kResultFalse || r == kInvalidArgument || r == kNotInitialized ||
         r == kOutOfMemory || r == kNotImplemented;
}

int32 PickFrames(FuzzInput& in) {
  static const int32 kFrames[] = {0, 1, 2, 63, 64, 100, 511, 512, 513, 1024, 4096, 8192};
  switch (in.Below(4)) {
    case 0: return static_cast<int32>(in.Below(130));
    case 1: return kFrames[in.Below(sizeof kFrames / sizeof kFrames[0])];
    case 2: return -static_cast<int32>(in.Below(3)) - 1;
    default: return static_cast<int32>(in.U32() % 16384);
  }
}

int32 PickCount(FuzzInput& in, int32 max) {
  return in.Below(16) == 0 ? -static_cast<int32>(in.Below(4)) - 1 : static_cast<int32>(in.Below(max + 1));
}

SpeakerArrangement PickArrangement(FuzzInput& in) {
  static const SpeakerArrangement kArrangements[] = {SpeakerArr::kMono, SpeakerArr::kStereo, SpeakerArr::kEmpty, 0x7};
  return in.Below(8) ? kArrangements[in.Below(4)] : (static_cast<uint64>(in.U32()) << 32 | in.U32());
}

// One block's host side: buses, channel tables and sample buffers of exactly the block's
// length, the output buffers filled with a sentinel or (in place) sharing the input's.
class Block {
 public:
  explicit Block(FuzzInput& in) {
    data.processMode = static_cast<int32>(in.Below(3));
    data.symbolicSampleSize = in.Below(8) ? static_cast<int32>(in.Below(2)) : in.I32();
    data.numSamples = PickFrames(in);
    is64_ = data.symbolicSampleSize == kSample64;
    const bool inPlace = in.Below(4) == 0;
    data.numInputs = PickCount(in, 2);
    data.numOutputs = PickCount(in, kMaxBuses);
    data.inputs = in.Below(16) ? inputs_ : nullptr;
    data.outputs = in.Below(16) ? outputs_ : nullptr;
    for (int32 b = 0; b < kMaxBuses; ++b) {
      MakeBus(in, b, inputs_[b], false, nullptr);
      MakeBus(in, b, outputs_[b], true, inPlace && b == 0 ? &inputs_[0] : nullptr);
    }
    if (in.Below(4) == 0) {
      std::memset(&context_, 0, sizeof context_);
      size_t count = 0;
      const uint8_t* bytes = in.Bytes(sizeof context_, &count);
      std::memcpy(&context_, bytes, count);
      data.processContext = &context_;
    }
    AddParameterChanges(in);
    AddEvents(in);
    before_[0] = OutputBytes(false);
    before_[1] = OutputBytes(true);
  }

  // The samples of the output channels, as bytes: of the buses the block hands over, or of
  // the others (empty tables and null channels have none).
  std::vector<uint8_t> OutputBytes(bool handedOver) const {
    std::vector<uint8_t> out;
    for (const auto& [bus, buffer] : outputBuffers_)
      if (HandedOver(bus) == handedOver) out.insert(out.end(), buffer->begin(), buffer->end());
    return out;
  }
  bool OutputsUntouched(bool handedOver) const { return OutputBytes(handedOver) == before_[handedOver]; }
  bool OutputsFinite() const {
    for (const auto& [bus, buffer] : outputBuffers_) {
      if (!HandedOver(bus)) continue;
      const size_t n = buffer->size() / (is64_ ? 8 : 4);
      for (size_t i = 0; i < n; ++i) {
        double v;
        if (is64_) {
          std::memcpy(&v, buffer->data() + 8 * i, 8);
        } else {
          float f;
          std::memcpy(&f, buffer->data() + 4 * i, 4);
          v = f;
        }
        if (!std::isfinite(v)) {
          std::fprintf(stderr, "output bus %d: sample %zu of %zu is %g\n", bus, i, n, v);
          return false;
        }
      }
    }
    return true;
  }

  ProcessData data{};

 private:
  using Buffer = std::vector<uint8_t>;

  bool HandedOver(int32 bus) const { return data.outputs && bus < data.numOutputs; }

  Buffer* NewBuffer(FuzzInput& in, bool output) {
    const size_t frames = data.numSamples > 0 ? static_cast<size_t>(data.numSamples) : 0;
    buffers_.push_back(std::make_unique<Buffer>(frames * (is64_ ? 8 : 4)));
    Buffer* buffer = buffers_.back().get();
    const uint8_t level = in.Byte();
    // Mostly a signal up to 16 times full scale; the top levels are huge but finite floats.
    static const double kHuge[] = {1e4, 1e10, 1e30, 3e38, 3.4028234663852886e38};
    const double amplitude = level >= 251 ? kHuge[level - 251] : level / 16.0;
    for (size_t i = 0; i < frames; ++i) {
      // Outputs hold a quiet NaN that a plug-in never writes; inputs a finite signal.
      const double v = output ? std::nan("7") : std::sin(0.01 * static_cast<double>(i) * (1 + level % 7)) * amplitude;
      if (is64_) std::memcpy(buffer->data() + 8 * i, &v, 8);
      else {
        const float f = static_cast<float>(v);
        std::memcpy(buffer->data() + 4 * i, &f, 4);
      }
    }
    return buffer;
  }

  void MakeBus(FuzzInput& in, int32 index, AudioBusBuffers& bus, bool output, AudioBusBuffers* shareWith) {
    bus.numChannels = in.Below(8) ? static_cast<int32>(in.Below(kMaxChannels + 1)) : PickCount(in, 64);
    bus.silenceFlags = in.Below(2) ? 0 : ~uint64{0};
    tables_.push_back(std::make_unique<std::vector<void*>>(kMaxChannels, nullptr));
    std::vector<void*>& table = *tables_.back();
    if (in.Below(16) == 0) {
      bus.channelBuffers32 = nullptr;
      return;
    }
    const int32 channels = std::min(std::max(bus.numChannels, 0), kMaxChannels);
    for (int32 c = 0; c < channels; ++c) {
      if (in.Below(16) == 0) continue;  // a null channel
      if (shareWith && c < shareWith->numChannels && c < kMaxChannels && shareWith->channelBuffers32) {
        table[c] = reinterpret_cast<void**>(shareWith->channelBuffers32)[c];
        if (table[c]) continue;
      }
      Buffer* buffer = NewBuffer(in, output);
      table[c] = buffer->data();
      if (output) outputBuffers_.emplace_back(index, buffer);
    }
    // A bus claiming more channels than the table holds gets a table of that many nulls.
    if (bus.numChannels > kMaxChannels) table.resize(static_cast<size_t>(bus.numChannels), nullptr);
    bus.channelBuffers32 = reinterpret_cast<Sample32**>(table.data());
    // In place, the shared input buffers are this bus's outputs too.
    if (shareWith && shareWith->channelBuffers32)
      for (int32 c = 0; c < channels; ++c)
        for (const auto& b : buffers_)
          if (table[c] == b->data() && !IsOutput(b.get())) outputBuffers_.emplace_back(index, b.get());
  }

  void AddParameterChanges(FuzzInput& in) {
    const uint32_t points = in.Below(8);
    if (points == 0 && in.Bool()) return;
    for (uint32_t p = 0; p < points; ++p) {
      ParamID id;
      switch (in.Below(5)) {
        case 0: case 1: id = in.Below(19); break;
        case 2: id = 0x62706173; break;  // 'bpas'
        case 3: id = 0x70727374; break;  // 'prst'
        default: id = in.U32(); break;
      }
      const int32 offset = in.Below(4) ? static_cast<int32>(in.Below(200)) : in.I32();
      changes_.Add(id, in.Value(), offset);
    }
    data.inputParameterChanges = &changes_;
  }

  void AddEvents(FuzzInput& in) {
    const uint32_t count = in.Below(4);
    if (count == 0 && in.Bool()) return;
    for (uint32_t i = 0; i < count; ++i) {
      Event e;
      std::memset(&e, 0, sizeof e);
      size_t n = 0;
      const uint8_t* bytes = in.Bytes(sizeof e, &n);
      std::memcpy(&e, bytes, n);
      e.type = static_cast<uint16>(in.Below(4));
      events_.addEvent(e);
    }
    data.inputEvents = &events_;
  }

  bool IsOutput(const Buffer* buffer) const {
    for (const auto& entry : outputBuffers_)
      if (entry.second == buffer) return true;
    return false;
  }

  bool is64_;
  AudioBusBuffers inputs_[kMaxBuses]{};
  AudioBusBuffers outputs_[kMaxBuses]{};
  std::vector<std::unique_ptr<Buffer>> buffers_;
  std::vector<std::pair<int32, Buffer*>> outputBuffers_;  // output bus index, buffer
  std::vector<std::unique_ptr<std::vector<void*>>> tables_;
  ProcessContext context_{};
  vst3host::ParameterChanges changes_;
  vst3host::EventList events_;
  std::vector<uint8_t> before_[2];  // OutputBytes(false), OutputBytes(true) before the call
};

void Process(FuzzInput& in, Vst3Instance& amp) {
  Block block(in);
  const tresult result = amp.processor->process(block.data);
  FUZZ_REQUIRE(SaneResult(result));
  FUZZ_REQUIRE(block.OutputsUntouched(false));
  if (result == kResultOk) FUZZ_REQUIRE(block.OutputsFinite());
  else FUZZ_REQUIRE(block.OutputsUntouched(true));
}

void Setup(FuzzInput& in, Vst3Instance& amp) {
  static const double kRates[] = {44100, 48000, 96000, 192000, 22050, 8000, 1, 0, -44100, 1e7};
  static const int32 kMax[] = {512, 1024, 64, 1, 0, 4096, 8192, -1};
  ProcessSetup setup{static_cast<int32>(in.Below(3)), in.Below(8) ? static_cast<int32>(in.Below(2)) : in.I32(),
                     in.Below(4) ? kMax[in.Below(8)] : static_cast<int32>(in.U32() % 70000),
                     in.Below(4) ? kRates[in.Below(6)] : (in.Below(2) ? kRates[in.Below(10)] : in.Double())};
  FUZZ_REQUIRE(SaneResult(amp.processor->setupProcessing(setup)));
}

void Arrange(FuzzInput& in, Vst3Instance& amp) {
  SpeakerArrangement ins[2] = {PickArrangement(in), PickArrangement(in)};
  SpeakerArrangement outs[2] = {PickArrangement(in), PickArrangement(in)};
  const int32 numIns = PickCount(in, 2), numOuts = PickCount(in, 2);
  FUZZ_REQUIRE(SaneResult(amp.processor->setBusArrangements(in.Below(16) ? ins : nullptr, numIns,
                                                             in.Below(16) ? outs : nullptr, numOuts)));
}

void SetState(FuzzInput& in, Vst3Instance& amp) {
  std::vector<uint8> state = amp.State();
  if (state.empty() || in.Below(4) == 0) {
    size_t count = 0;
    const uint8_t* bytes = in.Bytes(in.Below(170), &count);
    state.assign(bytes, bytes + count);
  } else {
    for (uint32_t e = in.Below(4); e > 0; --e) state[in.Below(static_cast<uint32_t>(state.size()))] = in.Byte();
  }
  vst3host::MemoryStream stream(state);
  FUZZ_REQUIRE(SaneResult(amp.component->setState(&stream)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  Vst3Instance amp;
  if (in.Below(4)) amp.Start(in.Bool() ? kSample64 : kSample32, 512);
  for (int call = 0; call < 16 && !in.Empty(); ++call) {
    switch (in.Below(12)) {
      case 0: FUZZ_REQUIRE(SaneResult(amp.component->initialize(&amp.host))); break;
      case 1: FUZZ_REQUIRE(SaneResult(amp.component->terminate())); break;
      case 2: Setup(in, amp); break;
      case 3: FUZZ_REQUIRE(SaneResult(amp.component->setActive(in.Bool()))); break;
      case 4: Arrange(in, amp); break;
      case 5: SetState(in, amp); break;
      default: Process(in, amp); break;
    }
  }
  return 0;
}
