// IFontCache: the glyph-caching fonts shared by every editor in the process, keyed by size,
// orientation, style and exact face name of a text style (not its colour, alignment or
// quality), kept until unload. Fonts are made by a font factory (system fonts on Windows, a
// fake in tests) from the request a style describes; a font holds its text port until it is
// deleted with the cache. [UI thread; Add and font creation allocate]
#pragma once

#include <cstdint>
#include <memory>

#include "core/ptr_array.h"
#include "gui/itext_style.h"
#include "platform/recursive_lock.h"

class LICE_IFont;

// What the system is asked for, in its own terms.
struct IFontRequest {
  enum : int32_t { kQualityDefault = 0, kQualityNonAntiAliased = 3, kQualityAntiAliased = 4, kQualityClearType = 5 };
  int32_t height = 0;
  int32_t escapement = 0;   // tenths of a degree
  int32_t orientation = 0;  // tenths of a degree
  int32_t weight = 400;     // 700 bold
  bool italic = false;
  int32_t quality = kQualityDefault;
  char face[ITextStyle::kFaceCapacity] = {};
};

// The request for a style: its size, orientation x 10, bold and italic from its style, the
// quality mapped to the system's (an unknown one gives non-antialiased), its face.
IFontRequest FontRequestFor(const ITextStyle& style);

class IFontFactory {
 public:
  virtual ~IFontFactory() = default;
  // A new font whose system font it owns (font flags LICE_FONT_OWNS_HANDLE | LICE_FONT_NATIVE_OK),
  // or null when the system cannot make one.
  virtual LICE_IFont* Make(const IFontRequest& request) = 0;
};

class IFontCache {
 public:
  IFontCache() = default;
  ~IFontCache();
  IFontCache(const IFontCache&) = delete;
  IFontCache& operator=(const IFontCache&) = delete;

  // The font of the first entry matching the style's key, or null.
  LICE_IFont* Find(const ITextStyle& style);
  // Takes ownership of a non-null font and appends it under the style's key; returns it, or
  // null (the font deleted) when the list cannot grow.
  LICE_IFont* Add(LICE_IFont* font, const ITextStyle& style);
  int32_t GetSize();

  // Not owned; set once at load (or by a test) before any editor draws text.
  void SetFactory(IFontFactory* factory) { factory_ = factory; }
  IFontFactory* GetFactory() const { return factory_; }

 private:
  struct Entry {
    int32_t size, orientation, style;
    char face[ITextStyle::kFaceCapacity];
    std::unique_ptr<LICE_IFont> font;
  };
  PtrArray<Entry> entries_;
  RecursiveLock lock_;
  IFontFactory* factory_ = nullptr;
};

// The process-wide cache, created on first use and destroyed at unload.
IFontCache& ProcessFontCache();
