// The platform's editor: for now the headless one, with its images from the platform.
#include "gui/make_editor.h"

#include <new>

#include "gui/igraphics_headless.h"
#include "gui/platform_image.h"

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

}  // namespace

IGraphics* MakePlatformEditor(IPlugBase* plug, int32_t width, int32_t height, int32_t fps, void* moduleInstance) {
  return new (std::nothrow) PlatformHeadlessEditor(plug, width, height, fps, moduleInstance);
}
