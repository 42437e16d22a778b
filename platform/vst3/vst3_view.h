// The editor view a controller hands to the host (IPlugView) and the host's frame around it.
// Each side owns its object through its reference count; every call is on the UI thread.
#pragma once

#include "platform/vst3/vst3_base.h"

namespace Steinberg {

struct ViewRect {
  int32 left;
  int32 top;
  int32 right;
  int32 bottom;
  int32 getWidth() const { return right - left; }
  int32 getHeight() const { return bottom - top; }
};
static_assert(sizeof(ViewRect) == 16, "ViewRect layout");

constexpr FIDString kPlatformTypeHWND = "HWND";

class IPlugFrame;

class IPlugView : public FUnknown {
 public:
  virtual tresult PLUGIN_API isPlatformTypeSupported(FIDString type) = 0;
  virtual tresult PLUGIN_API attached(void* parent, FIDString type) = 0;
  virtual tresult PLUGIN_API removed() = 0;
  virtual tresult PLUGIN_API onWheel(float distance) = 0;
  virtual tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) = 0;
  virtual tresult PLUGIN_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) = 0;
  virtual tresult PLUGIN_API getSize(ViewRect* size) = 0;
  virtual tresult PLUGIN_API onSize(ViewRect* newSize) = 0;
  virtual tresult PLUGIN_API onFocus(TBool state) = 0;
  virtual tresult PLUGIN_API setFrame(IPlugFrame* frame) = 0;
  virtual tresult PLUGIN_API canResize() = 0;
  virtual tresult PLUGIN_API checkSizeConstraint(ViewRect* rect) = 0;
  KV_VST3_IID(0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29);
};

class IPlugFrame : public FUnknown {
 public:
  virtual tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) = 0;
  KV_VST3_IID(0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3);
};

}  // namespace Steinberg
