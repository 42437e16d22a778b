// The platform's editor: the window under Windows, else the headless one with its images from
// the platform.
#include "gui/make_editor.h"

#include <atomic>
#include <new>

#include "gui/igraphics_headless.h"
#include "gui/platform_image.h"
#ifdef _WIN32
#include "gui/igraphics_win32.h"
#endif

namespace {

class PlatformHeadlessEditor : public IGraphicsHeadless {
 public:
  PlatformHeadlessEditor(IPlugBase* plug, int32_t width, int32_t height, int32_t fps, void* moduleInstance)
      : IGraphicsHeadless(plug, width, height, fps), module_(moduleInstance) {}

  LICE_IBitmap* LoadBitmapResource(int32_t resourceId, const char* fileName) override {
    if (BitmapCache().GetLoader()) return IGraphicsHeadless::LoadBitmapResource(resourceId, fileName);
    if (!HasPngExtension(fileName)) return nullptr;
    return LoadPlatformImage(module_, resourceId, fileName);
  }

 private:
  void* module_;
};

std::atomic<bool> gHeadless{false};

}  // namespace

void SetPlatformEditorsHeadless(bool headless) { gHeadless.store(headless); }

IGraphics* MakePlatformEditor(IPlugBase* plug, int32_t width, int32_t height, int32_t fps, void* moduleInstance) {
#ifdef _WIN32
  if (!gHeadless.load()) {
    IGraphicsWin* window = new (std::nothrow) IGraphicsWin(plug, width, height, fps);
    if (window) window->SetHInstance(moduleInstance);
    return window;
  }
#endif
  return new (std::nothrow) PlatformHeadlessEditor(plug, width, height, fps, moduleInstance);
}
