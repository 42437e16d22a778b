// A VST3 module and its instances as a host drives them, through the interfaces only:
// Vst3Module loads a bundle (library, InitDll, GetPluginFactory) and unloads it in reverse;
// PluginInstance creates the component, finds the controller on it, initialises it with a host
// context, sets up mono processing, runs blocks and releases everything on destruction.
#pragma once

#include <string>
#include <vector>

#include "tools/vst3host/host_objects.h"
#include "tools/vst3host/module_loader.h"
#include "platform/vst3/vst3_component.h"
#include "platform/vst3/vst3_plugin_factory_interfaces.h"

namespace vst3host {

// The DLL inside a bundle folder: <bundle>/Contents/x86_64-win/<bundle name>.
std::string BundleBinaryPath(const std::string& bundlePath);

class Vst3Module {
 public:
  Vst3Module() = default;
  ~Vst3Module() { Unload(); }
  bool Load(const std::string& bundlePath, std::string& error);
  void Unload();

  IPluginFactory* Factory() const { return factory_; }
  // For a scenario that released the module's factory reference itself.
  void ForgetFactory() { factory_ = nullptr; }
  // The class id of the first audio effect class.
  bool EffectClassId(TUID cid) const;
  // Raw export, for scenarios that call it again.
  using FactoryProc = IPluginFactory*(PLUGIN_API*)();
  FactoryProc GetFactoryProc() const { return getFactory_; }

 private:
  LoadedLibrary library_;
  IPluginFactory* factory_ = nullptr;
  FactoryProc getFactory_ = nullptr;
  bool (*exitDll_)() = nullptr;
};

class PluginInstance {
 public:
  PluginInstance() = default;
  ~PluginInstance() { Destroy(); }
  PluginInstance(const PluginInstance&) = delete;
  PluginInstance& operator=(const PluginInstance&) = delete;

  // createInstance, the controller on the component, initialize(host).
  bool Create(const Vst3Module& module, HostApplication& host, std::string& error);
  // Mono bus arrangement, setupProcessing, bus activation, setActive, setProcessing.
  bool StartProcessing(double sampleRate, int32 maxBlock, int32 sampleSize, std::string& error);
  // One mono block; changes may be null.
  tresult Process32(const float* in, float* out, int32 frames, IParameterChanges* changes);
  tresult Process64(const double* in, double* out, int32 frames, IParameterChanges* changes);
  // setProcessing(0), setActive(0), terminate and the releases. Returns the last count that
  // the plug-in reported for its component (0 when everything came back).
  uint32 Destroy();

  IComponent* component = nullptr;
  IAudioProcessor* processor = nullptr;
  IEditController* controller = nullptr;

 private:
  bool processing_ = false;
  bool initialized_ = false;
};

}  // namespace vst3host
