// The combining passes with SSE2, two butterflies (k, k + 1) per step. Each lane computes the
// scalar butterfly's expressions in the same order, so the results equal the scalar ones.
#include "dsp/fft_transforms.h"

#if defined(KAVROTEL_FFT_SSE2)

#include <emmintrin.h>

#include "dsp/fft_split_radix.h"

namespace fft {
namespace {

// Twiddles of two steps: real parts duplicated, imaginary parts duplicated with the even
// lanes negated, so that z·w = z·re + swap(z)·im and z·conj(w) = z·re - swap(z)·im.
struct TwiddlePair {
  __m128 re, im;
};

inline __m128 NegateEven() { return _mm_castsi128_ps(_mm_set_epi32(0, INT32_MIN, 0, INT32_MIN)); }
inline __m128 NegateOdd() { return _mm_castsi128_ps(_mm_set_epi32(INT32_MIN, 0, INT32_MIN, 0)); }
inline __m128 SwapParts(__m128 z) { return _mm_shuffle_ps(z, z, _MM_SHUFFLE(2, 3, 0, 1)); }

// From {c_k, s_k, c_k+1, s_k+1}.
inline TwiddlePair Straight(__m128 t) {
  return {_mm_shuffle_ps(t, t, _MM_SHUFFLE(2, 2, 0, 0)),
          _mm_xor_ps(_mm_shuffle_ps(t, t, _MM_SHUFFLE(3, 3, 1, 1)), NegateEven())};
}

// From {c_j-1, s_j-1, c_j, s_j} for the mirrored steps k = N/4 - j and k + 1: w^k = s_j + i·c_j.
inline TwiddlePair Mirrored(__m128 t) {
  return {_mm_shuffle_ps(t, t, _MM_SHUFFLE(1, 1, 3, 3)),
          _mm_xor_ps(_mm_shuffle_ps(t, t, _MM_SHUFFLE(0, 0, 2, 2)), NegateEven())};
}

inline TwiddlePair FromScalars(Twiddle w0, Twiddle w1) { return Straight(_mm_setr_ps(w0.c, w0.s, w1.c, w1.s)); }

inline __m128 Multiply(__m128 z, const TwiddlePair& w) {
  return _mm_add_ps(_mm_mul_ps(z, w.re), _mm_mul_ps(SwapParts(z), w.im));
}

inline __m128 MultiplyConjugate(__m128 z, const TwiddlePair& w) {
  return _mm_sub_ps(_mm_mul_ps(z, w.re), _mm_mul_ps(SwapParts(z), w.im));
}

inline void ForwardSteps(float* a, int32_t q, const TwiddlePair& w) {
  float* p0 = a;
  float* p1 = a + 2 * q;
  float* p2 = a + 4 * q;
  float* p3 = a + 6 * q;
  const __m128 t0 = _mm_loadu_ps(p0), t1 = _mm_loadu_ps(p1);
  const __m128 t2 = _mm_loadu_ps(p2), t3 = _mm_loadu_ps(p3);
  const __m128 d02 = _mm_sub_ps(t0, t2);
  const __m128 id13 = _mm_xor_ps(SwapParts(_mm_sub_ps(t1, t3)), NegateEven());
  _mm_storeu_ps(p0, _mm_add_ps(t0, t2));
  _mm_storeu_ps(p1, _mm_add_ps(t1, t3));
  _mm_storeu_ps(p2, Multiply(_mm_add_ps(d02, id13), w));
  _mm_storeu_ps(p3, MultiplyConjugate(_mm_sub_ps(d02, id13), w));
}

inline void InverseSteps(float* a, int32_t q, const TwiddlePair& w) {
  float* p0 = a;
  float* p1 = a + 2 * q;
  float* p2 = a + 4 * q;
  float* p3 = a + 6 * q;
  const __m128 u2 = MultiplyConjugate(_mm_loadu_ps(p2), w);
  const __m128 u3 = Multiply(_mm_loadu_ps(p3), w);
  const __m128 s = _mm_add_ps(u2, u3);
  const __m128 minusId = _mm_xor_ps(SwapParts(_mm_sub_ps(u2, u3)), NegateOdd());
  const __m128 a0 = _mm_loadu_ps(p0), a1 = _mm_loadu_ps(p1);
  _mm_storeu_ps(p0, _mm_add_ps(a0, s));
  _mm_storeu_ps(p2, _mm_sub_ps(a0, s));
  _mm_storeu_ps(p1, _mm_add_ps(a1, minusId));
  _mm_storeu_ps(p3, _mm_sub_ps(a1, minusId));
}

// Steps 0 and 1 share a vector: w^0 = 1 is applied as a multiplication by (1, 0), which
// changes no finite value (the scalar passes take step 0 the same way, so the bits agree).
inline TwiddlePair FirstPair(const float* table) { return FromScalars({1.0f, 0.0f}, SmallPassTwiddle(table, 1)); }

template <bool kInverse>
inline void Steps(float* a, int32_t q, const TwiddlePair& w) {
  if (kInverse) {
    InverseSteps(a, q, w);
  } else {
    ForwardSteps(a, q, w);
  }
}

template <bool kInverse>
void SmallPass(float* a, int32_t n, const float* table) {
  const int32_t q = n / 4;
  Steps<kInverse>(a, q, FirstPair(table));
  for (int32_t k = 2; k < q; k += 2) Steps<kInverse>(a + 2 * k, q, Straight(_mm_loadu_ps(table + 2 * k - 2)));
}

template <bool kInverse>
void LargePass(float* a, int32_t n, const float* table, float half) {
  const int32_t q = n / 4, eighth = n / 8;
  Steps<kInverse>(a, q, FirstPair(table));
  int32_t k = 2;
  for (; k < eighth; k += 2) Steps<kInverse>(a + 2 * k, q, Straight(_mm_loadu_ps(table + 2 * k - 2)));
  Steps<kInverse>(a + 2 * k, q, FromScalars({half, half}, LargePassTwiddle(table, n, k + 1, half)));
  for (k += 2; k < q; k += 2) Steps<kInverse>(a + 2 * k, q, Mirrored(_mm_loadu_ps(table + 2 * (q - k) - 4)));
}

inline __m128 NegateHigh() { return _mm_castsi128_ps(_mm_set_epi32(INT32_MIN, INT32_MIN, 0, 0)); }

// (x0, x1) -> (x0 + x1, x0 - x1).
inline __m128 SumAndDifference(__m128 v) {
  return _mm_add_ps(_mm_shuffle_ps(v, v, _MM_SHUFFLE(1, 0, 1, 0)),
                    _mm_xor_ps(_mm_shuffle_ps(v, v, _MM_SHUFFLE(3, 2, 3, 2)), NegateHigh()));
}

struct Sse2Passes {
  // The kernels' twiddles for two steps at a time.
  struct Constants {
    explicit Constants(const KernelConstants& k)
        : half(k.half),
          eight(FromScalars({1.0f, 0.0f}, {k.half, k.half})),
          sixteenLow(FromScalars({1.0f, 0.0f}, k.w1)),
          sixteenHigh(FromScalars({k.half, k.half}, k.w3)) {}
    float half;
    TwiddlePair eight, sixteenLow, sixteenHigh;
  };

