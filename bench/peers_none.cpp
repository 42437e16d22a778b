// The Windows benchmark measures our own code only.
#include "bench/peers.h"

namespace bench {

std::unique_ptr<FftPeer> MakeFftwPeer(int32_t) { return nullptr; }
std::unique_ptr<FftPeer> MakeKissFftPeer(int32_t) { return nullptr; }
std::unique_ptr<ConvolverPeer> MakeZitaPeer(const float*, int32_t) { return nullptr; }

}  // namespace bench
