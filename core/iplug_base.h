// IPlugBase: the plug-in base from which every format binding, and through it the plug-in
// class, derives. It owns the parameters, presets, channel records, latency delay and editor,
// and runs one block of float host audio through the plug-in's double-precision ProcessBlock.
// Bindings call down into its virtual operations and implement the pure ones that call up to
// the host. Everything runs with a null editor. The instance lock is recursive and guards the
// blocks, the state and the presets; the values one thread writes while another reads without
// it (parameter values, bypass, host, current preset, latency) are lock-free atomics.
//
// Index of this header: virtual operations (in slot order) | construction and identity |
// channels and the block frame | parameters, state and presets | host.
// Sources: iplug_base.cpp (construction, channels, editor), iplug_base_block.cpp (block frame),
// iplug_base_state.cpp (state), iplug_base_presets.cpp (presets), iplug_base_host.cpp (host).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "core/grow_buffer.h"
#include "core/grow_string.h"
#include "core/host_events.h"
#include "core/editor.h"
#include "core/iparameter.h"
#include "core/latency_delay.h"
#include "core/plugin_descriptor.h"
#include "core/preset.h"
#include "core/ptr_array.h"
#include "core/state_chunk.h"
#include "platform/recursive_lock.h"

class IPlugBase {
 public:
  enum EPluginApi { kApiVst2 = 0, kApiVst3 = 1, kApiAax = 4 };
  static constexpr int kNameCapacity = 128;

  struct ChannelIO {
    int32_t inputs;
    int32_t outputs;
  };

  // [UI thread, creation lock held by the factory; allocates] Identity, parameter and preset
  // counts, channel layout, latency and flags from the record, which need not outlive this call.
  IPlugBase(const PluginDescriptor& facts, int32_t pluginApi);
  IPlugBase(const IPlugBase&) = delete;
  IPlugBase& operator=(const IPlugBase&) = delete;

  // ---- Virtual operations, in slot order ----------------------------------------------------

