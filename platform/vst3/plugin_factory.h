// CPluginFactory: the module's class factory: the factory information and the registered
// classes with their create functions. gPluginFactory names the live factory and is cleared
// when it is destroyed, so a host that releases it and asks again gets a fresh one. Hosts call
// it from one thread at a time; registerClass is set-up and may allocate.
#pragma once

#include <vector>

#include "platform/vst3/fobject.h"
#include "platform/vst3/vst3_plugin_factory_interfaces.h"

namespace Steinberg {

// Creates an instance and hands over its one reference as a base-interface pointer, or null.
using CreateInstanceFunc = FUnknown* (*)(void* context);

class CPluginFactory : public FObject, public IPluginFactory3 {
 public:
  explicit CPluginFactory(const PFactoryInfo& info);
  ~CPluginFactory() override;

  // Set-up, before the factory is handed out; false when the list cannot grow.
  bool registerClass(const PClassInfo2* info, CreateInstanceFunc create, void* context = nullptr);

  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  uint32 PLUGIN_API addRef() override { return AddReference(); }
  uint32 PLUGIN_API release() override { return ReleaseReference(); }

  tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) override;
  int32 PLUGIN_API countClasses() override;
  tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) override;
  tresult PLUGIN_API createInstance(FIDString cid, FIDString iid, void** obj) override;
  tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) override;
  tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) override;
  tresult PLUGIN_API setHostContext(FUnknown* context) override;

 private:
  struct ClassEntry {
    PClassInfo2 info;
    CreateInstanceFunc create;
    void* context;
  };
  const ClassEntry* Find(int32 index) const;

  PFactoryInfo factoryInfo_;
  std::vector<ClassEntry> classes_;
};

// The live factory of this module, or null.
extern CPluginFactory* gPluginFactory;

}  // namespace Steinberg
