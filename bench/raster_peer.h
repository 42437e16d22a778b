// The raster area's peer: pixman compositing premultiplied a8r8g8b8 images with OVER, the
// operation our source-alpha copy does on straight-alpha pixels. Natively Debian's pixman (a
// failure ends the run, bench::Fail); the Windows build has none and the factory returns null.
#pragma once

#include <memory>

namespace bench {

class RasterOverPeer {
 public:
  virtual ~RasterOverPeer() = default;
  // Composites the whole source over the whole destination once.
  virtual void Over() = 0;
};

// Source and destination of width x height with translucent, opaque and clear pixels alike.
std::unique_ptr<RasterOverPeer> MakePixmanOverPeer(int width, int height);

}  // namespace bench
