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
// Once-only fills: bit 0 the factory information, bit 1 the class information.
unsigned gFilled = 0;
PFactoryInfo gFactoryInfo;
PClassInfo2 gClassInfo;
}  // namespace

void FillFactoryInfo(PFactoryInfo& info) {
  BoundedCopy(info.vendor, PFactoryInfo::kNameSize, "Quenvald");
  BoundedCopy(info.url, PFactoryInfo::kURLSize, "https://www.quenvald.example");
  BoundedCopy(info.email, PFactoryInfo::kEmailSize, "support@quenvald.example");
  info.flags = PFactoryInfo::kUnicode;
}

void FillClassInfo(PClassInfo2& info, const unsigned char* classId) {
  std::memcpy(info.cid, classId, sizeof(TUID));
  info.cardinality = PClassInfo::kManyInstances;
  BoundedCopy(info.category, PClassInfo::kCategorySize, "Audio Module Class");
  BoundedCopy(info.name, PClassInfo::kNameSize, "Kavrotel");
  info.classFlags = 2;  // simple mode supported
  BoundedCopy(info.subCategories, PClassInfo2::kSubCategoriesSize, "Fx");
  BoundedCopy(info.vendor, PClassInfo2::kVendorSize, "");
  BoundedCopy(info.version, PClassInfo2::kVersionSize, "1.0.0");
  BoundedCopy(info.sdkVersion, PClassInfo2::kVersionSize, "VST 3.6.0");
}

// Host thread at load time; takes no lock (hosts ask from one thread).
IPluginFactory* GetFactory() {
  if (gPluginFactory) {
    gPluginFactory->addRef();
    return gPluginFactory;
  }
  if (!(gFilled & 1)) {
    gFilled |= 1;
    FillFactoryInfo(gFactoryInfo);
  }
  // The first reference is the caller's; the destructor clears gPluginFactory again.
  CPluginFactory* factory = new (std::nothrow) CPluginFactory(gFactoryInfo);
  if (!factory) return nullptr;
  gPluginFactory = factory;
  unsigned char cid[16];
  std::memcpy(cid, kClassId, sizeof cid);
  if (!(gFilled & 2)) {
    gFilled |= 2;
    FillClassInfo(gClassInfo, cid);
  }
  if (!factory->registerClass(&gClassInfo, CreateVST3Instance, nullptr)) {
    factory->release();
    return nullptr;
  }
  return factory;
}

// Host thread; creation is serialised by the plug-in's creation lock.
FUnknown* CreateVST3Instance(void*) {
  try {
    IPlugVST3* plugin = CreateVST3Plugin();
    return plugin ? static_cast<Vst::IAudioProcessor*>(plugin) : nullptr;
  } catch (...) {
    return nullptr;  // no exception may reach the host
  }
}

}  // namespace vst3_binding