  // [UI thread; frees] Deletes the editor first and the lock last.
  virtual ~IPlugBase();
  // [UI thread, takes the lock] The plug-in recomputes what depends on rate and models.
  virtual void Reset();
  // [any thread, takes the lock; no allocation] After every change of parameter paramIdx.
  virtual void ParameterChanged(int32_t paramIdx);
  // [audio thread, lock held; no allocation] Copies input i to output i for i below both
  // counts and zeroes the other outputs.
  virtual void ProcessBlock(double** inputs, double** outputs, int32_t frames);
  // [audio thread, lock held; no allocation] The same copy on float buffers.
  virtual void ProcessBlockFloat(float** inputs, float** outputs, int32_t frames);
  // [UI thread]
  virtual void EditorOpened() {}
  // [UI thread]
  virtual void EditorClosed() {}
  // [UI thread, takes the lock]
  virtual void ActiveStateChanged(bool active);
  // [audio thread, lock held] Passes the event on to SendMidiEvent.
  virtual void HandleMidiEvent(const IMidiEvent& event);
  // [audio thread, lock held]
  virtual void HandleSysExEvent(const ISysExEvent& /*event*/) {}
  // [UI thread] Writes "" and answers false.
  virtual bool GetMidiNoteName(int32_t note, char* textOut);
  // [UI thread, takes the lock; allocates before taking it] Appends the parameter state.
  virtual bool WriteState(IStateChunk& chunk);
  // [UI thread, takes the lock; no allocation] Restores it; the end position or -1.
  virtual int32_t ReadState(const IStateChunk& chunk, int32_t position);
  // [UI thread; no lock, no allocation] Whether storedCount little-endian doubles at
  // storedValues, read from value index startIndex on, equal the current values.
  virtual bool MatchesState(const void* storedValues, int32_t startIndex, int32_t storedCount);
  // [UI thread]
  virtual void EditorWindowResized() {}
  // [UI thread]
  virtual void HostIdentified() {}
  // [UI thread]
  virtual void PopupHostContextMenu(int32_t /*paramIdx*/, int32_t /*x*/, int32_t /*y*/) {}
  // [UI thread, takes the lock; no allocation] SetNormalized, SendParamToHost, ParameterChanged.
  virtual void SetParameterFromGUI(int32_t paramIdx, double normalizedValue);
  // Calls up to the host [UI thread, no lock of ours].
  virtual void BeginParamGesture(int32_t paramIdx) = 0;
  virtual void SendParamToHost(int32_t paramIdx, double normalizedValue) = 0;
  virtual void EndParamGesture(int32_t paramIdx) = 0;
  virtual void AskHostToRefresh() = 0;
  // [any thread]
  virtual bool IsOfflineRender() { return false; }
  // Transport queries [audio thread, lock held].
  virtual int32_t GetSamplePosition() = 0;
  virtual double GetTempo() = 0;
  virtual void GetTimeSignature(int32_t* numerator, int32_t* denominator) = 0;
  virtual void GetTransport(ITransportInfo* info) = 0;
  // [any thread]
  virtual int32_t GetHostId() { return hostId_.load(std::memory_order_relaxed); }
  // [any thread]
  virtual int32_t GetPluginApi() { return pluginApi_; }
  // [UI thread]
  virtual void ResizeEditor(int32_t width, int32_t height) = 0;
  // [UI thread]
  virtual void AdaptToHost() {}
  // [UI thread, takes the lock] Takes ownership; pushes every parameter's normalised value to
  // the editor, then has it create its drawing bitmaps. A previous editor is deleted.
  virtual void AttachEditor(IEditor* editor);
  // [UI thread, takes the lock; allocates the new delay line before taking it] Stores the
  // latency and puts a delay line of that length (from silence) in place of the old one.
  virtual void SetLatency(int32_t samples);
  // [audio thread, lock held]
  virtual bool SendMidiEvent(const IMidiEvent& event) = 0;
  // [audio thread, lock held]
  virtual bool SendSysExEvent(const ISysExEvent& /*event*/) { return false; }
  // [UI thread; no lock] Pushes every parameter's plain value to the editor's controls.
  virtual void RefreshParamControls();
  // [UI thread]
  virtual void MarkStateChanged() {}
  // [UI thread]
  virtual void OnHostPresetChange() {}
  // [set-up thread, or audio thread under EnsureBlockSize; allocates] Sizes every channel's
  // scratch buffer to frames doubles and zeroes it; nothing when unchanged.
  virtual void SetBlockSize(int32_t frames);

  // ---- Construction and identity [any thread; no allocation] ---------------------------------
  const char* GetEffectName() const { return effectName_; }
  const char* GetProductName() const { return productName_; }
  const char* GetMakerName() const { return makerName_; }
  int32_t GetUniqueId() const { return uniqueId_; }
  int32_t GetMakerId() const { return makerId_; }
  int32_t GetVersion() const { return version_; }
  int32_t GetHostVersion() const { return hostVersion_.load(std::memory_order_relaxed); }
  bool DoesMidi() const { return doesMidi_; }
  bool DoesStateChunks() const { return doesStateChunks_; }
  bool IsInstrument() const { return isInstrument_; }
  bool GetBypassed() const { return bypassed_.load(std::memory_order_relaxed); }
  void SetBypassed(bool bypassed) { bypassed_.store(bypassed, std::memory_order_relaxed); }
  double GetSampleRate() const { return sampleRate_; }
  // [set-up thread]
  void SetSampleRate(double rate) { sampleRate_ = rate; }
  int32_t GetBlockSize() const { return blockSize_; }
  int32_t GetLatency() const { return latency_.load(std::memory_order_relaxed); }
  ILatencyDelay* GetLatencyDelay() const { return latencyDelay_.get(); }
  IEditor* GetEditor() const { return editor_.get(); }
  RecursiveLock& GetLock() { return lock_; }

