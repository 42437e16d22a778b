// The module's outer interfaces: IPluginBase (initialize/terminate of every plug-in object),
// the factory interfaces IPluginFactory 1 to 3 and their information records. The records use
// natural alignment on every platform; their sizes are pinned below.
#pragma once

#include "platform/vst3/vst3_base.h"

namespace Steinberg {

class IPluginBase : public FUnknown {
 public:
  virtual tresult PLUGIN_API initialize(FUnknown* context) = 0;
  virtual tresult PLUGIN_API terminate() = 0;
  KV_VST3_IID(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625);
};

struct PFactoryInfo {
  enum FactoryFlags : int32 { kNoFlags = 0, kClassesDiscardable = 1, kComponentNonDiscardable = 8, kUnicode = 16 };
  enum { kNameSize = 64, kURLSize = 256, kEmailSize = 128 };
  char8 vendor[kNameSize];
  char8 url[kURLSize];
  char8 email[kEmailSize];
  int32 flags;
};

struct PClassInfo {
  enum { kManyInstances = 0x7FFFFFFF };
  enum { kCategorySize = 32, kNameSize = 64 };
  TUID cid;
  int32 cardinality;
  char8 category[kCategorySize];
  char8 name[kNameSize];
};

struct PClassInfo2 {
  enum { kVendorSize = 64, kVersionSize = 64, kSubCategoriesSize = 128 };
  TUID cid;
  int32 cardinality;
  char8 category[PClassInfo::kCategorySize];
  char8 name[PClassInfo::kNameSize];
  uint32 classFlags;
  char8 subCategories[kSubCategoriesSize];
  char8 vendor[kVendorSize];
  char8 version[kVersionSize];
  char8 sdkVersion[kVersionSize];
};

struct PClassInfoW {
  TUID cid;
  int32 cardinality;
  char8 category[PClassInfo::kCategorySize];
  char16 name[PClassInfo::kNameSize];
  uint32 classFlags;
  char8 subCategories[PClassInfo2::kSubCategoriesSize];
  char16 vendor[PClassInfo2::kVendorSize];
  char16 version[PClassInfo2::kVersionSize];
  char16 sdkVersion[PClassInfo2::kVersionSize];
};

static_assert(sizeof(PFactoryInfo) == 452 && alignof(PFactoryInfo) == 4, "PFactoryInfo layout");
static_assert(sizeof(PClassInfo) == 116 && alignof(PClassInfo) == 4, "PClassInfo layout");
static_assert(sizeof(PClassInfo2) == 440 && offsetof(PClassInfo2, classFlags) == 116 &&
                  offsetof(PClassInfo2, sdkVersion) == 376,
              "PClassInfo2 layout");
static_assert(sizeof(PClassInfoW) == 696 && offsetof(PClassInfoW, name) == 52 &&
                  offsetof(PClassInfoW, classFlags) == 180 && offsetof(PClassInfoW, vendor) == 312 &&
                  offsetof(PClassInfoW, sdkVersion) == 568,
              "PClassInfoW layout");

class IPluginFactory : public FUnknown {
 public:
  virtual tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) = 0;
  virtual int32 PLUGIN_API countClasses() = 0;
  virtual tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) = 0;
  // cid and iid are 16 raw bytes each, despite their type.
  virtual tresult PLUGIN_API createInstance(FIDString cid, FIDString iid, void** obj) = 0;
  KV_VST3_IID(0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F);
};

class IPluginFactory2 : public IPluginFactory {
 public:
  virtual tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) = 0;
  KV_VST3_IID(0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB);
};

class IPluginFactory3 : public IPluginFactory2 {
 public:
  virtual tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) = 0;
  virtual tresult PLUGIN_API setHostContext(FUnknown* context) = 0;
  KV_VST3_IID(0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931);
};

}  // namespace Steinberg
