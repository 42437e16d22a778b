// IBitmapCache: decoded images by resource identifier, shared by every editor in the process
// and kept until unload. Its lock guards each find and each append, never a decode, so two
// editors loading one identifier at once may both decode it; Find then returns the first.
// A missing image is never cached. The image loader (the embedded PNG resources on Windows, a
// fake in tests) is the seam behind which decoding happens. [UI thread; Add and loads allocate]
#pragma once

#include <cstdint>
#include <memory>

#include "core/ptr_array.h"
#include "platform/recursive_lock.h"

class LICE_IBitmap;

class IImageLoader {
 public:
  virtual ~IImageLoader() = default;
  // A new bitmap of the image with that resource identifier, or null.
  virtual LICE_IBitmap* Load(int32_t resourceId) = 0;
};

class IBitmapCache {
 public:
  IBitmapCache() = default;
  ~IBitmapCache();
  IBitmapCache(const IBitmapCache&) = delete;
  IBitmapCache& operator=(const IBitmapCache&) = delete;

  // The bitmap of the first entry with that identifier, or null.
  LICE_IBitmap* Find(int32_t resourceId);
  // Takes ownership of a non-null bitmap and appends it; returns it, or null (the bitmap
  // deleted) when the list cannot grow.
  LICE_IBitmap* Add(int32_t resourceId, LICE_IBitmap* bitmap);
  int32_t GetSize();

  // Not owned; set once at load (or by a test) before any editor loads.
  void SetLoader(IImageLoader* loader) { loader_ = loader; }
  IImageLoader* GetLoader() const { return loader_; }

 private:
  struct Entry {
    int32_t resourceId;
    std::unique_ptr<LICE_IBitmap> bitmap;
  };
  PtrArray<Entry> entries_;
  RecursiveLock lock_;
  IImageLoader* loader_ = nullptr;
};

// The process-wide cache, created on first use and destroyed at unload.
IBitmapCache& ProcessBitmapCache();

// True when the text after the name's last '.' is "png" in any letter case: the only images
// an editor loads. The folder part of the name is otherwise ignored.
bool HasPngExtension(const char* fileName);
