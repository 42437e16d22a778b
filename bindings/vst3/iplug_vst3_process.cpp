// IPlugVST3::process: host data checked once, parameter queues, events, then the 32-bit or
// 64-bit block. [audio thread, instance lock held for the whole call; no allocation]
#include <algorithm>
#include <cstring>

#include "bindings/vst3/host_call_guard.h"
#include "bindings/vst3/iplug_vst3.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {
bool BusHasBuffers(const AudioBusBuffers& bus, bool is64) {
  if (bus.numChannels < 0) return false;
  if (bus.numChannels == 0) return true;
  void* const* channels = is64 ? reinterpret_cast<void* const*>(bus.channelBuffers64)
                               : reinterpret_cast<void* const*>(bus.channelBuffers32);
  if (!channels) return false;
  for (int32 c = 0; c < bus.numChannels; ++c)
    if (!channels[c]) return false;
  return true;
}

// Maps the host's output buses onto the plug-in's output channels in order: for each bus while
// channels remain, visit(busIndex, first, count), the bus's first count channels being the
// plug-in's channels from first on. Returns the channels mapped.
template <class Visit>
int32_t MapOutputBuses(const ProcessData& data, int32_t outputCount, Visit visit) {
  int32_t first = 0;
  for (int32 i = 0; i < data.numOutputs && first < outputCount; ++i) {
    int32_t count = std::min(data.outputs[i].numChannels, outputCount - first);
    visit(i, first, count);
    first += count;
  }
  return first;
}
}  // namespace

