#include "dsp/spectrum_products.h"

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool Usable(int32_t n) { return n >= 2 && n % 2 == 0; }

// The values that lie in whole fours; a last pair stays interleaved.
int32_t InFours(int32_t n) { return n / 4 * 4; }

// out = a·b (accumulate false) or out += a·b, for one value whose parts lie `apart` floats apart;
// the expressions of ComplexMultiply.
inline void Term(float* out, const float* a, const float* b, int32_t apart, bool accumulate) {
  const float re = a[0] * b[0] - a[apart] * b[apart];
  const float im = a[0] * b[apart] + a[apart] * b[0];
  out[0] = accumulate ? out[0] + re : re;
  out[apart] = accumulate ? out[apart] + im : im;
}

// The values from..n-1 of one term, interleaved.
inline void PairTerm(float* out, const SpectrumTerm& term, int32_t from, int32_t n, bool accumulate) {
  for (int32_t k = from; k < n; ++k) Term(out + 2 * k, term.input + 2 * k, term.impulse + 2 * k, 1, accumulate);
}

}  // namespace

void ToPlanar(const float* interleaved, float* planar, int32_t n) {
  int32_t k = 0;
#if defined(__SSE2__)
  for (; k + 4 <= n; k += 4) {
    const __m128 v0 = _mm_loadu_ps(interleaved + 2 * k), v1 = _mm_loadu_ps(interleaved + 2 * k + 4);
    _mm_storeu_ps(planar + 2 * k, _mm_shuffle_ps(v0, v1, _MM_SHUFFLE(2, 0, 2, 0)));
    _mm_storeu_ps(planar + 2 * k + 4, _mm_shuffle_ps(v0, v1, _MM_SHUFFLE(3, 1, 3, 1)));
  }
#endif
  for (; k + 4 <= n; k += 4) {
    const float* v = interleaved + 2 * k;
    const float re[4] = {v[0], v[2], v[4], v[6]}, im[4] = {v[1], v[3], v[5], v[7]};
    float* p = planar + 2 * k;
    for (int32_t i = 0; i < 4; ++i) {
      p[i] = re[i];
      p[4 + i] = im[i];
    }
  }
  for (int32_t f = 2 * InFours(n); f < 2 * n && interleaved != planar; ++f) planar[f] = interleaved[f];
}

void FromPlanar(const float* planar, float* interleaved, int32_t n) {
  int32_t k = 0;
#if defined(__SSE2__)
  for (; k + 4 <= n; k += 4) {
    const __m128 re = _mm_loadu_ps(planar + 2 * k), im = _mm_loadu_ps(planar + 2 * k + 4);
    _mm_storeu_ps(interleaved + 2 * k, _mm_unpacklo_ps(re, im));
    _mm_storeu_ps(interleaved + 2 * k + 4, _mm_unpackhi_ps(re, im));
  }
#endif
  for (; k + 4 <= n; k += 4) {
    const float* p = planar + 2 * k;
    const float values[8] = {p[0], p[4], p[1], p[5], p[2], p[6], p[3], p[7]};
    for (int32_t i = 0; i < 8; ++i) interleaved[2 * k + i] = values[i];
  }
  for (int32_t f = 2 * InFours(n); f < 2 * n && interleaved != planar; ++f) interleaved[f] = planar[f];
}

namespace spectrum {

void SumOfProductsScalar(float* out, const SpectrumTerm* terms, int32_t count, int32_t n) {
  if (count < 1 || !Usable(n)) return;
  const int32_t fours = InFours(n);
  for (int32_t t = 0; t < count; ++t) {
    for (int32_t k = 0; k < fours; ++k) {
      const int32_t at = 2 * (k / 4 * 4) + k % 4;  // the value's real part
      Term(out + at, terms[t].input + at, terms[t].impulse + at, 4, t > 0);
    }
    PairTerm(out, terms[t], fours, n, t > 0);
  }
  FromPlanar(out, out, n);
}

void SumOfMirroredProductsScalar(float* out, const SpectrumTerm* terms, int32_t count, int32_t n,
                                 const MirrorGroup* groups, int32_t groupCount) {
  if (count < 1 || !Usable(n)) return;
  for (int32_t g = 0; g < groupCount; ++g) {
    const int32_t at = groups[g].at;
    for (int32_t t = 0; t < count; ++t) {
      for (int32_t l = 0; l < 4; ++l) Term(out + at + l, terms[t].input + at + l, terms[t].impulse + at + l, 4, t > 0);
    }
    if (groups[g].swap == MirrorGroup::kNone) continue;
    for (int32_t l = 0; l < 4; ++l) {
      float* partner = out + groups[g].partnerAt + mirror::Lane(groups[g].swap, l);
      partner[0] = out[at + l];
      partner[4] = -out[at + l + 4];
    }
  }
  FromPlanar(out, out, n);
}

}  // namespace spectrum

