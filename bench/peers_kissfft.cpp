#include <kiss_fft.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bench/peers.h"
#include "bench/registry.h"

namespace bench {
namespace {

class KissFftPeer : public FftPeer {
 public:
  explicit KissFftPeer(int32_t n)
      : forward_(kiss_fft_alloc(n, 0, nullptr, nullptr)), inverse_(kiss_fft_alloc(n, 1, nullptr, nullptr)), data_(n), out_(n) {
    if (!forward_ || !inverse_) Fail("KissFFT cannot set up a transform of size " + std::to_string(n));
    for (kiss_fft_cpx& v : data_) {
      v.r = static_cast<float>(std::rand()) / RAND_MAX - 0.5f;
      v.i = static_cast<float>(std::rand()) / RAND_MAX - 0.5f;
    }
  }
  ~KissFftPeer() override {
    kiss_fft_free(forward_);
    kiss_fft_free(inverse_);
  }
  // KissFFT works out of place: forward into a second buffer and back.
  void Pair() override {
    kiss_fft(forward_, data_.data(), out_.data());
    kiss_fft(inverse_, out_.data(), data_.data());
  }

 private:
  kiss_fft_cfg forward_;
  kiss_fft_cfg inverse_;
  std::vector<kiss_fft_cpx> data_;
  std::vector<kiss_fft_cpx> out_;
};

}  // namespace

std::unique_ptr<FftPeer> MakeKissFftPeer(int32_t n) { return std::make_unique<KissFftPeer>(n); }

}  // namespace bench
