// The split-radix recursion shared by the scalar and the SSE2 transform: a combining pass of
// size N, then size N/4 on each of the last two quarters and N/2 on the first half (forward);
// the mirror image for the inverse. The Passes policy supplies the straight-line kernels of sizes
// 2 to 16 (Kernel2, Forward4/8/16, Inverse4/8/16, taking its Constants) and the passes of sizes
// 32 and up (ForwardPass, InversePass, ForwardPassLarge, InversePassLarge).
#pragma once

#include <cstdint>

#include "dsp/fft_butterflies.h"
#include "dsp/fft_tables.h"

namespace fft {

constexpr int32_t kLargestSmallPassLog2 = 9;  // 512

// The constants of the size-8 and size-16 kernels, taken from the table of size 16.
struct KernelConstants {
  Twiddle w1;  // cos(π/8), sin(π/8)
  float half;  // √½ = cos(π/4)
  Twiddle w3;  // cos(3π/8), sin(3π/8)
};

inline KernelConstants LoadKernelConstants(const float* const* tables) {
  const float* t = tables[4];
  return {{t[0], t[1]}, t[2], {t[4], t[5]}};
}

template <class Passes>
struct SplitRadix {
  using Constants = typename Passes::Constants;

  // Sizes up to 512 with the size known to the compiler, so that the recursion unfolds into
  // straight calls and fixed loop counts; larger sizes recurse at run time down to them.
  template <int32_t kLog2n>
  static void ForwardFixed(float* a, const float* const* tables, const Constants& k) {
    if constexpr (kLog2n == 1) {
      Passes::Kernel2(a);
    } else if constexpr (kLog2n == 2) {
      Passes::Forward4(a);
    } else if constexpr (kLog2n == 3) {
      Passes::Forward8(a, k);
    } else if constexpr (kLog2n == 4) {
      Passes::Forward16(a, k);
    } else {
      constexpr int32_t n = 1 << kLog2n;
      Passes::ForwardPass(a, n, tables[kLog2n], k);
      ForwardFixed<kLog2n - 2>(a + 3 * n / 2, tables, k);
      ForwardFixed<kLog2n - 2>(a + n, tables, k);
      ForwardFixed<kLog2n - 1>(a, tables, k);
    }
  }

  template <int32_t kLog2n>
  static void InverseFixed(float* a, const float* const* tables, const Constants& k) {
    if constexpr (kLog2n == 1) {
      Passes::Kernel2(a);
    } else if constexpr (kLog2n == 2) {
      Passes::Inverse4(a);
    } else if constexpr (kLog2n == 3) {
      Passes::Inverse8(a, k);
    } else if constexpr (kLog2n == 4) {
      Passes::Inverse16(a, k);
    } else {
      constexpr int32_t n = 1 << kLog2n;
      InverseFixed<kLog2n - 1>(a, tables, k);
      InverseFixed<kLog2n - 2>(a + n, tables, k);
      InverseFixed<kLog2n - 2>(a + 3 * n / 2, tables, k);
      Passes::InversePass(a, n, tables[kLog2n], k);
    }
  }

  static void Forward(float* a, int32_t log2n, const float* const* tables, const Constants& k) {
    static_assert(kLargestSmallPassLog2 == 9, "the sizes known to the compiler end with the small passes");
    switch (log2n) {
      case 1: return ForwardFixed<1>(a, tables, k);
      case 2: return ForwardFixed<2>(a, tables, k);
      case 3: return ForwardFixed<3>(a, tables, k);
      case 4: return ForwardFixed<4>(a, tables, k);
      case 5: return ForwardFixed<5>(a, tables, k);
      case 6: return ForwardFixed<6>(a, tables, k);
      case 7: return ForwardFixed<7>(a, tables, k);
      case 8: return ForwardFixed<8>(a, tables, k);
      case 9: return ForwardFixed<9>(a, tables, k);
      default: break;
    }
    const int32_t n = 1 << log2n;
    Passes::ForwardPassLarge(a, n, tables[log2n], k);
    Forward(a + 3 * n / 2, log2n - 2, tables, k);
    Forward(a + n, log2n - 2, tables, k);
    Forward(a, log2n - 1, tables, k);
  }

