// IPlugVST3: construction, initialisation (buses and host-visible parameters), set-up calls,
// the interface query and the transport and latency operations.
#include "bindings/vst3/iplug_vst3.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "bindings/vst3/host_call_guard.h"
#include "bindings/vst3/iplug_vst3_view.h"
#include "bindings/vst3/vst3_host_parameters.h"
#include "bindings/vst3/vst3_speakers.h"
#include "platform/vst3/vst3_edit_controller.h"
#include "platform/vst3/vst3_host_application.h"
#include "platform/vst3/vst3_strings.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {
constexpr int32_t kMaxChannels = 6;  // the largest count with a speaker arrangement
const char16 kEmpty16[] = u"";

// ASCII widened into a String128 for titles and names.
struct Wide {
  explicit Wide(const char* ascii) { WidenAscii(text, 128, ascii); }
  char16 text[128];
};
}  // namespace

IPlugVST3::IPlugVST3(IPlugInstanceInfo, const PluginDescriptor& facts) : IPlugBase(facts, kApiVst3) {
  ConnectInputChannels(0, GetInputCount(), true);
  ConnectOutputChannels(0, GetOutputCount(), true);
  if (GetInputCount() > 0) CreateLatencyDelay(0);
  SetInputBusLabel(0, "Main Input");
  if (IsInstrument()) {
    for (int32_t j = 0; 2 * j < GetOutputCount(); ++j) {
      char label[32];
      std::snprintf(label, sizeof label, "Output %i", j + 1);
      SetOutputBusLabel(j, label);
    }
  } else {
    SetOutputBusLabel(0, "Output");
  }
}

IPlugVST3::~IPlugVST3() {
  // Views the host still holds keep a reference on us, so none can be open here.
  views_.clear();
}

tresult PLUGIN_API IPlugVST3::queryInterface(const TUID iid, void** obj) {
  if (obj && IUnitInfo::iid.Matches(iid)) {
    *obj = static_cast<IUnitInfo*>(this);
    addRef();
    return kResultOk;
  }
  return SingleComponentEffect::queryInterface(iid, obj);
}

bool IPlugVST3::isTypeOf(FIDString name, bool askBaseClass) const {
  if (name && std::strcmp(name, "IPlugVST3") == 0) return true;
  return askBaseClass && SingleComponentEffect::isTypeOf(name, true);
}

tresult PLUGIN_API IPlugVST3::initialize(FUnknown* context) {
  return GuardedHostCall([&]() -> tresult {
    tresult result = SingleComponentEffect::initialize(context);
    IdentifyHost(context);
    if (result == kResultOk && !(BuildBuses() && BuildParameters())) {
      SingleComponentEffect::terminate();
      return kOutOfMemory;
    }
    HostIdentified();
    ApplyPreset(0);
    // Every filter needs its coefficients before the first block, or a new instance is silent.
    if (result == kResultOk) NotifyAllParamChanges();
    return result;
  });
}

void IPlugVST3::IdentifyHost(FUnknown* context) {
  IHostApplication* app = nullptr;
  if (!context || context->queryInterface(IHostApplication::iid.bytes, reinterpret_cast<void**>(&app)) != kResultOk ||
      !app)
    return;
  String128 name{};
  if (app->getName(name) == kResultOk) {
    name[127] = 0;
    char narrow[128];
    NarrowToAscii(narrow, sizeof narrow, name);
    SetHost(narrow, 0);
  }
  app->release();
}

bool IPlugVST3::BuildBuses() {
  int32_t inputs = GetInputCount(), outputs = GetOutputCount();
  if (inputs >= 1 && inputs <= kMaxChannels &&
      !addAudioInput(Wide(GetInputBusLabel(0)).text, SpeakerArrangementForChannels(inputs)))
    return false;
  if (IsInstrument()) {
    for (int32_t j = 0; 2 * j < outputs; ++j)
      if (!addAudioOutput(Wide(GetOutputBusLabel(j)).text, SpeakerArr::kStereo)) return false;
  } else if (!addAudioOutput(Wide(GetOutputBusLabel(0)).text, SpeakerArrangementForChannels(outputs))) {
    return false;
  }
  if (DoesMidi() && !addEventInput(Wide("MIDI Input").text, 1)) return false;
  return true;
}

bool IPlugVST3::BuildParameters() {
  if (GetPresetCount() > 0) {
    // A list of the presets: one step between each (none with one preset), so that a host's
    // normalised values and typed numbers name a preset and stay within 0..1.
    auto preset = std::unique_ptr<Parameter>(new (std::nothrow) Parameter(
        Wide("Preset").text, kPresetParamId, kEmpty16, 0, GetPresetCount() - 1,
        ParameterInfo::kIsProgramChange | ParameterInfo::kIsList, 0));
    if (!preset || !parameters.addParameter(std::move(preset))) return false;
  }
  if (!IsInstrument()) {
    auto bypass = std::unique_ptr<StringListParameter>(new (std::nothrow) StringListParameter(
        Wide("Bypass").text, kBypassParamId, kEmpty16, ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass, 0));
    if (!bypass) return false;
    bypass->appendString("off");
    bypass->appendString("on");
    if (!parameters.addParameter(std::move(bypass))) return false;
  }
  for (int32_t i = 0; i < GetParameterCount(); ++i)
    if (!AddPlugParameter(i)) return false;
  return true;
}

