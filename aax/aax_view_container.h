// The host's view container behind AAX_IViewContainer, and behind the editor's own
// IHostViewContainer (modifier keys, parameter clicks). Built on the object the host hands the
// editor base, which it queries for the view-container interface; a refused query leaves the
// fixed answers of a missing host object. Holds one host reference. UI thread.
#pragma once

#include <cstdint>

#include "core/host_view_container.h"
#include "platform/aax/aax_host_abi.h"

class AAX_IViewContainer {
 public:
  virtual ~AAX_IViewContainer() = default;
  virtual void* GetNativeWindow() = 0;  // the editor's parent window; null means no editor
  virtual AAX_Result GetModifiers(uint32_t* modifiers) = 0;
  virtual AAX_Result SetViewSize(const AAX_Point& size) = 0;
  virtual AAX_Result HandleParameterMouseDown(const char* paramId, uint32_t modifiers) = 0;
};

class AAX_VViewContainer final : public AAX_IViewContainer, public IHostViewContainer {
 public:
  explicit AAX_VViewContainer(IACFUnknown* hostViewContainer);
  AAX_VViewContainer(const AAX_VViewContainer&) = delete;
  AAX_VViewContainer& operator=(const AAX_VViewContainer&) = delete;
  ~AAX_VViewContainer() override;

  void* GetNativeWindow() override;                                                  // null without host
  AAX_Result GetModifiers(uint32_t* modifiers) override;                             // kAaxNotSupported
  AAX_Result SetViewSize(const AAX_Point& size) override;                            // 0
  AAX_Result HandleParameterMouseDown(const char* paramId, uint32_t modifiers) override;  // kAaxNotSupported

 private:
  AAX_IACFViewContainer* container_;
};
