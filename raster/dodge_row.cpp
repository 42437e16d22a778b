#include "raster/dodge_row.h"

#include "raster/blend_pixel.h"
#include "raster/dodge_reciprocal.h"
#include "raster/row_shift.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
inline int PixelWeight(uint32_t s, int w, bool sourceAlpha) {
  return sourceAlpha ? w * (LICE_Channel(s, 3) + 1) / 256 : w;
}

#if defined(__SSE2__)
// d x 256 / (256 - x) of four 32-bit lanes. Single-precision division rounds correctly: a
// quotient below 65536 moves by at most 2^-9, less than the 1/256 an inexact one lies from the
// next integer, so truncating it gives the integer division (x = 255 gives d x 256, as the rule).
__m128i Quotients(__m128i numerator, __m128i denominator) {
  return _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(numerator), _mm_cvtepi32_ps(denominator)));
}

// Two pixels widened to 16-bit channels, their 16-bit weights; the dodged channels, limited.
__m128i DodgeTwo(__m128i d16, __m128i s16, __m128i weight) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i x = _mm_srli_epi16(_mm_mullo_epi16(s16, weight), 8);  // at most 255 x 256: exact
  const __m128i denominator = _mm_sub_epi16(_mm_set1_epi16(256), x);
  const __m128i numerator = _mm_slli_epi16(d16, 8);
  const __m128i low = Quotients(_mm_unpacklo_epi16(numerator, zero), _mm_unpacklo_epi16(denominator, zero));
  const __m128i high = Quotients(_mm_unpackhi_epi16(numerator, zero), _mm_unpackhi_epi16(denominator, zero));
  return _mm_packs_epi32(low, high);  // quotients above 32767 stay above 255
}

// Per-pixel weights of two pixels: w, or w x (sA + 1) / 256 (sA + 1 itself at 256, where the
// 16-bit product would wrap).
__m128i WeightsOfTwo(__m128i s16, __m128i w16, int w, bool sourceAlpha) {
  if (!sourceAlpha) return w16;
  const __m128i sa1 = _mm_add_epi16(_mm_shufflehi_epi16(_mm_shufflelo_epi16(s16, 0xFF), 0xFF), _mm_set1_epi16(1));
  return w == 256 ? sa1 : _mm_srli_epi16(_mm_mullo_epi16(sa1, w16), 8);
}

int FourAtATime(uint32_t* d, const uint32_t* s, int count, int w, bool sourceAlpha) {
  const __m128i zero = _mm_setzero_si128(), w16 = _mm_set1_epi16(static_cast<short>(w));
  int x = 0;
  for (; x + 4 <= count; x += 4) {
    const __m128i sp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + x));
    const __m128i dp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + x));
    const __m128i sLow = _mm_unpacklo_epi8(sp, zero), sHigh = _mm_unpackhi_epi8(sp, zero);
    const __m128i low = DodgeTwo(_mm_unpacklo_epi8(dp, zero), sLow, WeightsOfTwo(sLow, w16, w, sourceAlpha));
    const __m128i high = DodgeTwo(_mm_unpackhi_epi8(dp, zero), sHigh, WeightsOfTwo(sHigh, w16, w, sourceAlpha));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + x), _mm_packus_epi16(low, high));
  }
  return x;
}
#endif
}  // namespace

void LICE_DodgeRow(uint32_t* d, const uint32_t* s, int count, int w, bool sourceAlpha) {
  int x = 0;
#if defined(__SSE2__)
  if (!LICE_ShiftedWithinFour(d, s)) x = FourAtATime(d, s, count, w, sourceAlpha);
#endif
  for (; x < count; ++x) {
    const uint32_t sp = s[x];
    d[x] = LICE_ApplyRule<LICE_DodgeChannelFast>(d[x], LICE_Channel(sp, 0), LICE_Channel(sp, 1),
                                                 LICE_Channel(sp, 2), LICE_Channel(sp, 3),
                                                 PixelWeight(sp, w, sourceAlpha));
  }
}