UnitID IPlugVST3::UnitOfGroup(const char* group) {
  if (!group || !group[0]) return kRootUnitId;
  PtrArray<const char>& groups = ParamGroups();
  for (int32_t g = 0; g < groups.GetSize(); ++g)
    if (std::strcmp(groups.Get(g), group) == 0) return g + 1;
  return groups.Add(group) ? groups.GetSize() : kRootUnitId;
}

bool IPlugVST3::AddPlugParameter(int32_t index) {
  const IParameter* param = GetParameter(index);
  if (!param || param->Type() == IParameter::kTypeNone) return true;
  UnitID unit = UnitOfGroup(param->GetGroup());
  Wide title(param->GetName()), units(param->GetLabel());
  ParamID id = static_cast<ParamID>(index);
  std::unique_ptr<Parameter> host;
  if (param->Type() == IParameter::kTypeBool || param->Type() == IParameter::kTypeEnum)
    host.reset(new (std::nothrow) vst3_binding::PlugListParameter(*param, id, title.text, units.text, unit));
  else
    host.reset(new (std::nothrow) vst3_binding::PlugRangeParameter(*param, id, title.text, units.text, unit));
  return host && parameters.addParameter(std::move(host));
}

tresult PLUGIN_API IPlugVST3::terminate() {
  views_.clear();  // the host owns the views; they are not released here
  return SingleComponentEffect::terminate();
}

tresult PLUGIN_API IPlugVST3::setActive(TBool state) {
  return GuardedHostCall([&] {
    ActiveStateChanged(state != 0);
    return kResultOk;
  });
}

tresult PLUGIN_API IPlugVST3::setupProcessing(ProcessSetup& setup) {
  if (setup.symbolicSampleSize != kSample32 && setup.symbolicSampleSize != kSample64) return kResultFalse;
  if (setup.maxSamplesPerBlock < 0 || !(setup.sampleRate > 0)) return kInvalidArgument;
  return GuardedHostCall([&] {
    // The bypass flag is the host's and the state's: a new rate or block size keeps it.
    SetSampleRate(setup.sampleRate);
    SetBlockSize(setup.maxSamplesPerBlock);
    if (GetScratchFrames() < setup.maxSamplesPerBlock) return kOutOfMemory;
    Reset();
    processSetup = setup;
    return kResultOk;
  });
}

tresult PLUGIN_API IPlugVST3::canProcessSampleSize(int32 symbolicSampleSize) {
  return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API IPlugVST3::getLatencySamples() { return static_cast<uint32>(std::max(GetLatency(), 0)); }

tresult PLUGIN_API IPlugVST3::setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                                                 int32 numOuts) {
  if ((numIns > 0 && !inputs) || (numOuts > 0 && !outputs)) return kInvalidArgument;
  if (numIns < 1 || numOuts < 1) return kResultFalse;  // an effect needs its main buses
  ConnectInputChannels(0, GetInputCount(), false);
  ConnectOutputChannels(0, GetOutputCount(), false);
  int32_t n = ChannelCountOf(inputs[0]), m = ChannelCountOf(outputs[0]);
  if (!AcceptsChannelIO(n, m)) return kResultFalse;
  auto* in = static_cast<AudioBus*>(audioInputs.at(0));
  if (in && in->channelCount() != n) {
    audioInputs.remove(0);
    if (!addAudioInput(Wide("Input").text, SpeakerArrangementForChannels(n))) return kOutOfMemory;
  }
  auto* out = static_cast<AudioBus*>(audioOutputs.at(0));
  if (out && out->channelCount() != m) {
    audioOutputs.remove(0);
    if (!addAudioOutput(Wide("Output").text, SpeakerArrangementForChannels(m))) return kOutOfMemory;
  }
  return numIns == 1 ? kResultOk : kResultFalse;
}

bool IPlugVST3::IsOfflineRender() { return processSetup.processMode == kOffline; }

// A copy under the lock: an editor may ask while a block stores the next context.
ProcessContext IPlugVST3::LastContext() {
  LockGuard lock(GetLock());
  return lastContext_;
}

int32_t IPlugVST3::GetSamplePosition() { return static_cast<int32_t>(LastContext().projectTimeSamples); }

double IPlugVST3::GetTempo() { return LastContext().tempo; }

void IPlugVST3::GetTimeSignature(int32_t* numerator, int32_t* denominator) {
  ProcessContext context = LastContext();
  if (numerator) *numerator = context.timeSigNumerator;
  if (denominator) *denominator = context.timeSigDenominator;
}

void IPlugVST3::GetTransport(ITransportInfo* info) {
  if (!info) return;
  ProcessContext context = LastContext();
  info->tempo = context.tempo;
  info->samplePosition = static_cast<double>(context.projectTimeSamples);
  info->quarterNotePosition = context.projectTimeMusic;
  info->lastBarStart = context.barPositionMusic;
  info->cycleStart = context.cycleStartMusic;
  info->cycleEnd = context.cycleEndMusic;
  info->numerator = context.timeSigNumerator;
  info->denominator = context.timeSigDenominator;
  info->transportRunning = (context.state & ProcessContext::kPlaying) != 0;
  info->loopActive = (context.state & ProcessContext::kCycleActive) != 0;
}

void IPlugVST3::SetLatency(int32_t samples) {
  IPlugBase::SetLatency(samples);
  if (IComponentHandler* handler = getComponentHandler()) handler->restartComponent(kLatencyChanged);
}

bool IPlugVST3::AddView(IPlugVST3View* view) {
  try {
    views_.push_back(view);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void IPlugVST3::RemoveView(IPlugVST3View* view) {
  auto it = std::find(views_.begin(), views_.end(), view);
  if (it != views_.end()) views_.erase(it);
}
