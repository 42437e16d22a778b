// TestBinding: a format binding for tests. It implements the host-facing pure operations of
// IPlugBase as a recording host (gestures, values sent to the host, refresh and resize
// requests, MIDI) and drives blocks, parameters and state exactly as a binding does, under
// the instance lock. Derive a plug-in class from it to test it headless; every path runs with
// a null editor. Recording allocates: tests only.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/iplug_base.h"

class TestBinding : public IPlugBase {
 public:
  static constexpr int32_t kApiTest = -1;  // none of the host APIs
  static constexpr int32_t kDefaultBlockSize = 1024;

  struct HostCall {
    enum Kind {
      kBeginParamGesture,
      kSendParamToHost,
      kEndParamGesture,
      kParameterChanged,  // recorded by TestBinding's own ParameterChanged only
      kAskHostToRefresh,
      kResizeEditor,
      kSendMidiEvent,
    };
    Kind kind;
    int32_t index = -1;  // parameter index, or width for kResizeEditor
    double value = 0.0;  // value sent, the parameter's value when changed, or height
    bool operator==(const HostCall& other) const {
      return kind == other.kind && index == other.index && value == other.value;
    }
  };

  // The plug-in base from the record. Like a binding's constructor it then connects every
  // channel, creates the latency delay when there are inputs and sets a block size of
  // kDefaultBlockSize. The host id stays -1 until SetHost.
  explicit TestBinding(const PluginDescriptor& facts);

  // ---- What a binding does ----
  // Sample rate, Reset and ParameterChanged for every parameter, as before the first block.
  void Prepare(double sampleRate = 44100.0);
  // One float block: grows the scratch for an oversize block, connects the host's channels
  // (the rest not connected), binds, then runs or (when bypassed) bypasses, under the lock.
  // False when the block could not be held whole.
  bool ProcessHostBlock(float** inputs, int32_t inputCount, float** outputs, int32_t outputCount,
                        int32_t frames);
  // A host's parameter change: under the lock, the value from normalised, the editor's
  // controls, then ParameterChanged. False for an unknown index.
  bool SetParameterFromHost(int32_t paramIdx, double normalizedValue);
  // The bare parameter state into an emptied chunk.
  bool SaveState(IStateChunk& chunk);
  // Restores from position 0 and redraws the editor's controls, as the bindings do.
  int32_t RestoreState(const IStateChunk& chunk);

  // ---- The recording host ----
  const std::vector<HostCall>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  // Runs inside every recorded call, after it is recorded (e.g. to probe the lock).
  std::function<void(const HostCall&)> onCall;
  ITransportInfo transport;  // what the transport queries answer
  std::vector<IMidiEvent> midiSent;

  void ParameterChanged(int32_t paramIdx) override;
  void BeginParamGesture(int32_t paramIdx) override;
  void SendParamToHost(int32_t paramIdx, double normalizedValue) override;
  void EndParamGesture(int32_t paramIdx) override;
  void AskHostToRefresh() override;
  int32_t GetSamplePosition() override { return static_cast<int32_t>(transport.samplePosition); }
  double GetTempo() override { return transport.tempo; }
  void GetTimeSignature(int32_t* numerator, int32_t* denominator) override;
  void GetTransport(ITransportInfo* info) override;
  void ResizeEditor(int32_t width, int32_t height) override;
  bool SendMidiEvent(const IMidiEvent& event) override;

 private:
  void Record(HostCall call);

  std::vector<HostCall> calls_;
};
