// IBitmapStrip: a film strip of frames in one image. The bitmap belongs to the bitmap cache,
// never to the strip; a strip whose image could not be loaded has no bitmap and size 0 x 0 and
// draws nothing. Frames are numbered from 1. [UI thread; plain value]
#pragma once

#include <cstdint>

class LICE_IBitmap;

struct IBitmapStrip {
  IBitmapStrip() = default;
  IBitmapStrip(LICE_IBitmap* bitmap, int32_t width, int32_t height, int32_t frames, bool horizontal)
      : mBitmap(bitmap), W(width), H(height), N(frames), mFramesAreHorizontal(horizontal) {}

  // One frame's size: the whole width (or width / frames side by side) and likewise the height.
  int32_t FrameWidth() const { return mFramesAreHorizontal && N > 1 ? W / N : W; }
  int32_t FrameHeight() const { return !mFramesAreHorizontal && N > 1 ? H / N : H; }

  LICE_IBitmap* mBitmap = nullptr;
  int32_t W = 0, H = 0;
  int32_t N = 0;
  bool mFramesAreHorizontal = false;
};