  static void Inverse(float* a, int32_t log2n, const float* const* tables, const Constants& k) {
    switch (log2n) {
      case 1: return InverseFixed<1>(a, tables, k);
      case 2: return InverseFixed<2>(a, tables, k);
      case 3: return InverseFixed<3>(a, tables, k);
      case 4: return InverseFixed<4>(a, tables, k);
      case 5: return InverseFixed<5>(a, tables, k);
      case 6: return InverseFixed<6>(a, tables, k);
      case 7: return InverseFixed<7>(a, tables, k);
      case 8: return InverseFixed<8>(a, tables, k);
      case 9: return InverseFixed<9>(a, tables, k);
      default: break;
    }
    const int32_t n = 1 << log2n;
    Inverse(a, log2n - 1, tables, k);
    Inverse(a + n, log2n - 2, tables, k);
    Inverse(a + 3 * n / 2, log2n - 2, tables, k);
    Passes::InversePassLarge(a, n, tables[log2n], k);
  }

  // The forward transform of n values whose upper half is zeros, which need not be written:
  // the first pass takes them as given (sizes with a small pass), else they are written.
  template <int32_t kLog2n>
  static void ForwardFixedOnLowerHalf(float* a, const float* const* tables, const Constants& k) {
    constexpr int32_t n = 1 << kLog2n;
    Passes::ForwardPassOnLowerHalf(a, n, tables[kLog2n], k);
    ForwardFixed<kLog2n - 2>(a + 3 * n / 2, tables, k);
    ForwardFixed<kLog2n - 2>(a + n, tables, k);
    ForwardFixed<kLog2n - 1>(a, tables, k);
  }

  static void ForwardOfLowerHalf(float* a, int32_t n) {
    const float* const* tables = TwiddlesByLog2();
    const Constants k(LoadKernelConstants(tables));
    switch (n) {
      case 32: return ForwardFixedOnLowerHalf<5>(a, tables, k);
      case 64: return ForwardFixedOnLowerHalf<6>(a, tables, k);
      case 128: return ForwardFixedOnLowerHalf<7>(a, tables, k);
      case 256: return ForwardFixedOnLowerHalf<8>(a, tables, k);
      case 512: return ForwardFixedOnLowerHalf<9>(a, tables, k);
      default: break;
    }
    for (int32_t f = n; f < 2 * n; ++f) a[f] = 0.0f;
    Transform(a, n, false);
  }

  // The forward transform of a real block in the lower half (imaginary parts and upper half
  // zeros), less the last quarter's sub-transform at every level but the smallest: its values
  // are the conjugates of the third quarter's (see spectrum_mirror.h), and it is left holding
  // the pass's output. Sizes with a small pass only; false for the others, left untouched.
  static bool ForwardOfRealLowerHalf(float* a, int32_t n) {
    const float* const* tables = TwiddlesByLog2();
    const Constants k(LoadKernelConstants(tables));
    switch (n) {
      case 32: return ForwardFixedRealOnLowerHalf<5>(a, tables, k), true;
      case 64: return ForwardFixedRealOnLowerHalf<6>(a, tables, k), true;
      case 128: return ForwardFixedRealOnLowerHalf<7>(a, tables, k), true;
      case 256: return ForwardFixedRealOnLowerHalf<8>(a, tables, k), true;
      case 512: return ForwardFixedRealOnLowerHalf<9>(a, tables, k), true;
      default: return false;
    }
  }

  template <int32_t kLog2n>
  static void ForwardFixedRealOnLowerHalf(float* a, const float* const* tables, const Constants& k) {
    constexpr int32_t n = 1 << kLog2n;
    Passes::ForwardPassOnLowerHalf(a, n, tables[kLog2n], k);
    ForwardFixed<kLog2n - 2>(a + n, tables, k);
    ForwardFixedReal<kLog2n - 1>(a, tables, k);
  }

  // The first half after a pass on real values holds real values again.
  template <int32_t kLog2n>
  static void ForwardFixedReal(float* a, const float* const* tables, const Constants& k) {
    if constexpr (kLog2n <= 4) {
      ForwardFixed<kLog2n>(a, tables, k);
    } else {
      constexpr int32_t n = 1 << kLog2n;
      Passes::ForwardPass(a, n, tables[kLog2n], k);
      ForwardFixed<kLog2n - 2>(a + n, tables, k);
      ForwardFixedReal<kLog2n - 1>(a, tables, k);
    }
  }

  static void Transform(float* a, int32_t n, bool inverse) {
    const float* const* tables = TwiddlesByLog2();
    const Constants k(LoadKernelConstants(tables));
    int32_t log2n = 0;
    while ((1 << log2n) < n) ++log2n;
    if (inverse) {
      Inverse(a, log2n, tables, k);
    } else {
      Forward(a, log2n, tables, k);
    }
  }
};

}  // namespace fft
