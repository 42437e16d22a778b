// LICE_IBitmap: what every raster routine sees of a bitmap. Pixels are 0xAARRGGBB words (bytes
// B, G, R, A in memory, straight alpha), rows GetRowSpan pixels apart, row 0 on top unless
// IsFlipped. [UI thread; the interface itself allocates nothing]
#pragma once

#include <cstdint>

class LICE_IBitmap {
 public:
  virtual ~LICE_IBitmap() {}
  // Pixel 0 of row 0, or null when the bitmap has no pixels.
  virtual uint32_t* GetBits() = 0;
  virtual int GetWidth() = 0;
  virtual int GetHeight() = 0;
  // Distance between rows, in pixels (at least the width).
  virtual int GetRowSpan() = 0;
  virtual bool IsFlipped() { return false; }
  // True when the bitmap changed; the pixels are undefined afterwards. May allocate.
  virtual bool Resize(int width, int height) = 0;
  // The device context drawing into the pixels (an HDC on Windows), or null.
  virtual void* GetDC() { return nullptr; }
  // Reserved; the arguments are ignored.
  virtual void* QueryExtension(int, void*) { return nullptr; }
};
