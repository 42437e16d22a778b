// The split-radix recursion shared by the scalar and the SSE2 transform: a combining pass of
// size N, then size N/4 on each of the last two quarters and N/2 on the first half (forward);
// the mirror image for the inverse. Sizes 2 to 16 are straight-line kernels; the passes of sizes
// 32 and up come from the Passes policy (ForwardPass, InversePass, ForwardPassLarge,
// InversePassLarge, each taking the buffer, N, its table and √½).
#pragma once

#include <cstdint>

#include "dsp/fft_butterflies.h"
#include "dsp/fft_tables.h"

namespace fft {

constexpr int32_t kLargestSmallPass = 512;

// The constants of the size-8 and size-16 kernels, taken from the table of size 16.
struct KernelConstants {
  Twiddle w1;  // cos(π/8), sin(π/8)
  float half;  // √½
  Twiddle w3;  // cos(3π/8), sin(3π/8)
};

inline KernelConstants LoadKernelConstants() {
  const float* t = Twiddles(16);
  return {{t[0], t[1]}, t[2], {t[4], t[5]}};
}

inline void Kernel2(float* a) {
  const float r = a[0], i = a[1];
  a[0] = r + a[2];
  a[1] = i + a[3];
  a[2] = r - a[2];
  a[3] = i - a[3];
}

inline void Forward4(float* a) {
  ForwardStepUnit(a, 1);
  Kernel2(a);
}

inline void Inverse4(float* a) {
  Kernel2(a);
  InverseStepUnit(a, 1);
}

inline void Forward8(float* a, const KernelConstants& k) {
  ForwardStepUnit(a, 2);
  ForwardStepHalf(a + 2, 2, k.half);
  Kernel2(a + 12);
  Kernel2(a + 8);
  Forward4(a);
}

inline void Inverse8(float* a, const KernelConstants& k) {
  Inverse4(a);
  Kernel2(a + 8);
  Kernel2(a + 12);
  InverseStepUnit(a, 2);
  InverseStepHalf(a + 2, 2, k.half);
}

inline void Forward16(float* a, const KernelConstants& k) {
  ForwardStepUnit(a, 4);
  ForwardStep(a + 2, 4, k.w1);
  ForwardStepHalf(a + 4, 4, k.half);
  ForwardStep(a + 6, 4, k.w3);
  Forward4(a + 24);
  Forward4(a + 16);
  Forward8(a, k);
}

inline void Inverse16(float* a, const KernelConstants& k) {
  Inverse8(a, k);
  Inverse4(a + 16);
  Inverse4(a + 24);
  InverseStepUnit(a, 4);
  InverseStep(a + 2, 4, k.w1);
  InverseStepHalf(a + 4, 4, k.half);
  InverseStep(a + 6, 4, k.w3);
}

template <class Passes>
struct SplitRadix {
  static void Forward(float* a, int32_t n, const KernelConstants& k) {
    switch (n) {
      case 2: Kernel2(a); return;
      case 4: Forward4(a); return;
      case 8: Forward8(a, k); return;
      case 16: Forward16(a, k); return;
      default: break;
    }
    if (n <= kLargestSmallPass) {
      Passes::ForwardPass(a, n, Twiddles(n));
    } else {
      Passes::ForwardPassLarge(a, n, Twiddles(n), k.half);
    }
    Forward(a + 3 * n / 2, n / 4, k);
    Forward(a + n, n / 4, k);
    Forward(a, n / 2, k);
  }

  static void Inverse(float* a, int32_t n, const KernelConstants& k) {
    switch (n) {
      case 2: Kernel2(a); return;
      case 4: Inverse4(a); return;
      case 8: Inverse8(a, k); return;
      case 16: Inverse16(a, k); return;
      default: break;
    }
    Inverse(a, n / 2, k);
    Inverse(a + n, n / 4, k);
    Inverse(a + 3 * n / 2, n / 4, k);
    if (n <= kLargestSmallPass) {
      Passes::InversePass(a, n, Twiddles(n));
    } else {
      Passes::InversePassLarge(a, n, Twiddles(n), k.half);
    }
  }

  static void Transform(float* a, int32_t n, bool inverse) {
    const KernelConstants k = LoadKernelConstants();
    if (inverse) {
      Inverse(a, n, k);
    } else {
      Forward(a, n, k);
    }
  }
};

}  // namespace fft