  // ---- Channels and the block frame ----------------------------------------------------------
  // [any thread; no allocation]
  int32_t GetChannelIOCount() const { return channelIO_.GetSize(); }
  const ChannelIO* GetChannelIO(int32_t index) const { return channelIO_.Get(index); }
  int32_t GetInputCount() const { return inputs_.GetSize(); }
  int32_t GetOutputCount() const { return outputs_.GetSize(); }
  bool IsInputConnected(int32_t index) const;
  bool IsOutputConnected(int32_t index) const;
  // The channel's label, "" outside the channels.
  const char* GetInputChannelLabel(int32_t index) const;
  const char* GetOutputChannelLabel(int32_t index) const;
  // What ProcessBlock receives: one pointer per channel, null when a side has no channels.
  double** GetInputPointers() const { return inputPointers_.GetAs<double*>(); }
  double** GetOutputPointers() const { return outputPointers_.GetAs<double*>(); }
  // The frames every scratch buffer holds (the block frame never touches more).
  int32_t GetScratchFrames() const;

  // The block frame [audio thread, lock held by the binding; no allocation].
  // A channel marked not connected reads or writes its own scratch buffer.
  void ConnectInputChannels(int32_t first, int32_t count, bool connected);
  void ConnectOutputChannels(int32_t first, int32_t count, bool connected);
  // Connected channels in the range consume the host buffers in order.
  void BindInputBuffers(int32_t first, int32_t count, float** hostBuffers, int32_t frames);
  void BindOutputBuffers(int32_t first, int32_t count, float** hostBuffers);
  // The plug-in's ProcessBlock, then every connected output narrowed into its host buffer.
  void RunFloatBlock(int32_t frames);
  // BypassBlock on the bound channels, then narrowed likewise.
  void BypassFloatBlock(int32_t frames);
  // The bypassed block: input to output through the latency delay while it has a length (and
  // a latency is set), else the base ProcessBlock's plain copy.
  void BypassBlock(double** inputs, double** outputs, int32_t frames);
  // Like RunFloatBlock, but adds into the host buffers.
  void RunFloatBlockAccumulating(int32_t frames);
  // Points connected channels straight at host double buffers.
  void BindInputBuffersDouble(int32_t count, double** hostBuffers);
  void BindOutputBuffersDouble(int32_t count, double** hostBuffers);
  // Grows the scratch buffers when a host sends a block longer than it announced; every block
  // path calls it before binding (the double paths too: a channel not connected works on its
  // scratch). Allocates only in that case. True when frames fit.
  bool EnsureBlockSize(int32_t frames);
  // [UI thread, lock held by the dispatcher] Input channels from 2 on are marked not
  // connected; output channels from 2 on are marked connected.
  void LimitToStereoIO();
  // [any thread; no lock, no allocation] True when a declared I/O pair matches; a negative
  // count matches any.
  bool AcceptsChannelIO(int32_t inputs, int32_t outputs) const;

  // ---- Parameters, state and presets ---------------------------------------------------------
  // [any thread; no allocation] Null outside the parameters.
  IParameter* GetParameter(int32_t index) const { return params_.Get(index); }
  int32_t GetParameterCount() const { return params_.GetSize(); }
  // [UI thread, takes the lock; allocates before taking it] The parameter state, appended to
  // the chunk.
  bool SerializeParams(IStateChunk& chunk);
  // [UI thread, takes the lock] Restores it from position; the end position or -1.
  int32_t UnserializeParams(const IStateChunk& chunk, int32_t position);
  // [UI thread] ParameterChanged for every parameter in index order.
  void NotifyAllParamChanges();

  // [UI thread; may allocate]
  int32_t GetPresetCount() const { return presets_.GetSize(); }
  IPreset* GetPreset(int32_t index) const { return presets_.Get(index); }
  int32_t GetCurrentPresetIndex() const { return currentPreset_.load(std::memory_order_relaxed); }
  // Restores (or, when uninitialised, initialises from the current state) preset index and
  // makes it current.
  bool ApplyPreset(int32_t index);
  // The first count uninitialised presets become "Empty" holding the current state.
  void FillEmptyPresets(int32_t count);
  // "user preset N", N one above the presets already named so (out holds 256 bytes).
  void MakeUserPresetName(char* out) const;
  // The preset's name, "" outside the presets.
  const char* GetPresetName(int32_t index) const;
  // The current state into the current preset; a non-empty name renames it.
  void StoreCurrentPreset(const char* name);
  bool WriteAllPresets(IStateChunk& chunk);
  int32_t ReadAllPresets(const IStateChunk& chunk, int32_t position);
  // Empties the chunk and writes the 8-byte header.
  bool WriteChunkHeader(IStateChunk& chunk) const;
  // The header's version with position moved past it, or 0 with position unchanged.
  int32_t ReadChunkHeader(const IStateChunk& chunk, int32_t* position) const;

