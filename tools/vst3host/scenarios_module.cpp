// Scenarios of the module's outer surface: exports, factory and class information, instance
// creation, the interfaces on one object, and reference counts back to zero.
#include <cstring>

#include "platform/vst3/vst3_audio_processor.h"
#include "platform/vst3/vst3_connection.h"
#include "platform/vst3/vst3_edit_controller.h"
#include "platform/vst3/vst3_units.h"
#include "tools/vst3host/plugin_session.h"
#include "tools/vst3host/scenarios.h"

namespace vst3host {

namespace {

const unsigned char kClassId[16] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F,
                                    'Q',  'N',  'V',  'D',  'K',  'V',  'R',  'L'};

bool FieldIs(const char* field, size_t size, const char* expected) {
  size_t n = std::strlen(expected);
  if (n > size || std::memcmp(field, expected, n) != 0) return false;
  for (size_t i = n; i < size; ++i)
    if (field[i]) return false;  // the rest of the field is zero-filled
  return true;
}

#define FIELD_IS(field, text) FieldIs(field, sizeof(field), text)

void CheckClassInfo(IPluginFactory* factory, Checks& c) {
  c.That(factory->countClasses() == 1, "exactly one class");
  PClassInfo info{};
  c.That(factory->getClassInfo(0, &info) == kResultOk, "getClassInfo(0)");
  c.That(std::memcmp(info.cid, kClassId, 16) == 0, "class id bytes, 8 to 15 spelling QNVDKVRL");
  c.That(info.cardinality == 0x7FFFFFFF, "any number of instances");
  c.That(FIELD_IS(info.category, "Audio Module Class") && FIELD_IS(info.name, "Kavrotel"), "category and name");
  c.That(factory->getClassInfo(1, &info) != kResultOk, "no second class");

  IPluginFactory2* f2 = nullptr;
  if (!c.That(factory->queryInterface(IPluginFactory2::iid.bytes, reinterpret_cast<void**>(&f2)) == kResultOk,
              "IPluginFactory2"))
    return;
  PClassInfo2 info2{};
  c.That(f2->getClassInfo2(0, &info2) == kResultOk, "getClassInfo2(0)");
  c.That(info2.classFlags == 2 && FIELD_IS(info2.subCategories, "Fx") && FIELD_IS(info2.vendor, "") &&
             FIELD_IS(info2.version, "1.0.0") && FIELD_IS(info2.sdkVersion, "VST 3.6.0"),
         "class flags, sub-category, empty vendor, versions");
  f2->release();

  IPluginFactory3* f3 = nullptr;
  if (!c.That(factory->queryInterface(IPluginFactory3::iid.bytes, reinterpret_cast<void**>(&f3)) == kResultOk,
              "IPluginFactory3"))
    return;
  PClassInfoW infoW{};
  c.That(f3->getClassInfoUnicode(0, &infoW) == kResultOk && infoW.name[0] == u'K' && infoW.name[8] == 0 &&
             std::memcmp(infoW.cid, kClassId, 16) == 0,
         "Unicode class information");
  f3->release();
}

}  // namespace

void ScenarioFactory(const std::string& bundle, Checks& c) {
  Vst3Module module;
  std::string error;
  if (!c.That(module.Load(bundle, error), "load: " + error)) return;
  IPluginFactory* factory = module.Factory();
  PFactoryInfo info{};
  c.That(factory->getFactoryInfo(&info) == kResultOk && FIELD_IS(info.vendor, "Quenvald") && info.flags == 0x10,
         "factory information: vendor Quenvald, Unicode flag");
  CheckClassInfo(factory, c);

  IPluginFactory* again = module.GetFactoryProc()();
  c.That(again == factory, "a second GetPluginFactory gives the same factory");
  c.That(again->release() == 1, "the second call added one reference");

  TUID wrong = {1, 2, 3};
  void* obj = reinterpret_cast<void*>(1);
  c.That(factory->createInstance(wrong, IComponent::iid.bytes, &obj) == kNoInterface && obj == nullptr,
         "an unknown class id gives kNoInterface and null");

  // A host that lets go of the factory and asks again must get a live one.
  c.That(factory->release() == 0, "releasing the only reference destroys the factory");
  IPluginFactory* fresh = module.GetFactoryProc()();
  c.That(fresh && fresh->countClasses() == 1, "after a full release GetPluginFactory builds a fresh factory");
  if (fresh) c.That(fresh->release() == 0, "the fresh factory has one reference");
  module.ForgetFactory();  // its reference was released above
}

void ScenarioLifecycle(const std::string& bundle, Checks& c) {
  Vst3Module module;
  std::string error;
  if (!c.That(module.Load(bundle, error), "load: " + error)) return;
  HostApplication host("Kavrotel test host");
  ComponentHandler handler;
  {
    PluginInstance instance;
    if (!c.That(instance.Create(module, host, error), "create: " + error)) return;
    IComponent* component = instance.component;
    TUID controllerId;
    c.That(component->getControllerClassId(controllerId) != kResultOk, "no separate controller class");
    c.That(component->initialize(&host) == kResultFalse, "a second initialize answers kResultFalse");

    struct Query {
      const char* name;
      const Uid& iid;
    } queries[] = {{"FUnknown", FUnknown::iid},           {"IPluginBase", IPluginBase::iid},
                   {"IAudioProcessor", IAudioProcessor::iid}, {"IEditController", IEditController::iid},
                   {"IEditController2", IEditController2::iid}, {"IConnectionPoint", IConnectionPoint::iid},
                   {"IUnitInfo", IUnitInfo::iid}};
    for (FUnknown* from : {static_cast<FUnknown*>(component), static_cast<FUnknown*>(instance.controller)}) {
      for (const Query& q : queries) {
        FUnknown* obj = nullptr;
        bool ok = from->queryInterface(q.iid.bytes, reinterpret_cast<void**>(&obj)) == kResultOk && obj;
        c.That(ok, std::string("queryInterface ") + q.name);
        if (ok) obj->release();
      }
    }
    FUnknown* none = reinterpret_cast<FUnknown*>(1);
    c.That(component->queryInterface(IPluginFactory::iid.bytes, reinterpret_cast<void**>(&none)) == kNoInterface &&
               !none,
           "an interface the object lacks gives kNoInterface and null");

    c.That(instance.controller->setComponentHandler(&handler) == kResultOk, "setComponentHandler");
    c.That(handler.References() > 1, "the plug-in holds the handler");
    c.That(host.References() > 1, "the plug-in holds the host context");
    if (!c.That(instance.StartProcessing(44100, 512, kSample32, error), "start: " + error)) return;
    c.That(instance.Destroy() == 0, "the last release brings the count to zero");
  }
  c.That(host.References() == 1, "the host context is released");
  c.That(handler.References() == 1, "the component handler is released");
}

}  // namespace vst3host
