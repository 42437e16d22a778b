// IPlugVST3: the framework's VST3 binding. One object is the host's component, audio
// processor and edit controller (a single-component effect) and the plug-in base beneath the
// plug-in class. Host calls are checked here once and turned into IPlugBase operations; the
// plug-in's calls up to the host (gestures, context menu, resize, latency) go out through the
// component handler and the view's frame. Sources: iplug_vst3.cpp (set-up), _process.cpp,
// _state.cpp, _controller.cpp; the view is IPlugVST3View.
#pragma once

#include <atomic>
#include <vector>

#include "core/iplug_base.h"
#include "platform/vst3/single_component_effect.h"
#include "platform/vst3/vst3_units.h"

class IPlugVST3View;

// What the plug-in class hands its binding's constructor: nothing, for VST3.
struct IPlugInstanceInfo {};

class IPlugVST3 : public IPlugBase, public Steinberg::Vst::IUnitInfo, public Steinberg::Vst::SingleComponentEffect {
 public:
  using tresult = Steinberg::tresult;
  using ParamID = Steinberg::Vst::ParamID;
  using ParamValue = Steinberg::Vst::ParamValue;
  static constexpr ParamID kBypassParamId = 0x62706173;  // 'bpas'
  static constexpr ParamID kPresetParamId = 0x70727374;  // 'prst'

  // [UI thread, creation lock held; allocates] The record need not outlive the call.
  IPlugVST3(IPlugInstanceInfo info, const PluginDescriptor& facts);
  ~IPlugVST3() override;

