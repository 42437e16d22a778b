// The process-wide bitmap and font caches, and how the editor fills them: film strips from
// resource images, fonts from text styles.
#include <cstring>

#include "gui/igraphics.h"
#include "raster/bitmap.h"
#include "raster/font.h"

// ---- IBitmapCache -------------------------------------------------------------------------------

IBitmapCache::~IBitmapCache() { entries_.DeleteAll(); }

LICE_IBitmap* IBitmapCache::Find(int32_t resourceId) {
  LockGuard guard(lock_);
  const int32_t n = entries_.GetSize();
  for (int32_t i = 0; i < n; ++i) {
    const Entry* entry = entries_.Get(i);
    if (entry->resourceId == resourceId) return entry->bitmap.get();
  }
  return nullptr;
}

LICE_IBitmap* IBitmapCache::Add(int32_t resourceId, LICE_IBitmap* bitmap) {
  if (!bitmap) return nullptr;
  Entry* entry = new Entry{resourceId, std::unique_ptr<LICE_IBitmap>(bitmap)};
  LockGuard guard(lock_);
  if (!entries_.Add(entry)) {
    delete entry;
    return nullptr;
  }
  return bitmap;
}

int32_t IBitmapCache::GetSize() {
  LockGuard guard(lock_);
  return entries_.GetSize();
}

IBitmapCache& ProcessBitmapCache() {
  static IBitmapCache cache;
  return cache;
}

bool HasPngExtension(const char* fileName) {
  const char* dot = fileName ? std::strrchr(fileName, '.') : nullptr;
  if (!dot) return false;
  const char* ext = dot + 1;
  const char* png = "png";
  for (int i = 0; i < 3; ++i) {
    const char c = ext[i];
    if ((c | 0x20) != png[i]) return false;
  }
  return ext[3] == 0;
}

// ---- IFontCache ---------------------------------------------------------------------------------

IFontCache::~IFontCache() { entries_.DeleteAll(); }

LICE_IFont* IFontCache::Find(const ITextStyle& style) {
  LockGuard guard(lock_);
  const int32_t n = entries_.GetSize();
  for (int32_t i = 0; i < n; ++i) {
    const Entry* e = entries_.Get(i);
    if (e->size == style.mSize && e->orientation == style.mOrientation && e->style == style.mStyle &&
        std::strncmp(e->face, style.mFont, ITextStyle::kFaceCapacity) == 0)
      return e->font.get();
  }
  return nullptr;
}

LICE_IFont* IFontCache::Add(LICE_IFont* font, const ITextStyle& style) {
  if (!font) return nullptr;
  Entry* entry = new Entry{style.mSize, style.mOrientation, style.mStyle, {}, std::unique_ptr<LICE_IFont>(font)};
  std::memcpy(entry->face, style.mFont, ITextStyle::kFaceCapacity);
  entry->face[ITextStyle::kFaceCapacity - 1] = 0;
  LockGuard guard(lock_);
  if (!entries_.Add(entry)) {
    delete entry;
    return nullptr;
  }
  return font;
}

int32_t IFontCache::GetSize() {
  LockGuard guard(lock_);
  return entries_.GetSize();
}

IFontCache& ProcessFontCache() {
  static IFontCache cache;
  return cache;
}

IFontRequest FontRequestFor(const ITextStyle& style) {
  IFontRequest request;
  request.height = style.mSize;
  request.escapement = request.orientation = style.mOrientation * 10;
  request.weight = style.mStyle == ITextStyle::kStyleBold ? 700 : 400;
  request.italic = style.mStyle == ITextStyle::kStyleItalic;
  switch (style.mQuality) {
    case ITextStyle::kQualityDefault: request.quality = IFontRequest::kQualityDefault; break;
    case ITextStyle::kQualityNonAntiAliased: request.quality = IFontRequest::kQualityNonAntiAliased; break;
    case ITextStyle::kQualityAntiAliased: request.quality = IFontRequest::kQualityAntiAliased; break;
    case ITextStyle::kQualityClearType: request.quality = IFontRequest::kQualityClearType; break;
    default: request.quality = IFontRequest::kQualityNonAntiAliased; break;
  }
  std::memcpy(request.face, style.mFont, ITextStyle::kFaceCapacity);
  request.face[ITextStyle::kFaceCapacity - 1] = 0;
  return request;
}

// ---- The editor's side --------------------------------------------------------------------------

IBitmapStrip IGraphics::LoadBitmapStrip(int32_t resourceId, const char* fileName, int32_t frames,
                                        bool framesAreHorizontal) {
  LICE_IBitmap* bitmap = bitmapCache_->Find(resourceId);
  if (!bitmap) {
    // Decoded without the cache's lock; a missing image is not cached, so a later load retries.
    bitmap = bitmapCache_->Add(resourceId, LoadBitmapResource(resourceId, fileName));
  }
  if (!bitmap) return IBitmapStrip(nullptr, 0, 0, frames, framesAreHorizontal);
  return IBitmapStrip(bitmap, bitmap->GetWidth(), bitmap->GetHeight(), frames, framesAreHorizontal);
}

LICE_IFont* IGraphics::GetCachedFont(ITextStyle& style) {
  LICE_IFont* font = fontCache_->Find(style);
  if (!font) {
    IFontFactory* factory = fontCache_->GetFactory();
    // A font the system cannot make is not cached: the next draw asks again.
    if (factory) font = fontCache_->Add(factory->Make(FontRequestFor(style)), style);
  }
  style.mCached = font;
  return font;
}
