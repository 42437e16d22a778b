// IPlugBase: construction, destruction, channel records, default operations, the editor.
#include "core/iplug_base.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/text.h"
#include "core/trace.h"

namespace {
// One "%d" of a channel token: an optionally signed decimal number, clamped to int32.
bool ScanCount(const char*& at, int32_t* value) {
  char* end = nullptr;
  long long parsed = std::strtoll(at, &end, 10);
  if (end == at) return false;
  at = end;
  *value = static_cast<int32_t>(std::clamp<long long>(parsed, INT32_MIN, INT32_MAX));
  return true;
}

// Scans "%d-%d" at the position; what does not scan stays 0.
IPlugBase::ChannelIO ScanChannelToken(const char* at) {
  IPlugBase::ChannelIO io{0, 0};
  if (ScanCount(at, &io.inputs) && *at == '-') {
    ++at;
    ScanCount(at, &io.outputs);
  }
  return io;
}

// The position behind the blank that follows the token at the position, or null at the end.
// Searching from behind the token keeps repeated blanks from yielding the same token twice.
const char* NextChannelToken(const char* at) {
  while (*at == ' ') ++at;
  while (*at && *at != ' ') ++at;
  return *at == ' ' ? at + 1 : nullptr;
}
}  // namespace

IPlugBase::IPlugBase(const PluginDescriptor& facts, int32_t pluginApi)
    : uniqueId_(facts.uniqueId),
      makerId_(facts.makerId),
      version_(facts.version),
      pluginApi_(pluginApi),
      doesStateChunks_(facts.doesStateChunks),
      isInstrument_(facts.isInstrument),
      doesMidi_(facts.doesMidi),
      latency_(facts.latency) {
  TRACE_OP("IPlugBase::IPlugBase");
  for (int32_t i = 0; i < facts.paramCount; ++i) {
    IParameter* param = new IParameter();
    if (!params_.Add(param)) delete param;
  }
  for (int32_t i = 0; i < facts.presetCount; ++i) {
    IPreset* preset = new IPreset();
    if (!presets_.Add(preset)) delete preset;
  }
  CopyText(effectName_, sizeof(effectName_), facts.effectName);
  CopyText(productName_, sizeof(productName_), facts.productName);
  CopyText(makerName_, sizeof(makerName_), facts.vendorName);
  ParseChannelIO(facts.channelIO);
}

IPlugBase::~IPlugBase() {
  TRACE_OP("IPlugBase::~IPlugBase");
  editor_.reset();
  params_.DeleteAll();
  presets_.DeleteAll();
  inputs_.DeleteAll();
  outputs_.DeleteAll();
  channelIO_.DeleteAll();
  inputBusLabels_.DeleteAll();
  outputBusLabels_.DeleteAll();
  latencyDelay_.reset();
}

void IPlugBase::ParseChannelIO(const char* text) {
  if (!text) return;
  int32_t maxInputs = 0, maxOutputs = 0;
  for (const char* at = text; at; at = NextChannelToken(at)) {
    ChannelIO* io = new ChannelIO(ScanChannelToken(at));
    if (!channelIO_.Add(io)) {
      delete io;
      break;
    }
    maxInputs = std::max(maxInputs, io->inputs);
    maxOutputs = std::max(maxOutputs, io->outputs);
  }
  MakeChannels(maxInputs, maxOutputs);
}

void IPlugBase::MakeChannels(int32_t inputCount, int32_t outputCount) {
  const int32_t limit = INT32_MAX / static_cast<int32_t>(sizeof(double*));
  if (inputCount > limit || outputCount > limit) return;
  // The pointer arrays are sized once here and never move: channels keep pointers into them.
  int32_t inputBytes = inputCount * static_cast<int32_t>(sizeof(double*));
  int32_t outputBytes = outputCount * static_cast<int32_t>(sizeof(double*));
  inputPointers_.Resize(inputBytes, false);
  outputPointers_.Resize(outputBytes, false);
  if (inputPointers_.GetSize() != inputBytes || outputPointers_.GetSize() != outputBytes) {
    inputPointers_.Resize(0, true);
    outputPointers_.Resize(0, true);
    return;
  }
  if (inputBytes) std::memset(inputPointers_.Get(), 0, static_cast<size_t>(inputBytes));
  if (outputBytes) std::memset(outputPointers_.Get(), 0, static_cast<size_t>(outputBytes));
  AddChannels(inputs_, inputCount, GetInputPointers());
  AddChannels(outputs_, outputCount, GetOutputPointers());
}

void IPlugBase::AddChannels(PtrArray<Channel>& channels, int32_t count, double** pointers) {
  for (int32_t i = 0; i < count; ++i) {
    Channel* channel = new Channel();
    channel->entry = pointers + i;
    if (!channels.Add(channel)) delete channel;
  }
}

