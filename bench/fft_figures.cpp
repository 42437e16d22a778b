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
double OurPairNanoseconds(int32_t n) {
  std::vector<float> buffer(2 * static_cast<size_t>(n));
  for (float& v : buffer) v = static_cast<float>(std::rand()) / RAND_MAX - 0.5f;
  return bench::MedianNanoseconds([&] {
    FFT_Transform(buffer.data(), n, 0);
    FFT_Transform(buffer.data(), n, 1);
  });
}

void ReportPeer(const std::string& peer, int32_t n, double ours, std::unique_ptr<bench::FftPeer> transform) {
  if (!transform) return;
  const double theirs = bench::MedianNanoseconds([&] { transform->Pair(); });
  bench::Report(peer + "_pair_ns_" + std::to_string(n), theirs, "ns");
  bench::Report("fft_vs_" + peer + "_" + std::to_string(n), ours / theirs, "ratio");
}

void FftFigures() {
  FFT_Init();
  for (int32_t n : {64, 128, 512, 1024, 4096, 32768}) {
    const double ours = OurPairNanoseconds(n);
    bench::Report("fft_pair_ns_" + std::to_string(n), ours, "ns");
    ReportPeer("fftw", n, ours, bench::MakeFftwPeer(n));
    ReportPeer("kissfft", n, ours, bench::MakeKissFftPeer(n));
  }
}

}  // namespace

KAVROTEL_BENCH_AREA("fft", FftFigures);
