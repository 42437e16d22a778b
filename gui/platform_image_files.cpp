// Images from PNG files under the image root: the names the editor gives ("resources/img/
// knob.png") are relative to the source tree, where the images the resources embed lie.
#include <string>

#include "gui/platform_image.h"
#include "gui/platform_image_png.h"

namespace {

std::string& Root() {
  static std::string root = KAVROTEL_IMAGE_ROOT;
  return root;
}

}  // namespace

void SetPlatformImageRoot(const char* folder) { Root() = folder ? folder : KAVROTEL_IMAGE_ROOT; }

LICE_IBitmap* LoadPlatformImage(void* /*moduleInstance*/, int32_t /*resourceId*/, const char* fileName) {
  if (!fileName) return nullptr;
  const std::string path = Root() + "/" + fileName;
  return DecodePngFileToBitmap(path.c_str());
}
