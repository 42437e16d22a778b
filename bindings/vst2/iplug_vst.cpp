// IPlugVST: construction of the record, the parameter callbacks, the calls up to the host and
// the transport read from the host's time information.
#include "bindings/vst2/iplug_vst.h"

#include <cmath>
#include <cstring>
#include <type_traits>

#include "core/text.h"

using namespace vst2;

// The callbacks are exactly the record's function types, the calling convention included.
static_assert(std::is_same<decltype(&IPlugVST::DispatcherCallback), AEffectDispatcherProc>::value, "dispatcher");
static_assert(std::is_same<decltype(&IPlugVST::ProcessCallback), AEffectProcessProc>::value, "process");
static_assert(std::is_same<decltype(&IPlugVST::ProcessDoubleReplacingCallback), AEffectProcessDoubleProc>::value,
              "double process");
static_assert(std::is_same<decltype(&IPlugVST::SetParameterCallback), AEffectSetParameterProc>::value, "set");
static_assert(std::is_same<decltype(&IPlugVST::GetParameterCallback), AEffectGetParameterProc>::value, "get");

namespace {
// 0xMMMMmmbb as the decimal MMMM * 10000 + mm * 100 + bb.
VstInt32 DecimalVersion(int32_t version) {
  return ((version >> 16) & 0xFFFF) * 10000 + ((version >> 8) & 0xFF) * 100 + (version & 0xFF);
}

bool HasMonoPair(const IPlugBase& plug) {
  for (int32_t i = 0; i < plug.GetChannelIOCount(); ++i)
    if (plug.GetChannelIO(i)->inputs == 1) return true;
  return false;
}
}  // namespace

IPlugVST::IPlugVST(IPlugInstanceInfo info, const PluginDescriptor& facts)
    : IPlugBase(facts, kApiVst2), host_(info.hostCallback) {
  std::memset(&effect_, 0, sizeof effect_);
  effect_.magic = kEffectMagic;
  effect_.dispatcher = DispatcherCallback;
  effect_.process = ProcessCallback;
  effect_.setParameter = SetParameterCallback;
  effect_.getParameter = GetParameterCallback;
  effect_.numPrograms = GetPresetCount();
  effect_.numParams = GetParameterCount();
  effect_.numInputs = GetInputCount();
  effect_.numOutputs = GetOutputCount();
  effect_.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing | (HasMonoPair(*this) ? effFlagsCanMono : 0);
  effect_.initialDelay = GetLatency();
  effect_.ioRatio = 1.0f;
  effect_.object = this;
  effect_.uniqueID = GetUniqueId();
  effect_.version = DecimalVersion(GetVersion());
  effect_.processReplacing = ProcessReplacingCallback;
  effect_.processDoubleReplacing = ProcessDoubleReplacingCallback;

  MakeArrangement(&inputArrangement_, GetInputCount());
  MakeArrangement(&outputArrangement_, GetOutputCount());
  ConnectInputChannels(0, GetInputCount(), true);
  ConnectOutputChannels(0, GetOutputCount(), true);
  SetBlockSize(kDefaultBlockSize);
}

// The chunks free their buffers as members; the plug-in base follows.
IPlugVST::~IPlugVST() { effect_.object = nullptr; }

IPlugVST* IPlugVST::FromEffect(AEffect* effect) {
  return effect ? static_cast<IPlugVST*>(effect->object) : nullptr;
}

void IPlugVST::MakeArrangement(VstSpeakerArrangement* arrangement, int32_t channels) {
  std::memset(arrangement, 0, sizeof *arrangement);
  arrangement->numChannels = channels;
  arrangement->type = channels == 0   ? kSpeakerArrEmpty
                      : channels == 1 ? kSpeakerArrMono
                      : channels == 2 ? kSpeakerArrStereo
                                      : kSpeakerArrUserDefined;
}

VstIntPtr IPlugVST::CallHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return host_ ? host_(&effect_, opcode, index, value, ptr, opt) : 0;
}

