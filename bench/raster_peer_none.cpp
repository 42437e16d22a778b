#include "bench/raster_peer.h"

namespace bench {
std::unique_ptr<RasterOverPeer> MakePixmanOverPeer(int, int) { return nullptr; }
}  // namespace bench
