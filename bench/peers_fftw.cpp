#include <fftw3.h>

#include <cstdlib>
#include <string>

#include "bench/peers.h"
#include "bench/registry.h"

namespace bench {
namespace {

class FftwPeer : public FftPeer {
 public:
  explicit FftwPeer(int32_t n) : data_(fftwf_alloc_complex(n)) {
    forward_ = fftwf_plan_dft_1d(n, data_, data_, FFTW_FORWARD, FFTW_MEASURE);
    inverse_ = fftwf_plan_dft_1d(n, data_, data_, FFTW_BACKWARD, FFTW_MEASURE);
    if (!data_ || !forward_ || !inverse_) Fail("FFTW3 cannot plan a transform of size " + std::to_string(n));
    for (int32_t i = 0; i < n; ++i) {
      data_[i][0] = static_cast<float>(std::rand()) / RAND_MAX - 0.5f;
      data_[i][1] = static_cast<float>(std::rand()) / RAND_MAX - 0.5f;
    }
  }
  ~FftwPeer() override {
    fftwf_destroy_plan(forward_);
    fftwf_destroy_plan(inverse_);
    fftwf_free(data_);
  }
  void Pair() override {
    fftwf_execute(forward_);
    fftwf_execute(inverse_);
  }

 private:
  fftwf_complex* data_;
  fftwf_plan forward_;
  fftwf_plan inverse_;
};

}  // namespace

std::unique_ptr<FftPeer> MakeFftwPeer(int32_t n) { return std::make_unique<FftwPeer>(n); }

}  // namespace bench
