// IPlugVST's dispatcher: one opcode per call under the instance lock. Every pointer, index and
// size a host passes is checked here; every text written into a host's buffer is bounded by the
// interface's conventional size for it. Opcodes not handled answer 0.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bindings/vst2/iplug_vst.h"
#include "core/text.h"

using namespace vst2;

namespace {
// The two capability queries of one host vendor's published extension set.
const char* const kVendorExtensionQueries[] = {"hasCockosExtensions", "hasCockosViewAsConfig"};
constexpr VstIntPtr kVendorAnswer = 0xBEEF;
const VstIntPtr kVendorCanDoAnswer = static_cast<VstIntPtr>(0xBEEF0000u);  // a bit pattern, negative on i386
constexpr int kVendorFormatIndex = 7;
constexpr int kVendorKindIndex = 8;

// A host's text of at most `capacity` bytes, which need not be terminated, as our own.
void ReadHostText(char* out, size_t capacity, const char* text) {
  size_t n = 0;
  while (n + 1 < capacity && text[n]) ++n;
  std::memcpy(out, text, n);
  out[n] = 0;
}

// An index a host passed as a pointer-sized value, or -1 outside the 32-bit range.
int32_t NarrowIndex(VstIntPtr value) {
  return value >= INT32_MIN && value <= INT32_MAX ? static_cast<int32_t>(value) : -1;
}
}  // namespace

VstIntPtr VSTCALLBACK IPlugVST::DispatcherCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                                   void* ptr, float opt) {
  IPlugVST* plug = FromEffect(effect);
  if (!plug) return 0;
  try {
    if (opcode == effClose) {
      // The lock is the object's own: it is left before the object goes.
      plug->GetLock().Enter();
      plug->GetLock().Leave();
      delete plug;
      return 0;
    }
    LockGuard lock(plug->GetLock());
    return plug->Dispatch(opcode, index, value, ptr, opt);
  } catch (...) {
    return 0;
  }
}

VstIntPtr IPlugVST::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effOpen:
      AdaptToHost();
      NotifyAllParamChanges();
      return 0;
    case effSetProgram:
      if (!DoesStateChunks()) StoreCurrentPreset(nullptr);
      ApplyPreset(NarrowIndex(value));
      return 0;
    case effGetProgram:
      return GetCurrentPresetIndex();
    case effSetProgramName:
      if (text) {
        char name[kVstMaxProgNameLen];
        ReadHostText(name, sizeof name, text);
        StoreCurrentPreset(name);
        OnHostPresetChange();
      }
      return 0;
    case effGetProgramName:
      if (text) CopyText(text, kVstMaxProgNameLen, GetPresetName(GetCurrentPresetIndex()));
      return 0;
    case effGetParamLabel:
      if (text && GetParameter(index)) CopyText(text, kVstMaxParamStrLen, GetParameter(index)->GetLabelForHost());
      return 0;
    case effGetParamDisplay:
      if (text && GetParameter(index)) {
        const IParameter* param = GetParameter(index);
        param->GetDisplayForHost(param->Value(), false, text, kVstMaxParamStrLen);
      }
      return 0;
    case effGetParamName:
      if (text && GetParameter(index)) CopyText(text, kVstMaxParamStrLen, GetParameter(index)->GetName());
      return 0;
    case effSetSampleRate:
      // A rate that is no positive number is no rate; the designs would not survive it.
      if (std::isfinite(opt) && opt > 0.0f) {
        SetSampleRate(opt);
        Reset();
      }
      return 0;
    case effSetBlockSize:
      if (value >= 0 && value <= INT32_MAX) SetBlockSize(static_cast<int32_t>(value));
      Reset();
      return 0;
    case effMainsChanged:
      ActiveStateChanged(value != 0);
      if (value == 0) Reset();
      return 0;
    case effEditGetRect:
      if (!ptr || !GetEditor()) return 0;
      *static_cast<ERect**>(ptr) = &editorRect_;
      return 1;
    case effEditOpen:
      if (!GetEditor() || !GetEditor()->OpenWindow(ptr)) return 0;
      EditorOpened();
      return 1;
    case effEditClose:
      if (!GetEditor()) return 0;
      EditorClosed();
      GetEditor()->CloseWindow();
      return 1;
    case effIdentify:
      return kIdentifyAnswer;
    case effGetChunk:
      return GetChunk(index, static_cast<void**>(ptr));
    case effSetChunk:
      return SetChunk(index, value, ptr);
    case effProcessEvents:
      return ProcessEvents(static_cast<const VstEvents*>(ptr));
    case effCanBeAutomated:
      return 1;
    case effString2Parameter:
      return StringToParameter(index, text);
    case effGetProgramNameIndexed:
      if (!text) return 0;
      CopyText(text, kVstMaxProgNameLen, GetPresetName(index));
      return text[0] ? 1 : 0;
    case effGetInputProperties:
    case effGetOutputProperties:
      return GetPinProperties(opcode == effGetInputProperties, index, ptr);
    case effGetPlugCategory:
      return IsInstrument() ? kPlugCategSynth : kPlugCategEffect;
    case effSetSpeakerArrangement:
      ConnectArrangement(true, reinterpret_cast<const VstSpeakerArrangement*>(value));
      ConnectArrangement(false, static_cast<const VstSpeakerArrangement*>(ptr));
      return 1;
    case effGetEffectName:
      if (!text) return 0;
      CopyText(text, kVstMaxEffectNameLen, GetEffectName());
      return 1;
    case effGetVendorString:
      if (!text) return 0;
      CopyText(text, kVstMaxEffectNameLen, GetMakerName());
      return 1;
    case effGetProductString:
      if (!text) return 0;
      CopyText(text, kVstMaxEffectNameLen, GetProductName());
      return 1;
    case effVendorSpecific:
      return VendorSpecific(index, value, ptr, opt);
    case effCanDo:
      return CanDo(text);
    case effGetVstVersion:
      return kVstVersion;
    case effGetMidiKeyName: {
      auto* key = static_cast<MidiKeyName*>(ptr);
      if (!key) return 0;
      char name[IPreset::kNameCapacity] = {};  // the plug-in's text, bounded into the record below
      key->keyName[0] = 0;
      const bool named = GetMidiNoteName(key->thisKeyNumber, name);
      name[sizeof name - 1] = 0;
      CopyText(key->keyName, sizeof key->keyName, name);
      return named ? 1 : 0;
    }
    case effGetSpeakerArrangement:
      if (value) *reinterpret_cast<VstSpeakerArrangement**>(value) = &inputArrangement_;
      if (ptr) *static_cast<VstSpeakerArrangement**>(ptr) = &outputArrangement_;
      return 1;
    default:  // effEditIdle, effIdle, effProcessVarIo, effSetBypass and the rest
      return 0;
  }
}

