#include "bindings/vst3/vst3_factory.h"

#include <new>

#include "bindings/vst3/iplug_vst3.h"
#include "platform/vst3/plugin_factory.h"
#include "platform/vst3/vst3_strings.h"

namespace vst3_binding {

using namespace Steinberg;

// Four words stored little-endian: 0xF2AEE70D, 0x4F4E00DE, 'DVNQ', 'LRVK'. Raw bytes, not a
// COM identifier built from words, so that no byte swapping can change them.
const unsigned char kClassId[16] = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F,
                                    0x51, 0x4E, 0x56, 0x44, 0x4B, 0x56, 0x52, 0x4C};

namespace {
// The two records, filled on first use and kept until the module unloads.
const PFactoryInfo& FactoryInfo() {
  static const PFactoryInfo info = [] {
    PFactoryInfo filled{};
    BoundedCopy(filled.vendor, PFactoryInfo::kNameSize, "Quenvald");
    BoundedCopy(filled.url, PFactoryInfo::kURLSize, "https://www.quenvald.example");
    BoundedCopy(filled.email, PFactoryInfo::kEmailSize, "support@quenvald.example");
    filled.flags = PFactoryInfo::kUnicode;
    return filled;
  }();
  return info;
}

const PClassInfo2& ClassInfo() {
  static const PClassInfo2 info = [] {
    PClassInfo2 filled{};
    std::memcpy(filled.cid, kClassId, sizeof(TUID));
    filled.cardinality = PClassInfo::kManyInstances;
    BoundedCopy(filled.category, PClassInfo::kCategorySize, "Audio Module Class");
    BoundedCopy(filled.name, PClassInfo::kNameSize, "Kavrotel");
    filled.classFlags = 2;  // simple mode supported
    BoundedCopy(filled.subCategories, PClassInfo2::kSubCategoriesSize, "Fx");
    BoundedCopy(filled.vendor, PClassInfo2::kVendorSize, "");
    BoundedCopy(filled.version, PClassInfo2::kVersionSize, "1.0.0");
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