// ---- Parameters ----------------------------------------------------------------------------

float VSTCALLBACK IPlugVST::GetParameterCallback(AEffect* effect, VstInt32 index) {
  IPlugVST* plug = FromEffect(effect);
  if (!plug) return 0.0f;
  try {
    LockGuard lock(plug->GetLock());
    const IParameter* param = plug->GetParameter(index);
    return param ? static_cast<float>(param->GetNormalized()) : 0.0f;
  } catch (...) {
    return 0.0f;
  }
}

void VSTCALLBACK IPlugVST::SetParameterCallback(AEffect* effect, VstInt32 index, float value) {
  IPlugVST* plug = FromEffect(effect);
  if (!plug || !(value == value)) return;  // a value that is not a number changes nothing
  try {
    LockGuard lock(plug->GetLock());
    IParameter* param = plug->GetParameter(index);
    if (!param) return;
    // Outside 0..1 the shape would store a value outside the range.
    const double normalized = value < 0.0f ? 0.0 : value > 1.0f ? 1.0 : static_cast<double>(value);
    if (IEditor* editor = plug->GetEditor()) editor->UpdateParameterControls(index, normalized, true);
    param->SetNormalized(normalized);
    plug->ParameterChanged(index);
  } catch (...) {
  }
}

// ---- Calls up to the host ------------------------------------------------------------------

void IPlugVST::BeginParamGesture(int32_t paramIdx) { CallHost(audioMasterBeginEdit, paramIdx); }

void IPlugVST::SendParamToHost(int32_t paramIdx, double normalizedValue) {
  CallHost(audioMasterAutomate, paramIdx, 0, nullptr, static_cast<float>(normalizedValue));
}

void IPlugVST::EndParamGesture(int32_t paramIdx) { CallHost(audioMasterEndEdit, paramIdx); }

void IPlugVST::AskHostToRefresh() { CallHost(audioMasterUpdateDisplay); }

bool IPlugVST::IsOfflineRender() { return CallHost(audioMasterGetCurrentProcessLevel) == kVstProcessLevelOffline; }

const VstTimeInfo* IPlugVST::HostTime(VstInt32 mask) {
  return reinterpret_cast<const VstTimeInfo*>(CallHost(audioMasterGetTime, 0, mask));
}

int32_t IPlugVST::GetSamplePosition() {
  const VstTimeInfo* time = HostTime(0);
  if (!time || !(time->samplePos >= 0.0)) return 0;
  const double rounded = time->samplePos + 0.5;
  return rounded < 2147483647.0 ? static_cast<int32_t>(rounded) : INT32_MAX;
}

double IPlugVST::GetTempo() {
  if (!host_) return 0.0;
  const VstTimeInfo* time = HostTime(kVstTempoValid);
  return time && (time->flags & kVstTempoValid) && time->tempo >= 0.0 ? time->tempo : 0.0;
}

void IPlugVST::GetTimeSignature(int32_t* numerator, int32_t* denominator) {
  int32_t n = 0, d = 0;
  const VstTimeInfo* time = HostTime(kVstTimeSigValid);
  if (time && (time->flags & kVstTimeSigValid) && time->timeSigNumerator >= 0 && time->timeSigDenominator >= 0) {
    n = time->timeSigNumerator;
    d = time->timeSigDenominator;
  }
  if (numerator) *numerator = n;
  if (denominator) *denominator = d;
}