  static void Kernel2(float* a) { _mm_storeu_ps(a, SumAndDifference(_mm_loadu_ps(a))); }

  static void Forward4(float* a) {
    const __m128 v0 = _mm_loadu_ps(a), v1 = _mm_loadu_ps(a + 4);
    const __m128 d = _mm_sub_ps(v0, v1);
    const __m128 pattern = _mm_castsi128_ps(_mm_set_epi32(INT32_MIN, 0, 0, INT32_MIN));
    const __m128 turned = _mm_xor_ps(_mm_shuffle_ps(d, d, _MM_SHUFFLE(2, 3, 2, 3)), pattern);
    _mm_storeu_ps(a, SumAndDifference(_mm_add_ps(v0, v1)));
    _mm_storeu_ps(a + 4, _mm_add_ps(_mm_shuffle_ps(d, d, _MM_SHUFFLE(1, 0, 1, 0)), turned));
  }

  static void Inverse4(float* a) {
    const __m128 sums = SumAndDifference(_mm_loadu_ps(a));
    const __m128 sd = SumAndDifference(_mm_loadu_ps(a + 4));  // (s, d) of the last two
    const __m128 t = _mm_xor_ps(_mm_shuffle_ps(sd, sd, _MM_SHUFFLE(2, 3, 1, 0)),
                                _mm_castsi128_ps(_mm_set_epi32(INT32_MIN, 0, 0, 0)));  // (s, -i·d)
    _mm_storeu_ps(a, _mm_add_ps(sums, t));
    _mm_storeu_ps(a + 4, _mm_sub_ps(sums, t));
  }

  static void Forward8(float* a, const Constants& k) {
    ForwardSteps(a, 2, k.eight);
    Kernel2(a + 12);
    Kernel2(a + 8);
    Forward4(a);
  }
  static void Inverse8(float* a, const Constants& k) {
    Inverse4(a);
    Kernel2(a + 8);
    Kernel2(a + 12);
    InverseSteps(a, 2, k.eight);
  }

  static void Forward16(float* a, const Constants& k) {
    ForwardSteps(a, 4, k.sixteenLow);
    ForwardSteps(a + 4, 4, k.sixteenHigh);
    Forward4(a + 24);
    Forward4(a + 16);
    Forward8(a, k);
  }
  static void Inverse16(float* a, const Constants& k) {
    Inverse8(a, k);
    Inverse4(a + 16);
    Inverse4(a + 24);
    InverseSteps(a, 4, k.sixteenLow);
    InverseSteps(a + 4, 4, k.sixteenHigh);
  }

  static void ForwardPass(float* a, int32_t n, const float* table) { SmallPass<false>(a, n, table); }
  static void InversePass(float* a, int32_t n, const float* table) { SmallPass<true>(a, n, table); }
  static void ForwardPassLarge(float* a, int32_t n, const float* table, const Constants& k) {
    LargePass<false>(a, n, table, k.half);
  }
  static void InversePassLarge(float* a, int32_t n, const float* table, const Constants& k) {
    LargePass<true>(a, n, table, k.half);
  }
};

}  // namespace

void TransformSse2(float* buffer, int32_t n, bool inverse) { SplitRadix<Sse2Passes>::Transform(buffer, n, inverse); }

}  // namespace fft

#endif
