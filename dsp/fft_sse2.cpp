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

// The butterflies of two steps on values held in registers: t0 .. t3 are the two steps' values
// at k, k + N/4, k + N/2, k + 3N/4.
inline void ForwardStepValues(__m128& t0, __m128& t1, __m128& t2, __m128& t3, const TwiddlePair& w) {
  const __m128 d02 = _mm_sub_ps(t0, t2);
  const __m128 id13 = _mm_xor_ps(SwapParts(_mm_sub_ps(t1, t3)), NegateEven());
  const __m128 s02 = _mm_add_ps(t0, t2), s13 = _mm_add_ps(t1, t3);
  t2 = Multiply(_mm_add_ps(d02, id13), w);
  t3 = MultiplyConjugate(_mm_sub_ps(d02, id13), w);
  t0 = s02;
  t1 = s13;
}

inline void InverseStepValues(__m128& a0, __m128& a1, __m128& p2, __m128& p3, const TwiddlePair& w) {
  const __m128 u2 = MultiplyConjugate(p2, w);
  const __m128 u3 = Multiply(p3, w);
  const __m128 s = _mm_add_ps(u2, u3);
  const __m128 minusId = _mm_xor_ps(SwapParts(_mm_sub_ps(u2, u3)), NegateOdd());
  p2 = _mm_sub_ps(a0, s);
  p3 = _mm_sub_ps(a1, minusId);
  a0 = _mm_add_ps(a0, s);
  a1 = _mm_add_ps(a1, minusId);
}

// The values at k, k + N/4, k + N/2 and k + 3N/4 (two complex values each) through one step, in
// place.
template <void (*StepValues)(__m128&, __m128&, __m128&, __m128&, const TwiddlePair&)>
inline void StepInPlace(float* a, int32_t q, const TwiddlePair& w) {
  float* p0 = a;
  float* p1 = a + 2 * q;
  float* p2 = a + 4 * q;
  float* p3 = a + 6 * q;
  __m128 t0 = _mm_loadu_ps(p0), t1 = _mm_loadu_ps(p1), t2 = _mm_loadu_ps(p2), t3 = _mm_loadu_ps(p3);
  StepValues(t0, t1, t2, t3, w);
  _mm_storeu_ps(p0, t0);
  _mm_storeu_ps(p1, t1);
  _mm_storeu_ps(p2, t2);
  _mm_storeu_ps(p3, t3);
}

inline void ForwardSteps(float* a, int32_t q, const TwiddlePair& w) { StepInPlace<ForwardStepValues>(a, q, w); }

// ForwardSteps where the values at k + N/2 and k + 3N/4 are zeros: the sums t0 + 0, t1 + 0 are
// left in place and the differences are t0, t1 themselves. The same bits as ForwardSteps on the
// zeros, except that a -0 at k or k + N/4 stays -0 where the sum would make it +0.
inline void ForwardStepsOnLowerHalf(float* a, int32_t q, const TwiddlePair& w) {
  const __m128 t0 = _mm_loadu_ps(a), t1 = _mm_loadu_ps(a + 2 * q);
  const __m128 id13 = _mm_xor_ps(SwapParts(t1), NegateEven());
  _mm_storeu_ps(a + 4 * q, Multiply(_mm_add_ps(t0, id13), w));
  _mm_storeu_ps(a + 6 * q, MultiplyConjugate(_mm_sub_ps(t0, id13), w));
}

inline void InverseSteps(float* a, int32_t q, const TwiddlePair& w) { StepInPlace<InverseStepValues>(a, q, w); }

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

// The twiddle pairs of the passes of sizes 32 to 512, made once from the tables: pair j serves
// steps 2j and 2j + 1.
class SmallPassPairs {
 public:
  static constexpr int32_t kMinLog2 = 5, kMaxLog2 = kLargestSmallPassLog2;

  SmallPassPairs() {
    const float* const* tables = TwiddlesByLog2();
    TwiddlePair* next = pairs_;
    for (int32_t log2n = kMinLog2; log2n <= kMaxLog2; ++log2n) {
      const float* table = tables[log2n];
      const int32_t q = (1 << log2n) / 4;
      bySize_[log2n - kMinLog2] = next;
      *next++ = FirstPair(table);
      for (int32_t k = 2; k < q; k += 2) *next++ = Straight(_mm_loadu_ps(table + 2 * k - 2));
    }
  }

