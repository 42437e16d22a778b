// The host's services (tracing) behind AAX_IHostServices, and the process-wide instance that
// the start-up and shut-down exports create and delete. AAX_TraceToHost formats printf-style
// into at most 511 characters and answers 0, calling nothing, while there is no instance.
#pragma once

#include <cstdint>

#include "platform/aax/aax_host_abi.h"

class AAX_IHostServices {
 public:
  virtual ~AAX_IHostServices() = default;
  virtual AAX_Result Trace(int32_t priority, const char* text) = 0;
};

class AAX_VHostServices final : public AAX_IHostServices {
 public:
  explicit AAX_VHostServices(IACFUnknown* host);  // made by the host's class factory
  AAX_VHostServices(const AAX_VHostServices&) = delete;
  AAX_VHostServices& operator=(const AAX_VHostServices&) = delete;
  ~AAX_VHostServices() override;

  AAX_Result Trace(int32_t priority, const char* text) override;

 private:
  AAX_IACFHostServices* services_;
};

// Created and deleted only by the start-up and shut-down exports.
extern AAX_IHostServices* gHostServices;

AAX_Result AAX_TraceToHost(int32_t priority, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
