// The transform: forward plus inverse of our split-radix FFT beside FFTW3 and KissFFT.
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/measure.h"
#include "bench/peers.h"
#include "bench/registry.h"
#include "dsp/fft.h"

namespace {

// Neither side rescales between the pairs: all of them run on the same growing values.
void FftFigures() {
  FFT_Init();
  for (int32_t n : {64, 128, 512, 1024, 4096, 32768}) {
    const std::string size = std::to_string(n);
    std::vector<float> buffer(2 * static_cast<size_t>(n));
    for (float& v : buffer) v = static_cast<float>(std::rand()) / RAND_MAX - 0.5f;
    std::vector<bench::Operation> pairs = {[&] {
      FFT_Transform(buffer.data(), n, 0);
      FFT_Transform(buffer.data(), n, 1);
    }};
    std::vector<std::string> peers;
    std::unique_ptr<bench::FftPeer> fftw = bench::MakeFftwPeer(n), kissfft = bench::MakeKissFftPeer(n);
    if (fftw) {
      pairs.push_back([&] { fftw->Pair(); });
      peers.push_back("fftw");
    }
    if (kissfft) {
      pairs.push_back([&] { kissfft->Pair(); });
      peers.push_back("kissfft");
    }
    const std::vector<double> ns = bench::MedianNanoseconds(pairs);
    bench::Report("fft_pair_ns_" + size, ns[0], "ns");
    for (size_t i = 0; i < peers.size(); ++i) {
      bench::Report(peers[i] + "_pair_ns_" + size, ns[i + 1], "ns");
      bench::Report("fft_vs_" + peers[i] + "_" + size, ns[0] / ns[i + 1], "ratio");
    }
  }
}

}  // namespace

KAVROTEL_BENCH_AREA("fft", FftFigures);