// A block the set-up did not announce, buses without buffers or a sample size other than the
// set-up's would make us read or write outside the host's memory or our scratch buffers.
tresult IPlugVST3::CheckProcessData(const ProcessData& data) const {
  if (data.numSamples < 0 || data.numSamples > processSetup.maxSamplesPerBlock ||
      data.numSamples > GetScratchFrames())
    return kInvalidArgument;
  if (data.numSamples == 0) return kResultOk;  // a flush call: parameters only
  if (data.symbolicSampleSize != processSetup.symbolicSampleSize) return kInvalidArgument;
  if (data.numInputs < 0 || data.numOutputs < 1 || !data.outputs || (data.numInputs > 0 && !data.inputs))
    return kInvalidArgument;
  if (GetInputCount() > 0 && data.numInputs < 1) return kInvalidArgument;
  bool is64 = data.symbolicSampleSize == kSample64;
  for (int32 i = 0; i < data.numInputs; ++i)
    if (!BusHasBuffers(data.inputs[i], is64)) return kInvalidArgument;
  for (int32 i = 0; i < data.numOutputs; ++i)
    if (!BusHasBuffers(data.outputs[i], is64)) return kInvalidArgument;
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3::process(ProcessData& data) {
  return GuardedHostCall([&] { return ProcessLocked(data); });
}

tresult IPlugVST3::ProcessLocked(ProcessData& data) {
  LockGuard lock(GetLock());
  tresult check = CheckProcessData(data);
  if (data.processContext) lastContext_ = *data.processContext;
  // Parameter changes are valid even with a refused block of audio.
  ApplyParameterChanges(data.inputParameterChanges);
  if (check != kResultOk) return check;
  if (DoesMidi()) ApplyHostEvents(data.inputEvents);
  if (data.numSamples == 0) return kResultOk;
  // Before initialize or after terminate there are no buses to write: not a block done.
  if (audioOutputs.size() == 0) return kNotInitialized;
  if (processSetup.symbolicSampleSize == kSample32) Process32(data);
  else Process64(data);
  FinishOutputs(data);
  return kResultOk;
}

// Host output channels the block did not write (those of an inactive bus, those beyond the
// plug-in's own channels) are silenced rather than left holding the host's old memory, and
// the silence flags say which channels are silent.
void IPlugVST3::FinishOutputs(ProcessData& data) {
  const bool is64 = processSetup.symbolicSampleSize == kSample64;
  const size_t bytes = static_cast<size_t>(data.numSamples) * (is64 ? sizeof(double) : sizeof(float));
  int32_t first = 0;
  for (int32 i = 0; i < data.numOutputs; ++i) {
    AudioBusBuffers& bus = data.outputs[i];
    int32_t mapped = std::min(bus.numChannels, GetOutputCount() - first);
    uint64 silent = 0;
    for (int32 k = 0; k < bus.numChannels; ++k) {
      if (k < mapped && IsOutputConnected(first + k)) continue;
      std::memset(is64 ? static_cast<void*>(bus.channelBuffers64[k]) : static_cast<void*>(bus.channelBuffers32[k]), 0,
                  bytes);
      if (k < 64) silent |= uint64{1} << k;
    }
    bus.silenceFlags = silent;
    first += mapped;
  }
}

void IPlugVST3::ApplyParameterChanges(IParameterChanges* changes) {
  if (!changes) return;
  int32 count = changes->getParameterCount();
  for (int32 q = 0; q < count; ++q) {
    IParamValueQueue* queue = changes->getParameterData(q);
    if (!queue) continue;
    int32 offset = 0;
    ParamValue value = 0;
    int32 points = queue->getPointCount();
    // Only the last point counts, at the start of the block.
    if (points < 1 || queue->getPoint(points - 1, offset, value) != kResultOk || !(value == value)) continue;
    // Outside 0..1 the records' mapping would store a value below the minimum, and the preset
    // index would overflow.
    value = std::clamp(value, 0.0, 1.0);
    ParamID id = queue->getParameterId();
    if (id == kBypassParamId) {
      PlayBypassed(value > 0.5);
    } else if (id == kPresetParamId) {
      // Only a preset that holds a state is restored here: storing one (a preset not yet
      // initialised, as before initialize) allocates and renames, which is UI-thread work.
      int32_t k = static_cast<int32_t>(value * GetPresetCount());
      const IPreset* preset = GetPreset(k);
      if (preset && preset->initialized) ApplyPreset(k);
    } else if (IParameter* param = ParameterForId(id)) {
      int32_t index = static_cast<int32_t>(id);
      param->SetNormalized(value);
      if (IEditor* editor = GetEditor()) editor->UpdateParameterControls(index, value, true);
      ParameterChanged(index);
    }
  }
}

void IPlugVST3::PlayBypassed(bool bypassed) {
  SetBypassed(bypassed);
  controllerBypass_.store(bypassed ? 1.0 : 0.0, std::memory_order_relaxed);
}

void IPlugVST3::ApplyHostEvents(IEventList* events) {
  if (!events) return;
  int32 count = events->getEventCount();
  for (int32 i = 0; i < count; ++i) {
    Event e{};
    if (events->getEvent(i, e) != kResultOk) continue;
    IMidiEvent midi;
    midi.offset = e.sampleOffset;
    if (e.type == Event::kNoteOnEvent) {
      midi.status = static_cast<uint8_t>(0x90 | (e.noteOn.channel & 0x0F));
      midi.data1 = static_cast<uint8_t>(e.noteOn.pitch);
      // Velocity is 0..1; anything else (or not a number) must not reach the conversion.
      float velocity = e.noteOn.velocity >= 0.0f ? std::min(e.noteOn.velocity, 1.0f) : 0.0f;
      midi.data2 = static_cast<uint8_t>(static_cast<int>(velocity * 127));
    } else if (e.type == Event::kNoteOffEvent) {
      midi.status = static_cast<uint8_t>(0x80 | (e.noteOff.channel & 0x0F));
      midi.data1 = static_cast<uint8_t>(e.noteOff.pitch);
    } else {
      continue;
    }
    HandleMidiEvent(midi);
  }
}

// Every input slot starts on its own scratch buffer: the block's input is copied there, since
// a plug-in may write into its inputs and those are the host's, and a channel the host does
// not supply reads silence rather than an earlier block. Output channels of each bus are
// connected while the bus is active; the others write their scratch. Returns the input
// channels the host supplies.
int32_t IPlugVST3::ConnectBuses(const ProcessData& data) {
  int32_t supplied = data.numInputs > 0 ? std::min(data.inputs[0].numChannels, GetInputCount()) : 0;
  ConnectInputChannels(0, GetInputCount(), false);
  ConnectInputChannels(0, supplied, true);
  int32_t mapped = MapOutputBuses(data, GetOutputCount(), [&](int32 busIndex, int32_t first, int32_t count) {
    Bus* bus = audioOutputs.at(busIndex);
    ConnectOutputChannels(first, count, bus && bus->isActive());
  });
  ConnectOutputChannels(mapped, GetOutputCount() - mapped, false);
  return supplied;
}

void IPlugVST3::SilenceInputsFrom(int32_t first, int32_t frames) {
  double** inputs = GetInputPointers();
  for (int32_t i = first; i < GetInputCount() && frames > 0; ++i)
    if (inputs[i]) std::memset(inputs[i], 0, sizeof(double) * static_cast<size_t>(frames));
}

void IPlugVST3::Process32(ProcessData& data) {
  int32_t supplied = ConnectBuses(data);
  BindInputBuffers(0, GetInputCount(), supplied > 0 ? data.inputs[0].channelBuffers32 : nullptr, data.numSamples);
  SilenceInputsFrom(supplied, data.numSamples);
  // Channels of outputs not covered by any bus keep no host destination from an earlier block.
  BindOutputBuffers(0, GetOutputCount(), nullptr);
  MapOutputBuses(data, GetOutputCount(), [&](int32 busIndex, int32_t first, int32_t count) {
    BindOutputBuffers(first, count, data.outputs[busIndex].channelBuffers32);
  });
  if (GetBypassed()) BypassFloatBlock(data.numSamples);
  else RunFloatBlock(data.numSamples);
}

void IPlugVST3::Process64(ProcessData& data) {
  int32_t supplied = ConnectBuses(data);
  double** inPointers = GetInputPointers();
  for (int32_t k = 0; k < supplied; ++k)
    std::memcpy(inPointers[k], data.inputs[0].channelBuffers64[k], sizeof(double) * static_cast<size_t>(data.numSamples));
  SilenceInputsFrom(supplied, data.numSamples);
  double** outPointers = GetOutputPointers();
  MapOutputBuses(data, GetOutputCount(), [&](int32 busIndex, int32_t first, int32_t count) {
    for (int32_t k = 0; k < count; ++k)
      if (IsOutputConnected(first + k)) outPointers[first + k] = data.outputs[busIndex].channelBuffers64[k];
  });
  if (GetBypassed()) BypassBlock(inPointers, outPointers, data.numSamples);
  else ProcessBlock(inPointers, outPointers, data.numSamples);
}
