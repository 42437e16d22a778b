// IPlugVST3View: the editor view the host attaches to its window. It works through the
// plug-in's editor interface and answers "no editor" cleanly when the plug-in has none:
// no platform supported, attach refused, no size. Holds one reference on its plug-in for its
// lifetime and sits in the plug-in's open-view list until destroyed. UI thread.
#pragma once

#include "platform/vst3/plugin_view.h"

class IPlugVST3;

class IPlugVST3View : public Steinberg::CPluginView {
 public:
  explicit IPlugVST3View(IPlugVST3* plug);
  ~IPlugVST3View() override;

  Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) override;
  Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) override;
  Steinberg::tresult PLUGIN_API removed() override;
  Steinberg::tresult PLUGIN_API getSize(Steinberg::ViewRect* size) override;
  Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) override;

  // Set by ResizeEditor; the next onSize tells the plug-in its window was resized.
  void ExpectResize() { resizeExpected_ = true; }

 private:
  IPlugVST3* plug_;
  bool resizeExpected_ = false;
  bool attached_ = false;    // between a successful attached and removed
  bool windowOpen_ = false;  // the editor window is this view's
};
