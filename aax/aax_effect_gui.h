// AAX_CEffectGUI: the library base of the editor object the host creates beside each effect.
// Keeps the controller and transport wrappers, one reference on the effect-parameters
// interface the host offers, and the view-container wrapper while the host lends a container;
// the editor itself is the derived class's (create its contents, put it in a container, take it
// out). Every wrapper and host reference is let go by Uninitialize, a second Initialize, or the
// destructor, once each. Host's UI thread only; no locks; slots allocate.
#pragma once

#include <memory>

#include "aax/aax_controller.h"
#include "aax/aax_ieffect_gui.h"
#include "aax/aax_transport.h"
#include "aax/aax_view_container.h"

class AAX_CEffectGUI : public AAX_IEffectGUI {
 public:
  AAX_CEffectGUI() = default;
  ~AAX_CEffectGUI() override;

  // Host-facing slots, in table order (3 to 12).
  AAX_Result Initialize(IACFUnknown* host) override;
  AAX_Result Uninitialize() override;
  AAX_Result Reserved5() override { return kAaxOk; }
  AAX_Result SetViewContainer(IACFUnknown* viewContainer) override;
  AAX_Result GetViewSize(AAX_Point*) const override { return kAaxOk; }  // the library writes nothing
  AAX_Result Reserved8() override { return kAaxOk; }
  AAX_Result Reserved9() override { return kAaxOk; }
  AAX_Result ParameterUpdated(const char*) override { return kAaxOk; }
  AAX_Result Reserved11() override { return kAaxNoHostObject; }
  AAX_Result Reserved12() override { return kAaxOk; }

  // For derived classes, called inside the slots above (exceptions end them with 0x8000FFFF).
  virtual void CreateViewContents() = 0;   // at the end of Initialize
  virtual void CreateViewContainer() = 0;  // a container arrived; GetViewContainer() is it
  virtual void DeleteViewContainer() = 0;  // the container goes; stop using it
  // ParameterUpdated for every identifier the effect reports, in index order.
  virtual void UpdateAllParameters();

  void* GetNativeView() const { return viewContainer_ ? viewContainer_->GetNativeWindow() : nullptr; }
  AAX_IACFEffectParameters* GetEffectParameters() const { return effectParameters_; }
  AAX_VViewContainer* GetViewContainer() const { return viewContainer_.get(); }
  AAX_IController* GetController() const { return controller_.get(); }
  AAX_VTransport* GetTransport() const { return transport_.get(); }

 private:
  // Takes the container away (the derived class first, then the wrapper and its reference) and
  // lets go of every host object.
  void ReleaseHostObjects();
  void RemoveViewContainer();

  std::unique_ptr<AAX_VController> controller_;
  AAX_IACFEffectParameters* effectParameters_ = nullptr;  // one reference
  std::unique_ptr<AAX_VViewContainer> viewContainer_;
  std::unique_ptr<AAX_VTransport> transport_;
};