void IPlugVST::GetTransport(ITransportInfo* info) {
  constexpr VstInt32 kMask = kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstCyclePosValid | kVstTimeSigValid;
  const VstTimeInfo* time = HostTime(kMask);
  if (!info || !time || !(time->flags & kMask)) return;
  info->samplePosition = time->samplePos;
  if ((time->flags & kVstPpqPosValid) && time->ppqPos >= 0.0) info->quarterNotePosition = time->ppqPos;
  if ((time->flags & kVstTempoValid) && time->tempo > 0.0) info->tempo = time->tempo;
  if ((time->flags & kVstBarsValid) && time->barStartPos >= 0.0) info->lastBarStart = time->barStartPos;
  if ((time->flags & kVstCyclePosValid) && time->cycleStartPos >= 0.0 && time->cycleEndPos >= 0.0) {
    info->cycleStart = time->cycleStartPos;
    info->cycleEnd = time->cycleEndPos;
  }
  if ((time->flags & kVstTimeSigValid) && time->timeSigNumerator > 0 && time->timeSigDenominator > 0) {
    info->numerator = time->timeSigNumerator;
    info->denominator = time->timeSigDenominator;
  }
  info->transportRunning = (time->flags & kVstTransportPlaying) != 0;
  info->loopActive = (time->flags & kVstTransportCycleActive) != 0;
}

int32_t IPlugVST::GetHostId() {
  const int32_t known = IPlugBase::GetHostId();
  if (known != -1) return known;
  char product[kHostStringSize] = {};
  CallHost(audioMasterGetProductString, 0, 0, product);
  product[kHostStringSize - 1] = 0;  // a host that fills the buffer leaves no terminator
  int32_t version = 0;
  if (product[0]) {
    const VstIntPtr v = CallHost(audioMasterGetVendorVersion);
    // Only what fits the 0xMMMMmmbb form: a negative or huge answer reads as 0.
    if (v > 0 && v < 10000L * 32768L)
      version = static_cast<int32_t>((v / 10000) * 65536 + ((v % 10000) / 100) * 256 + v % 100);
  }
  SetHost(product, version);
  return IPlugBase::GetHostId();
}

void IPlugVST::AdaptToHost() {
  if (adaptedToHost_) return;
  adaptedToHost_ = true;
  const int32_t host = GetHostId();
  if (host == 15 || host == 17 || host == 18 || host == 20) LimitToStereoIO();
  inputArrangement_.numChannels = effect_.numInputs = GetInputCount();
  outputArrangement_.numChannels = effect_.numOutputs = GetOutputCount();
  HostIdentified();
}

void IPlugVST::SetEditorRect() {
  IEditor* editor = GetEditor();
  if (!editor) return;
  editorRect_.top = 0;
  editorRect_.left = 0;
  editorRect_.bottom = static_cast<VstInt16>(editor->Height());
  editorRect_.right = static_cast<VstInt16>(editor->Width());
}

void IPlugVST::ResizeEditor(int32_t, int32_t) {
  if (!GetEditor()) return;
  SetEditorRect();
  EditorWindowResized();
}

void IPlugVST::AttachEditor(IEditor* editor) {
  if (!editor) return;
  IPlugBase::AttachEditor(editor);
  effect_.flags |= effFlagsHasEditor;
  SetEditorRect();
}

void IPlugVST::SetLatency(int32_t samples) {
  effect_.initialDelay = samples;
  IPlugBase::SetLatency(samples);
}

bool IPlugVST::SendMidiEvent(const IMidiEvent& event) {
  VstMidiEvent midi{};
  midi.type = kVstMidiType;
  midi.byteSize = sizeof midi;
  midi.deltaFrames = event.offset;
  midi.midiData[0] = static_cast<char>(event.status);
  midi.midiData[1] = static_cast<char>(event.data1);
  midi.midiData[2] = static_cast<char>(event.data2);
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&midi);
  return CallHost(audioMasterProcessEvents, 0, 0, &events) == 1;
}

bool IPlugVST::SendSysExEvent(const ISysExEvent& event) {
  VstSysExEvent sysex{};
  sysex.type = kVstSysExType;
  sysex.byteSize = 32;  // the record's size on the i386 interface, whatever our pointers
  sysex.deltaFrames = event.offset;
  sysex.dumpBytes = event.size;
  sysex.sysexDump = const_cast<char*>(reinterpret_cast<const char*>(event.data));
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&sysex);
  return CallHost(audioMasterProcessEvents, 0, 0, &events) == 1;
}
