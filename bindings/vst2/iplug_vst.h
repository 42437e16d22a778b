// IPlugVST: the framework's VST2 binding. The object owns the effect record handed to the host;
// the record's callbacks check what the host passes once and turn it into IPlugBase operations
// under the instance lock, and the plug-in's calls up to the host go out through one helper
// that answers 0 without a host callback. No exception leaves a callback. Sources:
// iplug_vst.cpp (construction, host calls, transport), _dispatch.cpp (the dispatcher),
// _chunks.cpp (programs and banks), _process.cpp (the audio callbacks).
#pragma once

#include <cstdint>

#include "core/iplug_base.h"
#include "platform/vst2/vst2_abi.h"

// What the plug-in class hands its binding's constructor: the host's callback (may be null).
struct IPlugInstanceInfo {
  vst2::audioMasterCallback hostCallback = nullptr;
};

class IPlugVST : public IPlugBase {
 public:
  using VstInt32 = vst2::VstInt32;
  using VstIntPtr = vst2::VstIntPtr;
  static constexpr int32_t kDefaultBlockSize = 1024;
  static constexpr int32_t kHostStringSize = 256;  // the host's product string buffer

  // [UI thread, creation lock held; allocates] The record need not outlive the call.
  IPlugVST(IPlugInstanceInfo info, const PluginDescriptor& facts);
  ~IPlugVST() override;

  vst2::AEffect* GetEffect() { return &effect_; }
  // The plug-in behind a record, or null (a null record, or one whose object is null).
  static IPlugVST* FromEffect(vst2::AEffect* effect);

  // ---- The record's callbacks [host threads; each takes the instance lock] ----
  // [UI thread mostly; audio thread for events, idle and process state] Never throws.
  static VstIntPtr VSTCALLBACK DispatcherCallback(vst2::AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                  VstIntPtr value, void* ptr, float opt);
  // [any thread; no allocation]
  static float VSTCALLBACK GetParameterCallback(vst2::AEffect* effect, VstInt32 index);
  static void VSTCALLBACK SetParameterCallback(vst2::AEffect* effect, VstInt32 index, float value);
  // [audio thread; no allocation unless a block is longer than any before] (_process.cpp)
  static void VSTCALLBACK ProcessCallback(vst2::AEffect* effect, float** inputs, float** outputs, VstInt32 frames);
  static void VSTCALLBACK ProcessReplacingCallback(vst2::AEffect* effect, float** inputs, float** outputs,
                                                   VstInt32 frames);
  static void VSTCALLBACK ProcessDoubleReplacingCallback(vst2::AEffect* effect, double** inputs, double** outputs,
                                                         VstInt32 frames);

  // ---- IPlugBase operations that call up to the host [UI thread unless said] ----
  void BeginParamGesture(int32_t paramIdx) override;
  void SendParamToHost(int32_t paramIdx, double normalizedValue) override;
  void EndParamGesture(int32_t paramIdx) override;
  void AskHostToRefresh() override;
  // [any thread]
  bool IsOfflineRender() override;
  // [audio thread, lock held; no allocation] From the host's time information.
  int32_t GetSamplePosition() override;
  double GetTempo() override;
  void GetTimeSignature(int32_t* numerator, int32_t* denominator) override;
  void GetTransport(ITransportInfo* info) override;
  // [UI thread] Asks the host's product string and version once.
  int32_t GetHostId() override;
  void ResizeEditor(int32_t width, int32_t height) override;
  // [UI thread, at effOpen] Once per instance.
  void AdaptToHost() override;
  void AttachEditor(IEditor* editor) override;
  // [UI thread; allocates] The host is not told.
  void SetLatency(int32_t samples) override;
  // [audio thread, lock held] True when the host took the event.
  bool SendMidiEvent(const IMidiEvent& event) override;
  bool SendSysExEvent(const ISysExEvent& event) override;

  // For tests: the editor rectangle and the stored speaker arrangements.
  const vst2::ERect& GetEditorRect() const { return editorRect_; }

 private:
  // Every call up to the host goes through here: 0 without a host callback.
  VstIntPtr CallHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
  // The host's time information for the mask, or null.
  const vst2::VstTimeInfo* HostTime(VstInt32 mask);
  void SetEditorRect();
  static void MakeArrangement(vst2::VstSpeakerArrangement* arrangement, int32_t channels);

  // [instance lock held] One dispatcher opcode (_dispatch.cpp); effClose is handled before.
  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
  VstIntPtr GetPinProperties(bool input, VstInt32 index, void* ptr);
  VstIntPtr StringToParameter(VstInt32 index, const char* text);
  VstIntPtr VendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
  VstIntPtr CanDo(const char* text);
  VstIntPtr ProcessEvents(const vst2::VstEvents* events);
  void ConnectArrangement(bool input, const vst2::VstSpeakerArrangement* arrangement);
  // Programs and banks (_chunks.cpp).
  VstIntPtr GetChunk(VstInt32 index, void** data);
  VstIntPtr SetChunk(VstInt32 index, VstIntPtr size, const void* data);

  // [audio thread, lock held] (_process.cpp)
  void RunFloat(float** inputs, float** outputs, VstInt32 frames, bool accumulate);
  void RunDouble(double** inputs, double** outputs, VstInt32 frames);

  vst2::ERect editorRect_{};
  vst2::audioMasterCallback host_;
  vst2::VstSpeakerArrangement inputArrangement_;
  vst2::VstSpeakerArrangement outputArrangement_;
  bool adaptedToHost_ = false;
  IStateChunk programChunk_;  // what effGetChunk hands out for one program
  IStateChunk bankChunk_;     // and for the bank
  vst2::AEffect effect_;
};

