#include "aax/aax_host_services.h"

#include <cstdarg>
#include <cstdio>

#include "aax/aax_host_object.h"

AAX_IHostServices* gHostServices = nullptr;

AAX_VHostServices::AAX_VHostServices(IACFUnknown* host)
    : services_(aax_host::Create<AAX_IACFHostServices>(host, kClsidHostServices, kIidHostServices)) {}

AAX_VHostServices::~AAX_VHostServices() { aax_host::Release(services_); }

AAX_Result AAX_VHostServices::Trace(int32_t priority, const char* text) {
  return services_ ? services_->Trace(priority, text) : kAaxNoHostObject;
}

AAX_Result AAX_TraceToHost(int32_t priority, const char* format, ...) {
  if (!gHostServices) return kAaxOk;
  char text[512] = {};
  if (format) {
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0) text[0] = '\0';
  }
  return gHostServices->Trace(priority, text);
}
