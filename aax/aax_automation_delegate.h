// The host's automation delegate behind AAX_IAutomationDelegate: every change made on the
// plug-in side is requested from the host through it (touch, set-value request, release), and
// the host answers through the effect's parameter-update entry. Results are the host's.
// Called wherever the parameters are changed: the host's UI thread; never allocates.
#pragma once

#include "platform/aax/aax_host_abi.h"

class AAX_IAutomationDelegate {
 public:
  virtual ~AAX_IAutomationDelegate() = default;
  virtual AAX_Result RegisterParameter(const char* id) = 0;
  virtual AAX_Result UnregisterParameter(const char* id) = 0;
  virtual AAX_Result PostSetValueRequest(const char* id, double normalized) = 0;
  virtual AAX_Result PostCurrentValue(const char* id, double normalized) = 0;
  virtual AAX_Result PostTouchRequest(const char* id) = 0;
  virtual AAX_Result PostReleaseRequest(const char* id) = 0;
};

class AAX_VAutomationDelegate final : public AAX_IAutomationDelegate {
 public:
  explicit AAX_VAutomationDelegate(IACFUnknown* host);
  AAX_VAutomationDelegate(const AAX_VAutomationDelegate&) = delete;
  AAX_VAutomationDelegate& operator=(const AAX_VAutomationDelegate&) = delete;
  ~AAX_VAutomationDelegate() override;

  AAX_Result RegisterParameter(const char* id) override;
  AAX_Result UnregisterParameter(const char* id) override;
  AAX_Result PostSetValueRequest(const char* id, double normalized) override;
  AAX_Result PostCurrentValue(const char* id, double normalized) override;
  AAX_Result PostTouchRequest(const char* id) override;
  AAX_Result PostReleaseRequest(const char* id) override;

 private:
  AAX_IACFAutomationDelegate* delegate_;
};