  // Bus labels, set by the VST3 binding [UI thread; allocates]. Setting replaces entry index
  // (or inserts at the clamped index); false, the old label kept, when the text cannot be stored.
  int32_t GetOutputBusLabelCount() const { return outputBusLabels_.GetSize(); }
  const char* GetOutputBusLabel(int32_t index) const;
  bool SetOutputBusLabel(int32_t index, const char* text);
  int32_t GetInputBusLabelCount() const { return inputBusLabels_.GetSize(); }
  const char* GetInputBusLabel(int32_t index) const;
  bool SetInputBusLabel(int32_t index, const char* text);
  // The distinct non-empty parameter group texts, filled by the VST3 binding; not owned.
  PtrArray<const char>& ParamGroups() { return paramGroups_; }

  // ---- Host ----------------------------------------------------------------------------------
  // [UI thread; no allocation] host id = LookupHostId(name); version 0xMMMMmmbb.
  void SetHost(const char* hostName, int32_t hostVersion);

 protected:
  // For binding constructors: the bypass path's delay line over every channel.
  void CreateLatencyDelay(int32_t delayLength);
  void SetCurrentPresetIndex(int32_t index) { currentPreset_.store(index, std::memory_order_relaxed); }

 private:
  // One input or output channel.
  struct Channel {
    bool connected = false;
    double** entry = nullptr;      // this channel's slot in the input or output pointers
    float* destination = nullptr;  // outputs: the host buffer of the current block
    GrowBuffer scratch{4096};      // doubles
    GrowString label;
  };

  void ParseChannelIO(const char* text);
  void MakeChannels(int32_t inputCount, int32_t outputCount);
  static void AddChannels(PtrArray<Channel>& channels, int32_t count, double** pointers);
  static void PointAtScratch(Channel* channel);
  static void ConnectChannels(PtrArray<Channel>& channels, int32_t first, int32_t count, bool connected);
  static void BindChannelsDouble(PtrArray<Channel>& channels, int32_t count, double** hostBuffers);
  void NarrowOutputs(int32_t frames, int32_t processed, bool accumulate);
  int32_t ClampToScratch(int32_t frames) const;
  int32_t CountPresetsNamed(const char* text) const;
  static bool ReplaceLabel(PtrArray<GrowString>& labels, int32_t index, const char* text);

  PtrArray<ChannelIO> channelIO_;
  RecursiveLock lock_;
  char effectName_[kNameCapacity] = {};
  char productName_[kNameCapacity] = {};
  char makerName_[kNameCapacity] = {};
  int32_t uniqueId_;
  int32_t makerId_;
  int32_t version_;
  int32_t pluginApi_;
  // Shared without the lock (see the header's opening): relaxed, since none publishes other data.
  static_assert(std::atomic<int32_t>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
                "values shared with the audio thread must be lock-free");
  std::atomic<int32_t> hostId_{-1};
  std::atomic<int32_t> hostVersion_{0};
  bool doesStateChunks_;
  bool isInstrument_;
  bool doesMidi_;
  std::atomic<bool> bypassed_{false};
  std::atomic<int32_t> currentPreset_{0};
  double sampleRate_ = 44100.0;
  int32_t blockSize_ = 0;
  std::atomic<int32_t> latency_;
  std::unique_ptr<ILatencyDelay> latencyDelay_;
  std::unique_ptr<IEditor> editor_;
  PtrArray<IParameter> params_;
  PtrArray<IPreset> presets_;
  GrowBuffer inputPointers_{4096};
  GrowBuffer outputPointers_{4096};
  PtrArray<Channel> inputs_;
  PtrArray<Channel> outputs_;
  PtrArray<GrowString> inputBusLabels_;
  PtrArray<GrowString> outputBusLabels_;
  PtrArray<const char> paramGroups_;
};