  // One answer for every interface of the object, IUnitInfo included [any thread].
  tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return SingleComponentEffect::addRef(); }
  Steinberg::uint32 PLUGIN_API release() override { return SingleComponentEffect::release(); }

  // ---- Component and processor (iplug_vst3.cpp, _process.cpp) ----
  // [UI thread; allocates the host-visible parameters and buses]
  tresult PLUGIN_API initialize(Steinberg::FUnknown* context) override;
  tresult PLUGIN_API terminate() override;
  tresult PLUGIN_API setActive(Steinberg::TBool state) override;
  tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs, Steinberg::int32 numIns,
                                        Steinberg::Vst::SpeakerArrangement* outputs, Steinberg::int32 numOuts) override;
  tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 symbolicSampleSize) override;
  Steinberg::uint32 PLUGIN_API getLatencySamples() override;
  // [UI thread; allocates the scratch buffers]
  tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) override;
  // [audio thread, takes the lock; no allocation]
  tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) override;

  // ---- State, through the component and the controller alike (_state.cpp) [UI thread; lock only to copy] ----
  tresult PLUGIN_API setState(Steinberg::IBStream* state) override;
  tresult PLUGIN_API getState(Steinberg::IBStream* state) override;

  // ---- Controller (_controller.cpp) [UI thread, no lock] ----
  // Texts and conversions are the host-visible parameters' own (vst3_host_parameters.h). The
  // bypass reads back what the controller was last told, by setParamNormalized or by the
  // processor's flag changing; what plays follows the processor's flag alone.
  ParamValue PLUGIN_API getParamNormalized(ParamID id) override;
  tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) override;
  Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) override;

  // ---- IUnitInfo [UI thread] ----
  Steinberg::int32 PLUGIN_API getUnitCount() override;
  tresult PLUGIN_API getUnitInfo(Steinberg::int32 unitIndex, Steinberg::Vst::UnitInfo& info) override;
  Steinberg::int32 PLUGIN_API getProgramListCount() override { return 0; }
  tresult PLUGIN_API getProgramListInfo(Steinberg::int32 listIndex, Steinberg::Vst::ProgramListInfo& info) override;
  tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId, Steinberg::int32 programIndex,
                                    Steinberg::String128 name) override;
  tresult PLUGIN_API getProgramInfo(Steinberg::Vst::ProgramListID, Steinberg::int32, Steinberg::Vst::CString,
                                    Steinberg::String128) override;
  tresult PLUGIN_API hasProgramPitchNames(Steinberg::Vst::ProgramListID, Steinberg::int32) override;
  tresult PLUGIN_API getProgramPitchName(Steinberg::Vst::ProgramListID, Steinberg::int32, Steinberg::int16,
                                         Steinberg::String128) override;
  Steinberg::Vst::UnitID PLUGIN_API getSelectedUnit() override { return 0; }
  tresult PLUGIN_API selectUnit(Steinberg::Vst::UnitID) override;
  tresult PLUGIN_API getUnitByBus(Steinberg::Vst::MediaType, Steinberg::Vst::BusDirection, Steinberg::int32,
                                  Steinberg::int32, Steinberg::Vst::UnitID&) override;
  tresult PLUGIN_API setUnitProgramData(Steinberg::int32, Steinberg::int32, Steinberg::IBStream*) override;

  Steinberg::FIDString isA() const override { return "IPlugVST3"; }
  bool isTypeOf(Steinberg::FIDString name, bool askBaseClass = true) const override;

  // ---- IPlugBase operations that call up to the host ----
  // [UI thread, no lock of ours] Through the component handler; nothing without one.
  void BeginParamGesture(int32_t paramIdx) override;
  void SendParamToHost(int32_t paramIdx, double normalizedValue) override;
  void EndParamGesture(int32_t paramIdx) override;
  void AskHostToRefresh() override {}
  // [UI thread] The host's menu for the parameter, anchored at the first open view.
  void PopupHostContextMenu(int32_t paramIdx, int32_t x, int32_t y) override;
  // [UI thread] Asks the first open view's frame for the size.
  void ResizeEditor(int32_t width, int32_t height) override;
  // [any thread] From the set-up's process mode.
  bool IsOfflineRender() override;
  // [any thread, takes the lock; no allocation] From the last block's process context, which
  // process stores under the lock.
  int32_t GetSamplePosition() override;
  double GetTempo() override;
  void GetTimeSignature(int32_t* numerator, int32_t* denominator) override;
  void GetTransport(ITransportInfo* info) override;
  // [UI thread; allocates the delay ring] Then tells the host the latency changed.
  void SetLatency(int32_t samples) override;
  // [audio thread] Nothing reaches the host: no event outputs.
  bool SendMidiEvent(const IMidiEvent&) override { return false; }
  bool SendSysExEvent(const ISysExEvent&) override { return false; }

  // For the view [UI thread].
  bool AddView(IPlugVST3View* view);  // false when the list cannot grow
  void RemoveView(IPlugVST3View* view);
  int32_t GetOpenViewCount() const { return static_cast<int32_t>(views_.size()); }

 private:
  // The host's name, when the context offers one, becomes the plug-in base's host.
  void IdentifyHost(Steinberg::FUnknown* context);
  bool BuildBuses();
  bool BuildParameters();
  bool AddPlugParameter(int32_t index);
  // The plug-in's parameter a host identifier names, or null (the bypass, the preset, unknown ids).
  IParameter* ParameterForId(ParamID id) const {
    return id < static_cast<ParamID>(GetParameterCount()) ? GetParameter(static_cast<int32_t>(id)) : nullptr;
  }
  Steinberg::Vst::UnitID UnitOfGroup(const char* group);
  void ApplyParameterChanges(Steinberg::Vst::IParameterChanges* changes);
  void ApplyHostEvents(Steinberg::Vst::IEventList* events);
  // [audio or UI thread, instance lock held] What plays, and what the controller then reads.
  void PlayBypassed(bool bypassed);
  tresult CheckProcessData(const Steinberg::Vst::ProcessData& data) const;
  tresult ProcessLocked(Steinberg::Vst::ProcessData& data);
  int32_t ConnectBuses(const Steinberg::Vst::ProcessData& data);
  void SilenceInputsFrom(int32_t first, int32_t frames);
  void Process32(Steinberg::Vst::ProcessData& data);
  void Process64(Steinberg::Vst::ProcessData& data);
  void FinishOutputs(Steinberg::Vst::ProcessData& data);
  Steinberg::Vst::ProcessContext LastContext();

  std::vector<IPlugVST3View*> views_;  // open views, not owned
  Steinberg::Vst::ProcessContext lastContext_{};  // guarded by the instance lock
  // The bypass as the controller answers it: written by the UI thread and the audio thread.
  std::atomic<double> controllerBypass_{0.0};
  static_assert(std::atomic<double>::is_always_lock_free, "the audio thread must not lock");
};