  const TwiddlePair* For(int32_t n) const {
    int32_t log2n = kMinLog2;
    while ((1 << log2n) < n) ++log2n;
    return bySize_[log2n - kMinLog2];
  }

 private:
  // N/8 pairs for each size N: 4 + 8 + ... + 64.
  TwiddlePair pairs_[(1 << (kMaxLog2 - 2)) - (1 << (kMinLog2 - 3))];
  const TwiddlePair* bySize_[kMaxLog2 - kMinLog2 + 1];
};

// A function-local static: built once, guarded against two first callers.
const SmallPassPairs& BuiltSmallPassPairs() {
  static const SmallPassPairs pairs;
  return pairs;
}

void SmallPassOnLowerHalf(float* a, int32_t n, const TwiddlePair* pairs) {
  const int32_t q = n / 4;
  for (int32_t k = 0; k < q; k += 2) ForwardStepsOnLowerHalf(a + 2 * k, q, pairs[k / 2]);
}

template <bool kInverse>
void SmallPass(float* a, int32_t n, const TwiddlePair* pairs) {
  const int32_t q = n / 4;
  for (int32_t k = 0; k < q; k += 2) Steps<kInverse>(a + 2 * k, q, pairs[k / 2]);
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
          sixteenHigh(FromScalars({k.half, k.half}, k.w3)),
          smallPasses(&BuiltSmallPassPairs()) {}
    float half;
    TwiddlePair eight, sixteenLow, sixteenHigh;
    const SmallPassPairs* smallPasses;
  };

  static void Kernel2(float* a) { _mm_storeu_ps(a, SumAndDifference(_mm_loadu_ps(a))); }

  // The kernels of sizes 4, 8 and 16 on values held in registers (two complex values each, in
  // order), so that a kernel's sub-kernels pass their values on without storing them. The
  // operations and their order are those of the passes, so the results are the same.
  static void Forward4Values(__m128& v0, __m128& v1) {
    const __m128 d = _mm_sub_ps(v0, v1);
    const __m128 pattern = _mm_castsi128_ps(_mm_set_epi32(INT32_MIN, 0, 0, INT32_MIN));
    const __m128 turned = _mm_xor_ps(_mm_shuffle_ps(d, d, _MM_SHUFFLE(2, 3, 2, 3)), pattern);
    v0 = SumAndDifference(_mm_add_ps(v0, v1));
    v1 = _mm_add_ps(_mm_shuffle_ps(d, d, _MM_SHUFFLE(1, 0, 1, 0)), turned);
  }

  static void Inverse4Values(__m128& v0, __m128& v1) {
    const __m128 sums = SumAndDifference(v0);
    const __m128 sd = SumAndDifference(v1);  // (s, d) of the last two
    const __m128 t = _mm_xor_ps(_mm_shuffle_ps(sd, sd, _MM_SHUFFLE(2, 3, 1, 0)),
                                _mm_castsi128_ps(_mm_set_epi32(INT32_MIN, 0, 0, 0)));  // (s, -i·d)
    v0 = _mm_add_ps(sums, t);
    v1 = _mm_sub_ps(sums, t);
  }

  static void Forward8Values(__m128& v0, __m128& v1, __m128& v2, __m128& v3, const Constants& k) {
    ForwardStepValues(v0, v1, v2, v3, k.eight);
    v3 = SumAndDifference(v3);
    v2 = SumAndDifference(v2);
    Forward4Values(v0, v1);
  }

  static void Inverse8Values(__m128& v0, __m128& v1, __m128& v2, __m128& v3, const Constants& k) {
    Inverse4Values(v0, v1);
    v2 = SumAndDifference(v2);
    v3 = SumAndDifference(v3);
    InverseStepValues(v0, v1, v2, v3, k.eight);
  }

  static void Forward4(float* a) {
    __m128 v0 = _mm_loadu_ps(a), v1 = _mm_loadu_ps(a + 4);
    Forward4Values(v0, v1);
    _mm_storeu_ps(a, v0);
    _mm_storeu_ps(a + 4, v1);
  }

  static void Inverse4(float* a) {
    __m128 v0 = _mm_loadu_ps(a), v1 = _mm_loadu_ps(a + 4);
    Inverse4Values(v0, v1);
    _mm_storeu_ps(a, v0);
    _mm_storeu_ps(a + 4, v1);
  }

  static void Forward8(float* a, const Constants& k) {
    __m128 v0 = _mm_loadu_ps(a), v1 = _mm_loadu_ps(a + 4), v2 = _mm_loadu_ps(a + 8), v3 = _mm_loadu_ps(a + 12);
    Forward8Values(v0, v1, v2, v3, k);
    Store(a, v0, v1, v2, v3);
  }
  static void Inverse8(float* a, const Constants& k) {
    __m128 v0 = _mm_loadu_ps(a), v1 = _mm_loadu_ps(a + 4), v2 = _mm_loadu_ps(a + 8), v3 = _mm_loadu_ps(a + 12);
    Inverse8Values(v0, v1, v2, v3, k);
    Store(a, v0, v1, v2, v3);
  }

  // Size 16: the steps at k = 0, 1 (v0, v2, v4, v6) and k = 2, 3 (v1, v3, v5, v7), size 4 on the
  // last two quarters, size 8 on the first half.
  static void Forward16(float* a, const Constants& k) {
    __m128 v0 = _mm_loadu_ps(a), v1 = _mm_loadu_ps(a + 4), v2 = _mm_loadu_ps(a + 8), v3 = _mm_loadu_ps(a + 12);
    __m128 v4 = _mm_loadu_ps(a + 16), v5 = _mm_loadu_ps(a + 20), v6 = _mm_loadu_ps(a + 24), v7 = _mm_loadu_ps(a + 28);
    ForwardStepValues(v0, v2, v4, v6, k.sixteenLow);
    ForwardStepValues(v1, v3, v5, v7, k.sixteenHigh);
    Forward4Values(v6, v7);
    Forward4Values(v4, v5);
    Forward8Values(v0, v1, v2, v3, k);
    Store(a, v0, v1, v2, v3);
    Store(a + 16, v4, v5, v6, v7);
  }
  static void Inverse16(float* a, const Constants& k) {
    __m128 v0 = _mm_loadu_ps(a), v1 = _mm_loadu_ps(a + 4), v2 = _mm_loadu_ps(a + 8), v3 = _mm_loadu_ps(a + 12);
    __m128 v4 = _mm_loadu_ps(a + 16), v5 = _mm_loadu_ps(a + 20), v6 = _mm_loadu_ps(a + 24), v7 = _mm_loadu_ps(a + 28);
    Inverse8Values(v0, v1, v2, v3, k);
    Inverse4Values(v4, v5);
    Inverse4Values(v6, v7);
    InverseStepValues(v0, v2, v4, v6, k.sixteenLow);
    InverseStepValues(v1, v3, v5, v7, k.sixteenHigh);
    Store(a, v0, v1, v2, v3);
    Store(a + 16, v4, v5, v6, v7);
  }

  static void Store(float* a, __m128 v0, __m128 v1, __m128 v2, __m128 v3) {
    _mm_storeu_ps(a, v0);
    _mm_storeu_ps(a + 4, v1);
    _mm_storeu_ps(a + 8, v2);
    _mm_storeu_ps(a + 12, v3);
  }

  static void ForwardPass(float* a, int32_t n, const float*, const Constants& k) {
    SmallPass<false>(a, n, k.smallPasses->For(n));
  }
  static void ForwardPassOnLowerHalf(float* a, int32_t n, const float*, const Constants& k) {
    SmallPassOnLowerHalf(a, n, k.smallPasses->For(n));
  }
  static void InversePass(float* a, int32_t n, const float*, const Constants& k) {
    SmallPass<true>(a, n, k.smallPasses->For(n));
  }
  static void ForwardPassLarge(float* a, int32_t n, const float* table, const Constants& k) {
    LargePass<false>(a, n, table, k.half);
  }
  static void InversePassLarge(float* a, int32_t n, const float* table, const Constants& k) {
    LargePass<true>(a, n, table, k.half);
  }
};

}  // namespace

void PrepareSse2() { BuiltSmallPassPairs(); }

void TransformSse2(float* buffer, int32_t n, bool inverse) { SplitRadix<Sse2Passes>::Transform(buffer, n, inverse); }

void ForwardOfLowerHalfSse2(float* buffer, int32_t n) { SplitRadix<Sse2Passes>::ForwardOfLowerHalf(buffer, n); }

bool ForwardOfRealLowerHalfSse2(float* buffer, int32_t n) { return SplitRadix<Sse2Passes>::ForwardOfRealLowerHalf(buffer, n); }

}  // namespace fft

#endif
