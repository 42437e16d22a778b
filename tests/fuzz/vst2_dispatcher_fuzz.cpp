// Fuzz target: the VST2 record's dispatcher, parameter and audio callbacks on a live Kavrotel,
// with or without a headless editor and a host callback. Each input is a run of calls: an
// opcode (the ones answered, their neighbours and any number) with any index, value and opt,
// and a pointer that is null or points at a buffer of the input's bytes, laid out as the record
// the opcode reads where it reads one (events, speaker arrangements, chunk sizes within the
// buffer), as a host that keeps to the interface's records would pass. Between calls: blocks of
// any length through the three entries, and parameter changes of any value. Properties: no
// text is written past 32 bytes (program names 24); every value stays finite and in its range;
// every output sample is finite; nothing reads or writes outside what it was given
// (AddressSanitizer); effClose at the end frees everything (LeakSanitizer).
#include <cmath>
#include <cstring>
#include <vector>

#include "bindings/vst2/vst2_entry.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/fake_editor.h"
#include "tools/vst2host/recording_host.h"

namespace {

using namespace vst2;

constexpr size_t kBuffer = 1024;
constexpr uint8_t kGuard = 0x5A;

const VstInt32 kOpcodes[] = {effOpen, effSetProgram, effGetProgram, effSetProgramName, effGetProgramName,
                             effGetParamLabel, effGetParamDisplay, effGetParamName, effSetSampleRate,
                             effSetBlockSize, effMainsChanged, effEditGetRect, effEditOpen, effEditClose,
                             effEditIdle, effIdentify, effGetChunk, effSetChunk, effProcessEvents,
                             effCanBeAutomated, effString2Parameter, effGetProgramNameIndexed,
                             effGetInputProperties, effGetOutputProperties, effGetPlugCategory, effProcessVarIo,
                             effSetSpeakerArrangement, effSetBypass, effGetEffectName, effGetVendorString,
                             effGetProductString, effGetVendorVersion, effVendorSpecific, effCanDo, effGetTailSize,
                             effIdle, effGetVstVersion, effGetMidiKeyName, effGetSpeakerArrangement,
                             effStartProcess, effStopProcess, 9, 30, 99};

// The text opcodes and how much of the host's buffer each may write.
size_t TextLimit(VstInt32 opcode) {
  switch (opcode) {
    case effGetProgramName:
    case effGetProgramNameIndexed: return 24;
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString:
    case effVendorSpecific: return 32;
    default: return 0;
  }
}

VstIntPtr Index(FuzzInput& in) {
  switch (in.Below(4)) {
    case 0: return in.I32();
    case 1: return -1 - static_cast<VstIntPtr>(in.Below(3));
    default: return in.Below(24);
  }
}

struct Call {
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  void* ptr;
  float opt;
};

// Lays out the buffer as the opcode's record; value and ptr as a host would pass them.
Call MakeCall(FuzzInput& in, uint8_t* buffer, VstEvents* events, VstSysExEvent* event, VstSpeakerArrangement* arr,
              void** slot) {
  Call c{};
  c.opcode = in.Below(8) == 0 ? in.I32() : kOpcodes[in.Below(sizeof kOpcodes / sizeof kOpcodes[0])];
  c.index = static_cast<VstInt32>(Index(in));
  c.value = Index(in);
  c.opt = static_cast<float>(in.Value() * (in.Bool() ? 1.0 : 48000.0));
  size_t count = 0;
  const uint8_t* bytes = in.Bytes(in.Below(200), &count);
  std::memset(buffer, kGuard, kBuffer);
  std::memcpy(buffer, bytes, count);
  c.ptr = in.Below(6) == 0 ? nullptr : buffer;
  switch (c.opcode) {
    case effProcessEvents: {
      // One record large enough for either kind of event.
      std::memset(event, 0, sizeof *event);
      auto* midi = reinterpret_cast<VstMidiEvent*>(event);
      event->type = in.Bool() ? kVstMidiType : kVstSysExType + static_cast<VstInt32>(in.Below(2));
      event->byteSize = sizeof(VstMidiEvent);
      if (event->type == kVstMidiType) {
        std::memcpy(midi->midiData, bytes, count < 4 ? count : 4);
      } else {
        event->dumpBytes = static_cast<VstInt32>(in.Below(64));
        event->sysexDump = reinterpret_cast<char*>(buffer);
      }
      events->numEvents = static_cast<VstInt32>(in.Below(3));
      events->events[0] = reinterpret_cast<VstEvent*>(event);
      events->events[1] = in.Bool() ? nullptr : reinterpret_cast<VstEvent*>(event);
      c.ptr = c.ptr ? events : nullptr;
      break;
    }
    case effSetBlockSize:  // the sizes a host may announce (a huge one only asks the heap for it)
      c.value = in.Below(4) == 0 ? -static_cast<VstIntPtr>(in.Below(5)) : 16 * static_cast<VstIntPtr>(in.Below(257));
      break;
    case effSetChunk:
      c.value = in.Bool() ? static_cast<VstIntPtr>(count) : -static_cast<VstIntPtr>(in.Below(1000));
      break;
    case effSetSpeakerArrangement:
      arr->numChannels = static_cast<VstInt32>(Index(in));
      c.value = in.Bool() ? reinterpret_cast<VstIntPtr>(arr) : 0;
      c.ptr = c.ptr ? arr : nullptr;
      break;
    case effGetSpeakerArrangement:
      c.value = in.Bool() ? reinterpret_cast<VstIntPtr>(slot) : 0;
      c.ptr = c.ptr ? slot + 1 : nullptr;
      break;
    case effGetChunk:
    case effEditGetRect:
      c.ptr = c.ptr ? slot : nullptr;
      break;
    case effEditOpen:
      break;  // any parent handle: only the editor sees it
    default:
      if (c.opcode < 0 || c.opcode > 80) c.ptr = nullptr;  // an unknown opcode's pointer is unknown
      break;
  }
  return c;
}

void RunBlock(FuzzInput& in, AEffect* effect) {
  const VstInt32 frames = static_cast<VstInt32>(in.Below(4) == 0 ? in.Below(2100) : in.Below(300));
  std::vector<float> fin(static_cast<size_t>(frames) + 1), fout(static_cast<size_t>(frames) + 1);
  std::vector<double> din(static_cast<size_t>(frames) + 1), dout(static_cast<size_t>(frames) + 1);
  for (VstInt32 i = 0; i < frames; ++i) din[i] = fin[i] = std::sin(0.01f * static_cast<float>(i)) * 0.5f;
  float* fi[] = {fin.data()};
  float* fo[] = {fout.data()};
  double* di[] = {din.data()};
  double* dd[] = {dout.data()};
  switch (in.Below(3)) {
    case 0: effect->processReplacing(effect, fi, fo, frames); break;
    case 1: effect->process(effect, fi, fo, frames); break;
    default:
      effect->processDoubleReplacing(effect, di, dd, frames);
      for (VstInt32 i = 0; i < frames; ++i) FUZZ_REQUIRE(std::isfinite(dout[i]));
      return;
  }
  for (VstInt32 i = 0; i < frames; ++i) FUZZ_REQUIRE(std::isfinite(fout[i]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  vst2host::RecordingHost host;
  AEffect* effect = vst2_binding::CreateEffect(in.Bool() ? &vst2host::RecordingHost::Callback : nullptr);
  FUZZ_REQUIRE(effect);
  host.Attach(effect);
  IPlugVST* plug = IPlugVST::FromEffect(effect);
  if (in.Bool()) plug->AttachEditor(new FakeEditor(plug));

  std::vector<uint8_t> buffer(kBuffer);
  VstEvents events{};
  VstSysExEvent event{};
  VstSpeakerArrangement arrangement{};
  void* slots[2] = {};
  for (int step = 0; step < 24 && !in.Empty(); ++step) {
    switch (in.Below(4)) {
      case 0: RunBlock(in, effect); break;
      case 1: effect->setParameter(effect, static_cast<VstInt32>(Index(in)), static_cast<float>(in.Value())); break;
      default: {
        const Call c = MakeCall(in, buffer.data(), &events, &event, &arrangement, slots);
        if (c.opcode == effClose) break;  // the end, below
        // A text opcode only writes: its buffer starts as guard bytes, and what it writes must
        // end within its limit.
        const size_t limit = TextLimit(c.opcode);
        if (limit && c.ptr == buffer.data()) std::memset(buffer.data(), kGuard, kBuffer);
        effect->dispatcher(effect, c.opcode, c.index, c.value, c.ptr, c.opt);
        if (limit && c.ptr == buffer.data()) {
          for (size_t i = limit; i < kBuffer; ++i) FUZZ_REQUIRE(buffer[i] == kGuard);
          FUZZ_REQUIRE(buffer[0] == kGuard || std::memchr(buffer.data(), 0, limit));
        }
        break;
      }
    }
    for (int32_t i = 0; i < plug->GetParameterCount(); ++i) {
      const IParameter* p = plug->GetParameter(i);
      FUZZ_REQUIRE(std::isfinite(p->Value()) && p->Value() >= p->GetMin() && p->Value() <= p->GetMax());
      FUZZ_REQUIRE(std::isfinite(effect->getParameter(effect, i)));
    }
  }
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0);
  return 0;
}
