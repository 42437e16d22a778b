#include "platform/vst3/plugin_factory.h"

#include <new>

#include "platform/vst3/vst3_strings.h"

namespace Steinberg {

CPluginFactory* gPluginFactory = nullptr;

CPluginFactory::CPluginFactory(const PFactoryInfo& info) : factoryInfo_(info) {}

CPluginFactory::~CPluginFactory() {
  if (gPluginFactory == this) gPluginFactory = nullptr;
}

bool CPluginFactory::registerClass(const PClassInfo2* info, CreateInstanceFunc create, void* context) {
  if (!info || !create) return false;
  try {
    classes_.push_back(ClassEntry{*info, create, context});
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

tresult PLUGIN_API CPluginFactory::queryInterface(const TUID iid, void** obj) {
  if (!obj) return kInvalidArgument;
  *obj = nullptr;
  if (FUnknown::iid.Matches(iid) || IPluginFactory::iid.Matches(iid) || IPluginFactory2::iid.Matches(iid) ||
      IPluginFactory3::iid.Matches(iid)) {
    *obj = static_cast<IPluginFactory3*>(this);
    addRef();
    return kResultOk;
  }
  return kNoInterface;
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo(PFactoryInfo* info) {
  if (!info) return kInvalidArgument;
  *info = factoryInfo_;
  return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses() { return static_cast<int32>(classes_.size()); }

const CPluginFactory::ClassEntry* CPluginFactory::Find(int32 index) const {
  if (index < 0 || index >= static_cast<int32>(classes_.size())) return nullptr;
  return &classes_[static_cast<size_t>(index)];
}

tresult PLUGIN_API CPluginFactory::getClassInfo(int32 index, PClassInfo* info) {
  const ClassEntry* entry = Find(index);
  if (!info || !entry) return kInvalidArgument;
  std::memcpy(info->cid, entry->info.cid, sizeof(TUID));
  info->cardinality = entry->info.cardinality;
  std::memcpy(info->category, entry->info.category, sizeof(info->category));
  std::memcpy(info->name, entry->info.name, sizeof(info->name));
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info) {
  const ClassEntry* entry = Find(index);
  if (!info || !entry) return kInvalidArgument;
  *info = entry->info;
  return kResultOk;
}

namespace {
// Widens a fixed field that may lack a terminator.
template <size_t N, size_t M>
void WidenField(char16 (&dest)[N], const char8 (&source)[M]) {
  static_assert(N >= M, "the wide field holds the narrow one");
  char8 terminated[M + 1];
  std::memcpy(terminated, source, M);
  terminated[M] = 0;
  WidenAscii(dest, static_cast<int32>(N), terminated);
}
}  // namespace

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info) {
  const ClassEntry* entry = Find(index);
  if (!info || !entry) return kInvalidArgument;
  const PClassInfo2& c = entry->info;
  std::memcpy(info->cid, c.cid, sizeof(TUID));
  info->cardinality = c.cardinality;
  std::memcpy(info->category, c.category, sizeof(info->category));
  WidenField(info->name, c.name);
  info->classFlags = c.classFlags;
  std::memcpy(info->subCategories, c.subCategories, sizeof(info->subCategories));
  WidenField(info->vendor, c.vendor);
  WidenField(info->version, c.version);
  WidenField(info->sdkVersion, c.sdkVersion);
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance(FIDString cid, FIDString iid, void** obj) {
  if (!obj) return kInvalidArgument;
  *obj = nullptr;
  if (!cid || !iid) return kInvalidArgument;
  for (const ClassEntry& entry : classes_) {
    if (std::memcmp(entry.info.cid, cid, sizeof(TUID)) != 0) continue;
    FUnknown* instance = entry.create(entry.context);
    if (!instance) return kOutOfMemory;
    tresult result = instance->queryInterface(iid, obj);
    instance->release();
    if (result != kResultOk) *obj = nullptr;
    return result;
  }
  return kNoInterface;
}

tresult PLUGIN_API CPluginFactory::setHostContext(FUnknown* context) {
  (void)context;
  return kNotImplemented;
}

}  // namespace Steinberg