void IPlugBase::CreateLatencyDelay(int32_t delayLength) {
  latencyDelay_ = std::make_unique<ILatencyDelay>(GetInputCount(), GetOutputCount(), delayLength);
}

bool IPlugBase::IsInputConnected(int32_t index) const {
  const Channel* channel = inputs_.Get(index);
  return channel && channel->connected;
}

bool IPlugBase::IsOutputConnected(int32_t index) const {
  const Channel* channel = outputs_.Get(index);
  return channel && channel->connected;
}

const char* IPlugBase::GetInputChannelLabel(int32_t index) const {
  const Channel* channel = inputs_.Get(index);
  return channel ? channel->label.Get() : "";
}

const char* IPlugBase::GetOutputChannelLabel(int32_t index) const {
  const Channel* channel = outputs_.Get(index);
  return channel ? channel->label.Get() : "";
}

bool IPlugBase::AcceptsChannelIO(int32_t inputs, int32_t outputs) const {
  for (int32_t i = 0; i < channelIO_.GetSize(); ++i) {
    const ChannelIO* io = channelIO_.Get(i);
    if ((inputs < 0 || io->inputs == inputs) && (outputs < 0 || io->outputs == outputs)) return true;
  }
  return false;
}

void IPlugBase::Reset() {
  TRACE_OP("IPlugBase::Reset");
  LockGuard guard(lock_);
}

void IPlugBase::ParameterChanged(int32_t /*paramIdx*/) {
  TRACE_OP("IPlugBase::ParameterChanged");
  LockGuard guard(lock_);
}

void IPlugBase::ActiveStateChanged(bool /*active*/) {
  TRACE_OP("IPlugBase::ActiveStateChanged");
  LockGuard guard(lock_);
}

void IPlugBase::HandleMidiEvent(const IMidiEvent& event) { SendMidiEvent(event); }

bool IPlugBase::GetMidiNoteName(int32_t /*note*/, char* textOut) {
  if (textOut) textOut[0] = 0;
  return false;
}

void IPlugBase::SetParameterFromGUI(int32_t paramIdx, double normalizedValue) {
  TRACE_OP("IPlugBase::SetParameterFromGUI");
  LockGuard guard(lock_);
  IParameter* param = GetParameter(paramIdx);
  if (!param) return;
  param->SetNormalized(normalizedValue);
  SendParamToHost(paramIdx, normalizedValue);
  ParameterChanged(paramIdx);
}

void IPlugBase::AttachEditor(IEditor* editor) {
  TRACE_OP("IPlugBase::AttachEditor");
  if (!editor) return;
  LockGuard guard(lock_);
  for (int32_t i = 0; i < GetParameterCount(); ++i) {
    editor->UpdateParameterControls(i, GetParameter(i)->GetNormalized(), true);
  }
  editor->CreateDrawBitmaps();
  // Attaching the editor already held keeps it; any other replaces (and deletes) it.
  if (editor != editor_.get()) editor_.reset(editor);
}

void IPlugBase::RefreshParamControls() {
  TRACE_OP("IPlugBase::RefreshParamControls");
  if (!editor_) return;
  for (int32_t i = 0; i < GetParameterCount(); ++i) {
    editor_->UpdateParameterControls(i, GetParameter(i)->Value(), false);
  }
}

void IPlugBase::NotifyAllParamChanges() {
  TRACE_OP("IPlugBase::NotifyAllParamChanges");
  for (int32_t i = 0; i < GetParameterCount(); ++i) ParameterChanged(i);
}

const char* IPlugBase::GetOutputBusLabel(int32_t index) const {
  const GrowString* label = outputBusLabels_.Get(index);
  return label ? label->Get() : "";
}

const char* IPlugBase::GetInputBusLabel(int32_t index) const {
  const GrowString* label = inputBusLabels_.Get(index);
  return label ? label->Get() : "";
}

bool IPlugBase::SetOutputBusLabel(int32_t index, const char* text) {
  TRACE_OP("IPlugBase::SetOutputBusLabel");
  return ReplaceLabel(outputBusLabels_, index, text);
}

bool IPlugBase::SetInputBusLabel(int32_t index, const char* text) {
  TRACE_OP("IPlugBase::SetInputBusLabel");
  return ReplaceLabel(inputBusLabels_, index, text);
}

// The new text is made first, so a label that cannot be stored leaves the old one in place; a
// replaced entry's slot stays allocated, so only an appended label can fail to be inserted.
bool IPlugBase::ReplaceLabel(PtrArray<GrowString>& labels, int32_t index, const char* text) {
  auto label = std::make_unique<GrowString>();
  if (!label->Set(text)) return false;
  labels.DeleteOwnedString(index);
  if (!labels.Insert(index, label.get())) return false;
  label.release();
  return true;
}
