#include "bindings/vst3/vst3_factory.h"

#include <new>

#include "bindings/vst3/iplug_vst3.h"
#include "platform/vst3/plugin_factory.h"
#include "platform/vst3/vst3_strings.h"
#include "plugin/kavrotel_descriptor.h"

namespace vst3_binding {

using namespace Steinberg;

static_assert(sizeof(kKavrotelDescriptor.vst3ClassId) == sizeof(TUID), "the class id fills a TUID");

namespace {
// The two records, filled on first use and kept until the module unloads.
const PFactoryInfo& FactoryInfo() {
  static const PFactoryInfo info = [] {
    PFactoryInfo filled{};
    const PluginDescriptor& facts = kKavrotelDescriptor;
    BoundedCopy(filled.vendor, PFactoryInfo::kNameSize, facts.vendorName);
    BoundedCopy(filled.url, PFactoryInfo::kURLSize, facts.vendorUrl);
    BoundedCopy(filled.email, PFactoryInfo::kEmailSize, facts.vendorEmail);
    filled.flags = PFactoryInfo::kUnicode;
    return filled;
  }();
  return info;
}

const PClassInfo2& ClassInfo() {
  static const PClassInfo2 info = [] {
    const PluginDescriptor& facts = kKavrotelDescriptor;
    PClassInfo2 filled{};
    std::memcpy(filled.cid, facts.vst3ClassId.data(), sizeof(TUID));
    filled.cardinality = PClassInfo::kManyInstances;
    BoundedCopy(filled.category, PClassInfo::kCategorySize, "Audio Module Class");
    BoundedCopy(filled.name, PClassInfo::kNameSize, facts.effectName);
    filled.classFlags = 2;  // simple mode supported
    BoundedCopy(filled.subCategories, PClassInfo2::kSubCategoriesSize, facts.vst3SubCategories);
    BoundedCopy(filled.vendor, PClassInfo2::kVendorSize, "");  // empty: the factory's vendor applies
    BoundedCopy(filled.version, PClassInfo2::kVersionSize, facts.versionText);
    BoundedCopy(filled.sdkVersion, PClassInfo2::kVersionSize, "VST 3.6.0");
    return filled;
  }();
  return info;
}
}  // namespace

IPluginFactory* GetFactory() {
  if (gPluginFactory) {
    gPluginFactory->addRef();
    return gPluginFactory;
  }
  // The first reference is the caller's; the destructor clears gPluginFactory again.
  CPluginFactory* factory = new (std::nothrow) CPluginFactory(FactoryInfo());
  if (!factory) return nullptr;
  gPluginFactory = factory;
  if (!factory->registerClass(&ClassInfo(), CreateVST3Instance, nullptr)) {
    factory->release();
    return nullptr;
  }
  return factory;
}

FUnknown* CreateVST3Instance(void*) {
  try {
    IPlugVST3* plugin = CreateVST3Plugin();
    return plugin ? static_cast<Vst::IAudioProcessor*>(plugin) : nullptr;
  } catch (...) {
    return nullptr;  // no exception may reach the host
  }
}

}  // namespace vst3_binding
