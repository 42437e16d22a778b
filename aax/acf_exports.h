// The seven entry points the AAX host finds in the plug-in file by name, and the description
// routine they call. Each export runs its worker inside a handler that answers 0x8000FFFF for
// any exception; an out pointer of the host's that is null is not written and the export
// answers an error. DescribePlugIn is a link-time seam: the AAX binding defines it in the
// deliverable, a test stub natively. Host's thread (the loader's); allocate.
#pragma once

#include <cstdint>

#include "aax/aax_collection.h"
#include "platform/aax/aax_host_abi.h"

#if defined(_WIN32)
#define ACF_EXPORT extern "C" __declspec(dllexport)
#else
#define ACF_EXPORT extern "C" __attribute__((visibility("default")))
#endif

// The value ACFGetSDKVersion reports.
inline constexpr uint64_t kAaxSdkVersion = 0x201007756BFull;

// Fills the collection with the plug-in's effects: 0 or an AAX result code.
AAX_Result DescribePlugIn(AAX_ICollection* collection);

ACF_EXPORT AAX_Result ACFRegisterPlugin(IACFUnknown* host, IACFUnknown** definition);
ACF_EXPORT AAX_Result ACFRegisterComponent(IACFUnknown* unread1, const void* unread2, IACFUnknown** component);
ACF_EXPORT AAX_Result ACFGetClassFactory(IACFUnknown* unread1, const void* unread2, const void* unread3, void** factory);
ACF_EXPORT AAX_Result ACFCanUnloadNow();
ACF_EXPORT AAX_Result ACFStartup(IACFUnknown* host);
ACF_EXPORT AAX_Result ACFShutdown(IACFUnknown* unread);
ACF_EXPORT AAX_Result ACFGetSDKVersion(uint64_t* version);

// The workers, for the tests.
AAX_Result AAXRegisterPlugin(IACFUnknown* host, IACFUnknown** definition);
AAX_Result AAXRegisterComponent(IACFUnknown** component);
AAX_Result AAXGetClassFactory(void** factory);
AAX_Result AAXCanUnloadNow();
AAX_Result AAXStartup(IACFUnknown* host);
AAX_Result AAXShutdown();
AAX_Result AAXGetSDKVersion(uint64_t* version);
