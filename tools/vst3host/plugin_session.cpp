#include "tools/vst3host/plugin_session.h"

#include <cstring>

#include "platform/vst3/vst3_edit_controller.h"

namespace vst3host {

std::string BundleBinaryPath(const std::string& bundlePath) {
  std::string bundle = bundlePath;
  while (!bundle.empty() && (bundle.back() == '/' || bundle.back() == '\\')) bundle.pop_back();
  size_t slash = bundle.find_last_of("/\\");
  std::string name = slash == std::string::npos ? bundle : bundle.substr(slash + 1);
  return bundle + "/Contents/x86_64-win/" + name;
}

bool Vst3Module::Load(const std::string& bundlePath, std::string& error) {
  if (!library_.Load(BundleBinaryPath(bundlePath), error)) return false;
  auto initDll = reinterpret_cast<bool (*)()>(library_.Symbol("InitDll"));
  exitDll_ = reinterpret_cast<bool (*)()>(library_.Symbol("ExitDll"));
  getFactory_ = reinterpret_cast<FactoryProc>(library_.Symbol("GetPluginFactory"));
  if (!getFactory_) {
    error = "the module exports no GetPluginFactory";
    return false;
  }
  if (initDll && !initDll()) {
    error = "InitDll failed";
    return false;
  }
  factory_ = getFactory_();
  if (!factory_) {
    error = "GetPluginFactory returned null";
    return false;
  }
  return true;
}

void Vst3Module::Unload() {
  if (factory_) factory_->release();
  factory_ = nullptr;
  if (exitDll_ && library_.IsLoaded()) exitDll_();
  exitDll_ = nullptr;
  library_.Unload();
}

bool Vst3Module::EffectClassId(TUID cid) const {
  if (!factory_) return false;
  for (int32 i = 0; i < factory_->countClasses(); ++i) {
    PClassInfo info{};
    if (factory_->getClassInfo(i, &info) == kResultOk && std::strncmp(info.category, "Audio Module Class", 32) == 0) {
      std::memcpy(cid, info.cid, sizeof(TUID));
      return true;
    }
  }
  return false;
}

bool PluginInstance::Create(const Vst3Module& module, HostApplication& host, std::string& error) {
  TUID cid;
  if (!module.EffectClassId(cid)) {
    error = "the factory lists no audio effect class";
    return false;
  }
  void* obj = nullptr;
  if (module.Factory()->createInstance(cid, IComponent::iid.bytes, &obj) != kResultOk || !obj) {
    error = "createInstance failed";
    return false;
  }
  component = static_cast<IComponent*>(obj);
  if (component->queryInterface(IAudioProcessor::iid.bytes, &obj) != kResultOk) {
    error = "the component is no audio processor";
    return false;
  }
  processor = static_cast<IAudioProcessor*>(obj);
  // A single-component effect has no separate controller class: the component is the controller.
  if (component->queryInterface(IEditController::iid.bytes, &obj) != kResultOk) {
    error = "no edit controller on the component";
    return false;
  }
  controller = static_cast<IEditController*>(obj);
  if (component->initialize(&host) != kResultOk) {
    error = "initialize failed";
    return false;
  }
  initialized_ = true;
  return true;
}

bool PluginInstance::StartProcessing(double sampleRate, int32 maxBlock, int32 sampleSize, std::string& error) {
  SpeakerArrangement mono = SpeakerArr::kMono;
  if (processor->setBusArrangements(&mono, 1, &mono, 1) != kResultOk) {
    error = "the plug-in refused mono in and out";
    return false;
  }
  ProcessSetup setup{kRealtime, sampleSize, maxBlock, sampleRate};
  if (processor->setupProcessing(setup) != kResultOk) {
    error = "setupProcessing failed";
    return false;
  }
  component->activateBus(kAudio, kInput, 0, 1);
  component->activateBus(kAudio, kOutput, 0, 1);
  if (component->setActive(1) != kResultOk) {
    error = "setActive failed";
    return false;
  }
  processor->setProcessing(1);  // kNotImplemented is an acceptable answer
  processing_ = true;
  return true;
}

tresult PluginInstance::Process32(const float* in, float* out, int32 frames, IParameterChanges* changes) {
  MonoProcessData<float> block(const_cast<float*>(in), out, frames, changes);
  return processor->process(block.data);
}

tresult PluginInstance::Process64(const double* in, double* out, int32 frames, IParameterChanges* changes) {
  MonoProcessData<double> block(const_cast<double*>(in), out, frames, changes);
  return processor->process(block.data);
}

uint32 PluginInstance::Destroy() {
  if (processing_) {
    processor->setProcessing(0);
    component->setActive(0);
    processing_ = false;
  }
  if (initialized_) component->terminate();
  initialized_ = false;
  if (controller) controller->release();
  if (processor) processor->release();
  uint32 left = component ? component->release() : 0;
  controller = nullptr;
  processor = nullptr;
  component = nullptr;
  return left;
}

}  // namespace vst3host
