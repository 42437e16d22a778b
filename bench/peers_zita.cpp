#include <sched.h>
#include <zita-convolver.h>

#include <cstring>
#include <string>

#include "bench/peers.h"
#include "bench/registry.h"

namespace bench {
namespace {

// Partition and quantum 64: zita-convolver's shortest, 64 samples of latency, all in one level
// processed in the calling thread.
class ZitaPeer : public ConvolverPeer {
 public:
  ZitaPeer(const float* taps, int32_t count) {
    Check("configure", convolver_.configure(1, 1, static_cast<uint32_t>(count), 64, 64, 64, 0.0f));
    Check("impdata_create", convolver_.impdata_create(0, 0, 1, const_cast<float*>(taps), 0, count));
    Check("start_process", convolver_.start_process(0, SCHED_OTHER));
  }
  ~ZitaPeer() override {
    convolver_.stop_process();
    convolver_.cleanup();
  }
  void Process64(const float* input, float* output) override {
    std::memcpy(convolver_.inpdata(0), input, 64 * sizeof(float));
    convolver_.process(true);
    std::memcpy(output, convolver_.outdata(0), 64 * sizeof(float));
  }

 private:
  static void Check(const char* step, int result) {
    if (result != 0) Fail(std::string("zita-convolver refused ") + step + " (code " + std::to_string(result) + ")");
  }

  Convproc convolver_;
};

}  // namespace

std::unique_ptr<ConvolverPeer> MakeZitaPeer(const float* taps, int32_t count) {
  return std::make_unique<ZitaPeer>(taps, count);
}

}  // namespace bench
