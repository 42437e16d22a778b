#include "platform/vst3/single_component_effect.h"

#include <new>

namespace Steinberg {
namespace Vst {

SingleComponentEffect::SingleComponentEffect() = default;

SingleComponentEffect::~SingleComponentEffect() {
  if (componentHandler_) componentHandler_->release();
  if (hostContext_) hostContext_->release();
}

tresult PLUGIN_API SingleComponentEffect::queryInterface(const TUID iid, void** obj) {
  if (!obj) return kInvalidArgument;
  *obj = nullptr;
  if (FUnknown::iid.Matches(iid) || IPluginBase::iid.Matches(iid) || IComponent::iid.Matches(iid))
    *obj = static_cast<IComponent*>(this);
  else if (IAudioProcessor::iid.Matches(iid))
    *obj = static_cast<IAudioProcessor*>(this);
  else if (IEditController::iid.Matches(iid))
    *obj = static_cast<IEditController*>(this);
  else if (IEditController2::iid.Matches(iid))
    *obj = static_cast<IEditController2*>(this);
  else if (IConnectionPoint::iid.Matches(iid))
    *obj = static_cast<IConnectionPoint*>(this);
  if (!*obj) return kNoInterface;
  addRef();
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::initialize(FUnknown* context) {
  if (initialized_) return kResultFalse;
  initialized_ = true;
  hostContext_ = context;
  if (hostContext_) hostContext_->addRef();
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::terminate() {
  parameters.removeAll();
  removeAudioBusses();
  removeEventBusses();
  if (componentHandler_) componentHandler_->release();
  componentHandler_ = nullptr;
  if (hostContext_) hostContext_->release();
  hostContext_ = nullptr;
  initialized_ = false;
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::getControllerClassId(TUID) { return kNotImplemented; }
tresult PLUGIN_API SingleComponentEffect::setIoMode(IoMode) { return kNotImplemented; }

BusList* SingleComponentEffect::getBusList(MediaType type, BusDirection dir) {
  if (type == kAudio) return dir == kInput ? &audioInputs : (dir == kOutput ? &audioOutputs : nullptr);
  if (type == kEvent) return dir == kInput ? &eventInputs : (dir == kOutput ? &eventOutputs : nullptr);
  return nullptr;
}

int32 PLUGIN_API SingleComponentEffect::getBusCount(MediaType type, BusDirection dir) {
  BusList* list = getBusList(type, dir);
  return list ? list->size() : 0;
}

tresult PLUGIN_API SingleComponentEffect::getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus) {
  BusList* list = getBusList(type, dir);
  return list && list->getInfo(index, bus) ? kResultOk : kInvalidArgument;
}

tresult PLUGIN_API SingleComponentEffect::getRoutingInfo(RoutingInfo&, RoutingInfo&) { return kNotImplemented; }

tresult PLUGIN_API SingleComponentEffect::activateBus(MediaType type, BusDirection dir, int32 index, TBool state) {
  BusList* list = getBusList(type, dir);
  Bus* bus = list ? list->at(index) : nullptr;
  if (!bus) return kInvalidArgument;
  bus->setActive(state != 0);
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setActive(TBool) { return kResultOk; }
tresult PLUGIN_API SingleComponentEffect::setState(IBStream*) { return kNotImplemented; }
tresult PLUGIN_API SingleComponentEffect::getState(IBStream*) { return kNotImplemented; }

tresult PLUGIN_API SingleComponentEffect::setBusArrangements(SpeakerArrangement*, int32, SpeakerArrangement*, int32) {
  return kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) {
  BusList* list = getBusList(kAudio, dir);
  auto* bus = list ? static_cast<AudioBus*>(list->at(index)) : nullptr;
  if (!bus) return kInvalidArgument;
  arr = bus->getArrangement();
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::canProcessSampleSize(int32 symbolicSampleSize) {
  return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API SingleComponentEffect::setupProcessing(ProcessSetup& setup) {
  processSetup = setup;
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setProcessing(TBool) { return kNotImplemented; }
tresult PLUGIN_API SingleComponentEffect::process(ProcessData&) { return kNotImplemented; }
tresult PLUGIN_API SingleComponentEffect::setComponentState(IBStream*) { return kNotImplemented; }

int32 PLUGIN_API SingleComponentEffect::getParameterCount() { return parameters.getParameterCount(); }

tresult PLUGIN_API SingleComponentEffect::getParameterInfo(int32 paramIndex, ParameterInfo& info) {
  Parameter* p = parameters.getParameterByIndex(paramIndex);
  if (!p) return kResultFalse;
  info = p->getInfo();
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                                String128 string) {
  Parameter* p = parameters.getParameter(id);
  if (!p || !string) return kResultFalse;
  p->toString(valueNormalized, string);
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::getParamValueByString(ParamID id, TChar* string,
                                                                ParamValue& valueNormalized) {
  Parameter* p = parameters.getParameter(id);
  if (!p || !string) return kResultFalse;
  return p->fromString(string, valueNormalized) ? kResultOk : kResultFalse;
}

ParamValue PLUGIN_API SingleComponentEffect::normalizedParamToPlain(ParamID id, ParamValue valueNormalized) {
  Parameter* p = parameters.getParameter(id);
  return p ? p->toPlain(valueNormalized) : valueNormalized;
}

ParamValue PLUGIN_API SingleComponentEffect::plainParamToNormalized(ParamID id, ParamValue plainValue) {
  Parameter* p = parameters.getParameter(id);
  return p ? p->toNormalized(plainValue) : plainValue;
}

ParamValue PLUGIN_API SingleComponentEffect::getParamNormalized(ParamID id) {
  Parameter* p = parameters.getParameter(id);
  return p ? p->getNormalized() : 0;
}

tresult PLUGIN_API SingleComponentEffect::setParamNormalized(ParamID id, ParamValue value) {
  Parameter* p = parameters.getParameter(id);
  if (!p) return kResultFalse;
  p->setNormalized(value);
  return kResultOk;
}

tresult PLUGIN_API SingleComponentEffect::setComponentHandler(IComponentHandler* handler) {
  if (handler == componentHandler_) return kResultTrue;
  if (handler) handler->addRef();
  if (componentHandler_) componentHandler_->release();
  componentHandler_ = handler;
  return kResultTrue;
}

IPlugView* PLUGIN_API SingleComponentEffect::createView(FIDString) { return nullptr; }

tresult PLUGIN_API SingleComponentEffect::setKnobMode(KnobMode mode) {
  knobMode = mode;
  return kResultTrue;
}
tresult PLUGIN_API SingleComponentEffect::openHelp(TBool) { return kResultFalse; }
tresult PLUGIN_API SingleComponentEffect::openAboutBox(TBool) { return kResultFalse; }

tresult PLUGIN_API SingleComponentEffect::connect(IConnectionPoint*) { return kResultFalse; }
tresult PLUGIN_API SingleComponentEffect::disconnect(IConnectionPoint*) { return kResultFalse; }
tresult PLUGIN_API SingleComponentEffect::notify(IMessage*) { return kResultFalse; }

bool SingleComponentEffect::isTypeOf(FIDString name, bool askBaseClass) const {
  if (!name) return false;
  if (std::strcmp(name, "SingleComponentEffect") == 0) return true;
  if (!askBaseClass) return false;
  return std::strcmp(name, "EditController") == 0 || std::strcmp(name, "ComponentBase") == 0 ||
         FObject::isTypeOf(name, true);
}

tresult SingleComponentEffect::beginEdit(ParamID id) {
  return componentHandler_ ? componentHandler_->beginEdit(id) : kResultFalse;
}
tresult SingleComponentEffect::performEdit(ParamID id, ParamValue valueNormalized) {
  return componentHandler_ ? componentHandler_->performEdit(id, valueNormalized) : kResultFalse;
}
tresult SingleComponentEffect::endEdit(ParamID id) {
  return componentHandler_ ? componentHandler_->endEdit(id) : kResultFalse;
}

namespace {
template <class BusT, class... Args>
BusT* AddBus(BusList& list, Args... args) {
  BusT* bus = new (std::nothrow) BusT(args...);
  return static_cast<BusT*>(list.add(std::unique_ptr<Bus>(bus)));
}
}  // namespace

AudioBus* SingleComponentEffect::addAudioInput(const TChar* name, SpeakerArrangement arr, BusType type, int32 flags) {
  return AddBus<AudioBus>(audioInputs, name, type, flags, arr);
}
AudioBus* SingleComponentEffect::addAudioOutput(const TChar* name, SpeakerArrangement arr, BusType type,
                                                int32 flags) {
  return AddBus<AudioBus>(audioOutputs, name, type, flags, arr);
}
EventBus* SingleComponentEffect::addEventInput(const TChar* name, int32 channels, BusType type, int32 flags) {
  return AddBus<EventBus>(eventInputs, name, type, flags, channels);
}

void SingleComponentEffect::removeAudioBusses() {
  audioInputs.clear();
  audioOutputs.clear();
}
void SingleComponentEffect::removeEventBusses() {
  eventInputs.clear();
  eventOutputs.clear();
}

}  // namespace Vst
}  // namespace Steinberg
