#include "tests/support/test_binding.h"

TestBinding::TestBinding(const PluginDescriptor& facts) : IPlugBase(facts, kApiTest) {
  ConnectInputChannels(0, GetInputCount(), true);
  ConnectOutputChannels(0, GetOutputCount(), true);
  if (GetInputCount() > 0) CreateLatencyDelay(facts.latency);
  SetBlockSize(kDefaultBlockSize);
}

void TestBinding::Prepare(double sampleRate) {
  LockGuard guard(GetLock());
  SetSampleRate(sampleRate);
  Reset();
  NotifyAllParamChanges();
}

bool TestBinding::ProcessHostBlock(float** inputs, int32_t inputCount, float** outputs, int32_t outputCount,
                                   int32_t frames) {
  LockGuard guard(GetLock());
  bool whole = EnsureBlockSize(frames);
  const int32_t totalIn = GetInputCount(), totalOut = GetOutputCount();
  inputCount = inputCount < totalIn ? inputCount : totalIn;
  outputCount = outputCount < totalOut ? outputCount : totalOut;
  ConnectInputChannels(0, inputCount, true);
  ConnectInputChannels(inputCount, totalIn - inputCount, false);
  BindInputBuffers(0, totalIn, inputs, frames);
  ConnectOutputChannels(0, outputCount, true);
  ConnectOutputChannels(outputCount, totalOut - outputCount, false);
  BindOutputBuffers(0, totalOut, outputs);
  if (GetBypassed()) {
    BypassFloatBlock(frames);
  } else {
    RunFloatBlock(frames);
  }
  return whole;
}

bool TestBinding::SetParameterFromHost(int32_t paramIdx, double normalizedValue) {
  LockGuard guard(GetLock());
  IParameter* param = GetParameter(paramIdx);
  if (!param) return false;
  param->SetNormalized(normalizedValue);
  if (IEditor* editor = GetEditor()) editor->UpdateParameterControls(paramIdx, normalizedValue, true);
  ParameterChanged(paramIdx);
  return true;
}

bool TestBinding::SaveState(IStateChunk& chunk) {
  chunk.Clear();
  return WriteState(chunk);
}

int32_t TestBinding::RestoreState(const IStateChunk& chunk) {
  int32_t end = ReadState(chunk, 0);
  RefreshParamControls();
  return end;
}

void TestBinding::Record(HostCall call) {
  calls_.push_back(call);
  if (onCall) onCall(call);
}

void TestBinding::ParameterChanged(int32_t paramIdx) {
  LockGuard guard(GetLock());
  const IParameter* param = GetParameter(paramIdx);
  Record({HostCall::kParameterChanged, paramIdx, param ? param->Value() : 0.0});
}

void TestBinding::BeginParamGesture(int32_t paramIdx) { Record({HostCall::kBeginParamGesture, paramIdx}); }

void TestBinding::SendParamToHost(int32_t paramIdx, double normalizedValue) {
  Record({HostCall::kSendParamToHost, paramIdx, normalizedValue});
}

void TestBinding::EndParamGesture(int32_t paramIdx) { Record({HostCall::kEndParamGesture, paramIdx}); }

void TestBinding::AskHostToRefresh() { Record({HostCall::kAskHostToRefresh}); }

void TestBinding::GetTimeSignature(int32_t* numerator, int32_t* denominator) {
  if (numerator) *numerator = transport.numerator;
  if (denominator) *denominator = transport.denominator;
}

void TestBinding::GetTransport(ITransportInfo* info) {
  if (info) *info = transport;
}

void TestBinding::ResizeEditor(int32_t width, int32_t height) { Record({HostCall::kResizeEditor, width, double(height)}); }

bool TestBinding::SendMidiEvent(const IMidiEvent& event) {
  midiSent.push_back(event);
  Record({HostCall::kSendMidiEvent, event.status});
  return true;
}
