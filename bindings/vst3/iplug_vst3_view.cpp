#include "bindings/vst3/iplug_vst3_view.h"

#include <cstring>

#include "bindings/vst3/host_call_guard.h"
#include "bindings/vst3/iplug_vst3.h"

using namespace Steinberg;

IPlugVST3View::IPlugVST3View(IPlugVST3* plug) : plug_(plug) { plug_->addRef(); }

IPlugVST3View::~IPlugVST3View() {
  if (attached_) removed();  // a host that releases an attached view
  plug_->RemoveView(this);
  plug_->release();
}

tresult PLUGIN_API IPlugVST3View::isPlatformTypeSupported(FIDString type) {
  if (!plug_->GetEditor()) return kResultFalse;
  return type && std::strcmp(type, kPlatformTypeHWND) == 0 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IPlugVST3View::attached(void* parent, FIDString type) {
  IEditor* editor = plug_->GetEditor();
  // A second attach without removed would open a second window over the first.
  if (!editor || attached_) return kResultFalse;
  return GuardedHostCall([&] {
    if (type && std::strcmp(type, kPlatformTypeHWND) == 0) {
      // A window that did not open is not reported as open.
      if (!parent || !editor->OpenWindow(parent)) return kResultFalse;
      windowOpen_ = true;
    }
    attached_ = true;
    CPluginView::attached(parent, type);
    plug_->EditorOpened();
    return kResultOk;
  });
}

// Undoes this view's own attach only: removing a view that was never attached must not close
// the window another view opened.
tresult PLUGIN_API IPlugVST3View::removed() {
  IEditor* editor = plug_->GetEditor();
  bool wasAttached = attached_, hadWindow = windowOpen_;
  attached_ = windowOpen_ = false;
  tresult result = GuardedHostCall([&] {
    if (wasAttached && editor) {
      plug_->EditorClosed();
      if (hadWindow) editor->CloseWindow();
    }
    return kResultOk;
  });
  CPluginView::removed();
  return result;
}

tresult PLUGIN_API IPlugVST3View::getSize(ViewRect* size) {
  IEditor* editor = plug_->GetEditor();
  if (!editor || !size) return kResultFalse;
  *size = ViewRect{0, 0, editor->Width(), editor->Height()};
  return kResultOk;
}

tresult PLUGIN_API IPlugVST3View::onSize(ViewRect* newSize) {
  if (!newSize) return kResultOk;
  setRect(*newSize);
  if (!resizeExpected_) return kResultOk;
  resizeExpected_ = false;
  return GuardedHostCall([&] {
    plug_->EditorWindowResized();
    return kResultOk;
  });
}
