// IGraphicsWin: its images from the module's PNG resources, and its fonts from the system.
#include "gui/igraphics_win32_procs.h"

#include <memory>

#include "raster/cached_font.h"
#include "raster/png_loader.h"
#include "raster/text_port.h"

namespace {

// Glyph-caching fonts over system fonts made from a style's request.
class SystemFontFactory : public IFontFactory {
 public:
  LICE_IFont* Make(const IFontRequest& request) override {
    LICE_TextPort& port = LICE_SystemTextPort();
    LICE_FontRequest system;
    system.face = request.face;
    system.height = request.height;
    system.escapement = request.escapement;
    system.weight = request.weight;
    system.italic = request.italic;
    system.quality = request.quality;
    void* handle = port.MakeFont(system);
    if (!handle) return nullptr;
    auto font = std::make_unique<LICE_CachedFont>(port);
    font->SetFontHandle(handle, LICE_FONT_OWNS_HANDLE | LICE_FONT_NATIVE_OK);
    return font.release();
  }
};

}  // namespace

void InstallSystemFontFactory(IFontCache& cache) {
  static SystemFontFactory factory;  // lives as long as the process's caches
  if (!cache.GetFactory()) cache.SetFactory(&factory);
}

LICE_IBitmap* IGraphicsWin::LoadBitmapResource(int32_t resourceId, const char* fileName) {
  // The name only says whether there is an image: it is never read from a file.
  if (!HasPngExtension(fileName)) return nullptr;
  return LICE_ReadPNGResource(Module(), resourceId, nullptr);
}
