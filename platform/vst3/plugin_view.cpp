#include "platform/vst3/plugin_view.h"

namespace Steinberg {

CPluginView::CPluginView(const ViewRect* rect) {
  if (rect) rect_ = *rect;
}

CPluginView::~CPluginView() = default;

tresult PLUGIN_API CPluginView::queryInterface(const TUID iid, void** obj) {
  if (!obj) return kInvalidArgument;
  *obj = nullptr;
  if (!FUnknown::iid.Matches(iid) && !IPlugView::iid.Matches(iid)) return kNoInterface;
  *obj = static_cast<IPlugView*>(this);
  addRef();
  return kResultOk;
}

tresult PLUGIN_API CPluginView::isPlatformTypeSupported(FIDString) { return kNotImplemented; }

tresult PLUGIN_API CPluginView::attached(void*, FIDString) {
  attachedToParent();
  return kResultOk;
}

tresult PLUGIN_API CPluginView::removed() {
  removedFromParent();
  return kResultOk;
}

tresult PLUGIN_API CPluginView::onWheel(float) { return kResultFalse; }
tresult PLUGIN_API CPluginView::onKeyDown(char16, int16, int16) { return kResultFalse; }
tresult PLUGIN_API CPluginView::onKeyUp(char16, int16, int16) { return kResultFalse; }

tresult PLUGIN_API CPluginView::getSize(ViewRect* size) {
  if (!size) return kInvalidArgument;
  *size = rect_;
  return kResultOk;
}

tresult PLUGIN_API CPluginView::onSize(ViewRect* newSize) {
  if (newSize) rect_ = *newSize;
  return kResultOk;
}

tresult PLUGIN_API CPluginView::onFocus(TBool) { return kResultFalse; }

tresult PLUGIN_API CPluginView::setFrame(IPlugFrame* frame) {
  plugFrame_ = frame;
  return kResultOk;
}

tresult PLUGIN_API CPluginView::canResize() { return kResultFalse; }
tresult PLUGIN_API CPluginView::checkSizeConstraint(ViewRect*) { return kResultFalse; }

}  // namespace Steinberg