#if defined(__SSE2__)
namespace {

// Four values of one term: re = ar·br - ai·bi, im = ar·bi + ai·br.
template <bool kAligned>
inline void Product(const float* input, const float* impulse, __m128& re, __m128& im) {
  const __m128 ar = _mm_loadu_ps(input), ai = _mm_loadu_ps(input + 4);
  const __m128 br = kAligned ? _mm_load_ps(impulse) : _mm_loadu_ps(impulse);
  const __m128 bi = kAligned ? _mm_load_ps(impulse + 4) : _mm_loadu_ps(impulse + 4);
  re = _mm_sub_ps(_mm_mul_ps(ar, br), _mm_mul_ps(ai, bi));
  im = _mm_add_ps(_mm_mul_ps(ar, bi), _mm_mul_ps(ai, br));
}

template <bool kAligned>
inline void AddProduct(const float* input, const float* impulse, __m128& re, __m128& im) {
  __m128 termRe, termIm;
  Product<kAligned>(input, impulse, termRe, termIm);
  re = _mm_add_ps(re, termRe);
  im = _mm_add_ps(im, termIm);
}

// Four values' sums.
struct Sum {
  __m128 re, im;
};

template <bool kAligned>
inline Sum First(const SpectrumTerm* terms, int32_t at) {
  Sum sum;
  Product<kAligned>(terms[0].input + at, terms[0].impulse + at, sum.re, sum.im);
  return sum;
}

// Four values' sums, interleaved.
inline void Store(float* out, const Sum& sum) {
  _mm_storeu_ps(out, _mm_unpacklo_ps(sum.re, sum.im));
  _mm_storeu_ps(out + 4, _mm_unpackhi_ps(sum.re, sum.im));
}

// Sixteen values at a time on x86-64 (eight sums in registers over all terms, so each term's
// pointers are read once for sixteen values), eight, then four.
template <bool kAligned>
int32_t SumInFours(float* out, const SpectrumTerm* terms, int32_t count, int32_t n) {
  int32_t k = 0;
#if defined(__x86_64__)
  for (; k + 16 <= n; k += 16) {
    const int32_t at = 2 * k;
    Sum s0 = First<kAligned>(terms, at), s1 = First<kAligned>(terms, at + 8);
    Sum s2 = First<kAligned>(terms, at + 16), s3 = First<kAligned>(terms, at + 24);
    for (int32_t t = 1; t < count; ++t) {
      const float* input = terms[t].input + at;
      const float* impulse = terms[t].impulse + at;
      AddProduct<kAligned>(input, impulse, s0.re, s0.im);
      AddProduct<kAligned>(input + 8, impulse + 8, s1.re, s1.im);
      AddProduct<kAligned>(input + 16, impulse + 16, s2.re, s2.im);
      AddProduct<kAligned>(input + 24, impulse + 24, s3.re, s3.im);
    }
    Store(out + at, s0);
    Store(out + at + 8, s1);
    Store(out + at + 16, s2);
    Store(out + at + 24, s3);
  }
#endif
  for (; k + 8 <= n; k += 8) {
    const int32_t at = 2 * k;
    Sum s0 = First<kAligned>(terms, at), s1 = First<kAligned>(terms, at + 8);
    for (int32_t t = 1; t < count; ++t) {
      AddProduct<kAligned>(terms[t].input + at, terms[t].impulse + at, s0.re, s0.im);
      AddProduct<kAligned>(terms[t].input + at + 8, terms[t].impulse + at + 8, s1.re, s1.im);
    }
    Store(out + at, s0);
    Store(out + at + 8, s1);
  }
  for (; k + 4 <= n; k += 4) {
    Sum sum = First<kAligned>(terms, 2 * k);
    for (int32_t t = 1; t < count; ++t) AddProduct<kAligned>(terms[t].input + 2 * k, terms[t].impulse + 2 * k, sum.re, sum.im);
    Store(out + 2 * k, sum);
  }
  return k;
}

// A group's sums interleaved, and its partner's: the conjugates, lanes swapped.
inline void StoreWithPartner(float* out, const MirrorGroup& group, const Sum& sum) {
  Store(out + group.at, sum);
  if (group.swap == MirrorGroup::kNone) return;
  const __m128 sign = _mm_set1_ps(-0.0f);
  Sum partner;
  if (group.swap == MirrorGroup::kLastPair) {
    partner = {_mm_shuffle_ps(sum.re, sum.re, _MM_SHUFFLE(2, 3, 1, 0)),
               _mm_xor_ps(_mm_shuffle_ps(sum.im, sum.im, _MM_SHUFFLE(2, 3, 1, 0)), sign)};
  } else {
    partner = {_mm_shuffle_ps(sum.re, sum.re, _MM_SHUFFLE(1, 0, 3, 2)),
               _mm_xor_ps(_mm_shuffle_ps(sum.im, sum.im, _MM_SHUFFLE(1, 0, 3, 2)), sign)};
  }
  Store(out + group.partnerAt, partner);
}

// The listed groups four at a time on x86-64 (as SumInFours, each term's pointers read once for
// four groups), then one by one.
template <bool kAligned>
void SumGroups(float* out, const SpectrumTerm* terms, int32_t count, const MirrorGroup* groups, int32_t groupCount) {
  int32_t g = 0;
#if defined(__x86_64__)
  for (; g + 4 <= groupCount; g += 4) {
    const int32_t a0 = groups[g].at, a1 = groups[g + 1].at, a2 = groups[g + 2].at, a3 = groups[g + 3].at;
    Sum s0 = First<kAligned>(terms, a0), s1 = First<kAligned>(terms, a1);
    Sum s2 = First<kAligned>(terms, a2), s3 = First<kAligned>(terms, a3);
    for (int32_t t = 1; t < count; ++t) {
      const float* input = terms[t].input;
      const float* impulse = terms[t].impulse;
      AddProduct<kAligned>(input + a0, impulse + a0, s0.re, s0.im);
      AddProduct<kAligned>(input + a1, impulse + a1, s1.re, s1.im);
      AddProduct<kAligned>(input + a2, impulse + a2, s2.re, s2.im);
      AddProduct<kAligned>(input + a3, impulse + a3, s3.re, s3.im);
    }
    StoreWithPartner(out, groups[g], s0);
    StoreWithPartner(out, groups[g + 1], s1);
    StoreWithPartner(out, groups[g + 2], s2);
    StoreWithPartner(out, groups[g + 3], s3);
  }
#endif
  for (; g < groupCount; ++g) {
    const int32_t at = groups[g].at;
    Sum sum = First<kAligned>(terms, at);
    for (int32_t t = 1; t < count; ++t) AddProduct<kAligned>(terms[t].input + at, terms[t].impulse + at, sum.re, sum.im);
    StoreWithPartner(out, groups[g], sum);
  }
}

bool ImpulsesAligned(const SpectrumTerm* terms, int32_t count) {
  uintptr_t bits = 0;
  for (int32_t t = 0; t < count; ++t) bits |= reinterpret_cast<uintptr_t>(terms[t].impulse);
  return bits % 16 == 0;
}

}  // namespace
#endif

void SumOfProducts(float* out, const SpectrumTerm* terms, int32_t count, int32_t n) {
#if defined(__SSE2__)
  if (count < 1 || !Usable(n)) return;
  const int32_t done = ImpulsesAligned(terms, count) ? SumInFours<true>(out, terms, count, n)
                                                     : SumInFours<false>(out, terms, count, n);
  for (int32_t t = 0; t < count; ++t) PairTerm(out, terms[t], done, n, t > 0);
#else
  spectrum::SumOfProductsScalar(out, terms, count, n);
#endif
}

void SumOfMirroredProducts(float* out, const SpectrumTerm* terms, int32_t count, int32_t n, const MirrorGroup* groups,
                           int32_t groupCount) {
#if defined(__SSE2__)
  if (count < 1 || !Usable(n)) return;
  if (ImpulsesAligned(terms, count)) {
    SumGroups<true>(out, terms, count, groups, groupCount);
  } else {
    SumGroups<false>(out, terms, count, groups, groupCount);
  }
#else
  spectrum::SumOfMirroredProductsScalar(out, terms, count, n, groups, groupCount);
#endif
}
