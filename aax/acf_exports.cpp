#include "aax/acf_exports.h"

#include <memory>

#include "aax/aax_host_call_guard.h"
#include "aax/aax_host_services.h"
#include "aax/acf_unknown.h"

AAX_Result AAXRegisterPlugin(IACFUnknown* host, IACFUnknown** definition) {
  if (!definition) return kAaxNoHostObject;
  // Destroyed on every path, an exception out of the description included.
  auto collection = std::make_unique<AAX_VCollection>(host);
  const AAX_Result described = DescribePlugIn(collection.get());
  if (described != kAaxOk) return described;
  *definition = nullptr;
  IACFUnknown* hostCollection = collection->HostObject();
  if (!hostCollection) return kAaxNoHostObject;
  void* out = nullptr;
  if (hostCollection->QueryInterface(kIidPluginDefinition, &out) != kAaxOk) return kAaxNoHostObject;
  *definition = static_cast<IACFUnknown*>(out);
  return kAaxOk;
}

AAX_Result AAXRegisterComponent(IACFUnknown** component) {
  if (!component) return kAaxNoHostObject;
  *component = nullptr;
  return kAaxOk;
}

AAX_Result AAXGetClassFactory(void** factory) {
  if (factory) *factory = nullptr;
  return kAaxNotSupported;
}

AAX_Result AAXCanUnloadNow() { return ACFObjectCount.load(); }

AAX_Result AAXStartup(IACFUnknown* host) {
  if (!gHostServices && host) {
    gHostServices = new AAX_VHostServices(host);
  } else if (gHostServices && !host) {
    AAXShutdown();
  }
  return kAaxOk;
}

AAX_Result AAXShutdown() {
  AAX_IHostServices* services = gHostServices;
  gHostServices = nullptr;  // the trace path stops using it first
  delete services;
  return kAaxOk;
}

AAX_Result AAXGetSDKVersion(uint64_t* version) {
  if (!version) return kAaxNoHostObject;
  *version = kAaxSdkVersion;
  return kAaxOk;
}

ACF_EXPORT AAX_Result ACFRegisterPlugin(IACFUnknown* host, IACFUnknown** definition) {
  return AAX_GuardHostCall([&] { return AAXRegisterPlugin(host, definition); });
}

ACF_EXPORT AAX_Result ACFRegisterComponent(IACFUnknown*, const void*, IACFUnknown** component) {
  return AAX_GuardHostCall([&] { return AAXRegisterComponent(component); });
}

ACF_EXPORT AAX_Result ACFGetClassFactory(IACFUnknown*, const void*, const void*, void** factory) {
  return AAX_GuardHostCall([&] { return AAXGetClassFactory(factory); });
}

ACF_EXPORT AAX_Result ACFCanUnloadNow() {
  return AAX_GuardHostCall([] { return AAXCanUnloadNow(); });
}

ACF_EXPORT AAX_Result ACFStartup(IACFUnknown* host) {
  return AAX_GuardHostCall([&] { return AAXStartup(host); });
}

ACF_EXPORT AAX_Result ACFShutdown(IACFUnknown*) {
  return AAX_GuardHostCall([] { return AAXShutdown(); });
}

ACF_EXPORT AAX_Result ACFGetSDKVersion(uint64_t* version) {
  return AAX_GuardHostCall([&] { return AAXGetSDKVersion(version); });
}
