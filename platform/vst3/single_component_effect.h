// SingleComponentEffect: one object that is the component, the audio processor and the edit
// controller at once, with the host context, the component handler, the bus lists and the
// parameter container. Subclasses override what they need; the defaults answer as a plain
// effect with no state would. Hosts find the controller by querying the component, since
// getControllerClassId fails. The host context and handler are referenced while held.
#pragma once

#include "platform/vst3/bus.h"
#include "platform/vst3/fobject.h"
#include "platform/vst3/parameter_container.h"
#include "platform/vst3/vst3_audio_processor.h"
#include "platform/vst3/vst3_component.h"
#include "platform/vst3/vst3_connection.h"
#include "platform/vst3/vst3_edit_controller.h"

namespace Steinberg {
namespace Vst {

class SingleComponentEffect : public FObject,
                              public IComponent,
                              public IAudioProcessor,
                              public IEditController,
                              public IEditController2,
                              public IConnectionPoint {
 public:
  SingleComponentEffect();
  ~SingleComponentEffect() override;

  // FUnknown (any thread)
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  uint32 PLUGIN_API addRef() override { return AddReference(); }
  uint32 PLUGIN_API release() override { return ReleaseReference(); }

  // IPluginBase (UI thread)
  tresult PLUGIN_API initialize(FUnknown* context) override;
  tresult PLUGIN_API terminate() override;

  // IComponent (UI thread); setState/getState serve IEditController too.
  tresult PLUGIN_API getControllerClassId(TUID classId) override;
  tresult PLUGIN_API setIoMode(IoMode mode) override;
  int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) override;
  tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus) override;
  tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) override;
  tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index, TBool state) override;
  tresult PLUGIN_API setActive(TBool state) override;
  tresult PLUGIN_API setState(IBStream* state) override;
  tresult PLUGIN_API getState(IBStream* state) override;

  // IAudioProcessor (set-up calls on the UI thread, process on the audio thread)
  tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                                        int32 numOuts) override;
  tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) override;
  tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) override;
  uint32 PLUGIN_API getLatencySamples() override { return 0; }
  tresult PLUGIN_API setupProcessing(ProcessSetup& setup) override;
  tresult PLUGIN_API setProcessing(TBool state) override;
  tresult PLUGIN_API process(ProcessData& data) override;
  uint32 PLUGIN_API getTailSamples() override { return 0; }

  // IEditController (UI thread)
  tresult PLUGIN_API setComponentState(IBStream* state) override;
  int32 PLUGIN_API getParameterCount() override;
  tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) override;
  tresult PLUGIN_API getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 string) override;
  tresult PLUGIN_API getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized) override;
  ParamValue PLUGIN_API normalizedParamToPlain(ParamID id, ParamValue valueNormalized) override;
  ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plainValue) override;
  ParamValue PLUGIN_API getParamNormalized(ParamID id) override;
  tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) override;
  tresult PLUGIN_API setComponentHandler(IComponentHandler* handler) override;
  IPlugView* PLUGIN_API createView(FIDString name) override;

  // IEditController2 (UI thread)
  tresult PLUGIN_API setKnobMode(KnobMode mode) override;
  tresult PLUGIN_API openHelp(TBool onlyCheck) override;
  tresult PLUGIN_API openAboutBox(TBool onlyCheck) override;

  // IConnectionPoint: nothing to connect to in a single component.
  tresult PLUGIN_API connect(IConnectionPoint* other) override;
  tresult PLUGIN_API disconnect(IConnectionPoint* other) override;
  tresult PLUGIN_API notify(IMessage* message) override;

  FIDString isA() const override { return "SingleComponentEffect"; }
  bool isTypeOf(FIDString name, bool askBaseClass = true) const override;

  // Edits towards the host's component handler; kResultFalse without one. UI thread.
  tresult beginEdit(ParamID id);
  tresult performEdit(ParamID id, ParamValue valueNormalized);
  tresult endEdit(ParamID id);

  IComponentHandler* getComponentHandler() const { return componentHandler_; }

 protected:
  // Set-up helpers; null when the list cannot grow.
  AudioBus* addAudioInput(const TChar* name, SpeakerArrangement arr, BusType type = kMain,
                          int32 flags = BusInfo::kDefaultActive);
  AudioBus* addAudioOutput(const TChar* name, SpeakerArrangement arr, BusType type = kMain,
                           int32 flags = BusInfo::kDefaultActive);
  EventBus* addEventInput(const TChar* name, int32 channels = 16, BusType type = kMain,
                          int32 flags = BusInfo::kDefaultActive);
  void removeAudioBusses();
  void removeEventBusses();
  BusList* getBusList(MediaType type, BusDirection dir);

  ParameterContainer parameters;
  BusList audioInputs{kAudio, kInput};
  BusList audioOutputs{kAudio, kOutput};
  BusList eventInputs{kEvent, kInput};
  BusList eventOutputs{kEvent, kOutput};
  ProcessSetup processSetup{kRealtime, kSample32, 1024, 44100.0};
  KnobMode knobMode = 0;

 private:
  bool initialized_ = false;  // a second initialize is refused, with or without a context
  FUnknown* hostContext_ = nullptr;
  IComponentHandler* componentHandler_ = nullptr;
};

}  // namespace Vst
}  // namespace Steinberg
