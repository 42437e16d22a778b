#include <pixman.h>

#include <cstdint>
#include <vector>

#include "bench/raster_peer.h"
#include "bench/registry.h"

namespace bench {
namespace {

class PixmanOver : public RasterOverPeer {
 public:
  PixmanOver(int width, int height)
      : width_(width), height_(height), source_(static_cast<size_t>(width) * height), dest_(source_.size()) {
    for (size_t i = 0; i < source_.size(); ++i) {
      const uint32_t alpha = (i % 3 == 0) ? 0 : (i % 3 == 1) ? 255 : 128;
      const uint32_t grey = alpha * 200 / 255;  // premultiplied
      source_[i] = alpha << 24 | grey << 16 | grey << 8 | grey;
      dest_[i] = 0xFF404040u;
    }
    sourceImage_ = pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, source_.data(), width * 4);
    destImage_ = pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, dest_.data(), width * 4);
    if (!sourceImage_ || !destImage_) Fail("pixman cannot create its images");
  }
  ~PixmanOver() override {
    pixman_image_unref(sourceImage_);
    pixman_image_unref(destImage_);
  }
  void Over() override {
    pixman_image_composite32(PIXMAN_OP_OVER, sourceImage_, nullptr, destImage_, 0, 0, 0, 0, 0, 0, width_, height_);
  }

 private:
  int width_, height_;
  std::vector<uint32_t> source_, dest_;
  pixman_image_t* sourceImage_ = nullptr;
  pixman_image_t* destImage_ = nullptr;
};

}  // namespace

std::unique_ptr<RasterOverPeer> MakePixmanOverPeer(int width, int height) {
  return std::make_unique<PixmanOver>(width, height);
}

}  // namespace bench
