// CPluginView: the base of an editor view handed to the host: its rectangle and the host's
// frame. Defaults: no platform supported, no resizing, keys and wheel not handled. The host
// owns the view through its reference count. UI thread.
#pragma once

#include "platform/vst3/fobject.h"
#include "platform/vst3/vst3_view.h"

namespace Steinberg {

class CPluginView : public FObject, public IPlugView {
 public:
  explicit CPluginView(const ViewRect* rect = nullptr);
  ~CPluginView() override;

  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  uint32 PLUGIN_API addRef() override { return AddReference(); }
  uint32 PLUGIN_API release() override { return ReleaseReference(); }

  tresult PLUGIN_API isPlatformTypeSupported(FIDString type) override;
  tresult PLUGIN_API attached(void* parent, FIDString type) override;
  tresult PLUGIN_API removed() override;
  tresult PLUGIN_API onWheel(float distance) override;
  tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) override;
  tresult PLUGIN_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) override;
  tresult PLUGIN_API getSize(ViewRect* size) override;
  tresult PLUGIN_API onSize(ViewRect* newSize) override;
  tresult PLUGIN_API onFocus(TBool state) override;
  tresult PLUGIN_API setFrame(IPlugFrame* frame) override;
  tresult PLUGIN_API canResize() override;
  tresult PLUGIN_API checkSizeConstraint(ViewRect* rect) override;

  FIDString isA() const override { return "CPluginView"; }

  void setRect(const ViewRect& r) { rect_ = r; }
  IPlugFrame* getFrame() const { return plugFrame_; }

 protected:
  // Hooks around attaching and removing; they do nothing here.
  virtual void attachedToParent() {}
  virtual void removedFromParent() {}

 private:
  ViewRect rect_{};
  IPlugFrame* plugFrame_ = nullptr;  // not referenced: the host keeps it alive while set
};

}  // namespace Steinberg