VstIntPtr IPlugVST::GetPinProperties(bool input, VstInt32 index, void* ptr) {
  auto* pin = static_cast<VstPinProperties*>(ptr);
  const int32_t count = input ? GetInputCount() : GetOutputCount();
  if (!pin || index < 0 || index >= count) return 0;
  const char* label = input ? GetInputChannelLabel(index) : GetOutputChannelLabel(index);
  if (label[0]) std::snprintf(pin->label, sizeof pin->label, "%s", label);
  else std::snprintf(pin->label, sizeof pin->label, input ? "Input %d" : "Output %d", index + 1);
  pin->flags = kVstPinIsActive;
  if (index % 2 == 0 && index < count - 1) pin->flags |= kVstPinIsStereo;
  return 1;
}

VstIntPtr IPlugVST::StringToParameter(VstInt32 index, const char* text) {
  IParameter* param = GetParameter(index);
  if (!param) return 0;
  if (!text) return 1;
  char own[kVstMaxParamStrLen * 4];
  ReadHostText(own, sizeof own, text);
  double value;
  if (param->GetDisplayTextCount() > 0) {
    int32_t mapped = 0;
    if (!param->MapDisplayText(own, &mapped)) return 0;
    value = mapped;
  } else {
    value = std::atof(own);
    if (param->GetDisplayNegate()) value = -value;
  }
  if (!std::isfinite(value)) return 0;  // "1e999" (or, where atof reads it, "nan") names no value
  if (IEditor* editor = GetEditor()) editor->UpdateParameterControls(index, value, false);
  param->Set(value < param->GetMin() ? param->GetMin() : value > param->GetMax() ? param->GetMax() : value);
  ParameterChanged(index);
  return 1;
}

VstIntPtr IPlugVST::VendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  if (index == kVendorFormatIndex) {
    if (!ptr) return 0;
    if (const IParameter* param = GetParameter(NarrowIndex(value))) {
      // Any opt formats some number, however long: the text is bounded like a parameter display.
      param->GetDisplayForHost(opt, true, static_cast<char*>(ptr), kVstMaxParamStrLen);
    }
    return kVendorAnswer;
  }
  if (index == kVendorKindIndex) {
    const IParameter* param = GetParameter(NarrowIndex(value));
    return param && param->Type() != IParameter::kTypeDouble ? kVendorAnswer : 0;
  }
  return 0;
}

VstIntPtr IPlugVST::CanDo(const char* text) {
  if (!text) return 0;
  char own[64];
  ReadHostText(own, sizeof own, text);
  if (std::strcmp(own, "receiveVstTimeInfo") == 0) return 1;
  if (DoesMidi()) {
    for (const char* midi : {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent"})
      if (std::strcmp(own, midi) == 0) return 1;
  }
  for (const char* query : kVendorExtensionQueries)
    if (std::strcmp(own, query) == 0) return kVendorCanDoAnswer;
  return 0;
}

VstIntPtr IPlugVST::ProcessEvents(const VstEvents* events) {
  if (!events) return 0;
  for (VstInt32 i = 0; i < events->numEvents; ++i) {
    const VstEvent* event = events->events[i];
    if (!event) continue;
    if (event->type == kVstMidiType) {
      const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
      IMidiEvent e;
      e.offset = midi->deltaFrames;
      e.status = static_cast<uint8_t>(midi->midiData[0]);
      e.data1 = static_cast<uint8_t>(midi->midiData[1]);
      e.data2 = static_cast<uint8_t>(midi->midiData[2]);
      HandleMidiEvent(e);
    } else if (event->type == kVstSysExType) {
      const auto* sysex = reinterpret_cast<const VstSysExEvent*>(event);
      ISysExEvent e;
      e.offset = sysex->deltaFrames;
      e.size = sysex->dumpBytes > 0 && sysex->sysexDump ? sysex->dumpBytes : 0;
      e.data = e.size > 0 ? reinterpret_cast<const uint8_t*>(sysex->sysexDump) : nullptr;
      HandleSysExEvent(e);
    }
  }
  return 1;
}

void IPlugVST::ConnectArrangement(bool input, const VstSpeakerArrangement* arrangement) {
  if (!arrangement) return;
  const int32_t count = input ? GetInputCount() : GetOutputCount();
  const int32_t n = arrangement->numChannels < 0 ? 0 : arrangement->numChannels > count ? count : arrangement->numChannels;
  if (input) {
    ConnectInputChannels(0, n, true);
    ConnectInputChannels(n, count - n, false);
  } else {
    ConnectOutputChannels(0, n, true);
    ConnectOutputChannels(n, count - n, false);
  }
}
