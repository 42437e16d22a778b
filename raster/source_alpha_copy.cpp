#include "raster/source_alpha_copy.h"

#include "raster/blend_pixel.h"
#include "raster/row_shift.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
inline uint32_t PixelRule(uint32_t d, uint32_t s, int w) {
  const int sa = LICE_Channel(s, 3);
  if (sa == 0) return d;
  // At 256 the weight is sA + 1 and the alpha gains sA; sA 255 thus copies the colour.
  const int weight = w == 256 ? sa + 1 : w * (sa + 1) / 256;
  const int gain = w == 256 ? sa : weight;
  const int da = LICE_Channel(d, 3);
  return LICE_Pack(LICE_CopyChannel(LICE_Channel(d, 0), LICE_Channel(s, 0), weight),
                   LICE_CopyChannel(LICE_Channel(d, 1), LICE_Channel(s, 1), weight),
                   LICE_CopyChannel(LICE_Channel(d, 2), LICE_Channel(s, 2), weight), da + gain < 255 ? da + gain : 255);
}
}  // namespace

uint32_t LICE_SourceAlphaCopyPixel(uint32_t d, uint32_t s, int w) { return PixelRule(d, s, w); }

#if defined(__SSE2__)
namespace {
// Two pixels widened to 16-bit channels; returns their colour and sets `weight`. The copy rule
// s + (d - s) x (256 - weight) / 256 is (d x 256 - (d - s) x weight + bias) / 256, bias 255
// where d < s so that the shift truncates toward zero. That sum lies in 0..65535, so the 16-bit
// product may wrap on the way. A pixel of sA 0 takes weight 0, which leaves it as it was.
template <bool Full>
__m128i BlendTwo(__m128i d16, __m128i s16, __m128i w16, __m128i& weight) {
  const __m128i sa = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s16, 0xFF), 0xFF);
  const __m128i sa1 = _mm_add_epi16(sa, _mm_min_epi16(sa, _mm_set1_epi16(1)));
  // w x (sA + 1) is at most 255 x 256 below 256, so the unsigned 16-bit product is exact.
  weight = Full ? sa1 : _mm_srli_epi16(_mm_mullo_epi16(sa1, w16), 8);
  const __m128i diff = _mm_sub_epi16(d16, s16);
  const __m128i sum = _mm_sub_epi16(_mm_slli_epi16(d16, 8), _mm_mullo_epi16(diff, weight));
  const __m128i bias = _mm_srli_epi16(_mm_srai_epi16(diff, 15), 8);
  return _mm_srli_epi16(_mm_add_epi16(sum, bias), 8);
}

// Four pixels at once.
template <bool Full>
__m128i BlendFour(const uint32_t* d, const uint32_t* s, __m128i w16) {
  const __m128i zero = _mm_setzero_si128(), alphaByte = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128i sp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
  const __m128i dp = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
  __m128i weightLow, weightHigh;
  const __m128i low = BlendTwo<Full>(_mm_unpacklo_epi8(dp, zero), _mm_unpacklo_epi8(sp, zero), w16, weightLow);
  const __m128i high = BlendTwo<Full>(_mm_unpackhi_epi8(dp, zero), _mm_unpackhi_epi8(sp, zero), w16, weightHigh);
  // Alpha = min(255, dA + gain): the gain is sA at weight 256, else the pixel's weight (below 256).
  const __m128i gain = Full ? sp : _mm_packus_epi16(weightLow, weightHigh);
  const __m128i alpha = _mm_and_si128(_mm_adds_epu8(dp, gain), alphaByte);
  return _mm_or_si128(_mm_andnot_si128(alphaByte, _mm_packus_epi16(low, high)), alpha);
}

// Returns how many pixels it did: the row's fours.
template <bool Full>
int FourAtATime(uint32_t* d, const uint32_t* s, int count, int w) {
  const __m128i w16 = _mm_set1_epi16(static_cast<short>(w));
  int x = 0;
  for (; x + 4 <= count; x += 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + x), BlendFour<Full>(d + x, s + x, w16));
  }
  return x;
}
}  // namespace
#endif

namespace {
template <bool Full>
inline void Row(uint32_t* d, const uint32_t* s, int count, int w) {
  int x = 0;
#if defined(__SSE2__)
  if (!LICE_ShiftedWithinFour(d, s)) x = FourAtATime<Full>(d, s, count, w);
#endif
  for (; x < count; ++x) d[x] = PixelRule(d[x], s[x], w);
}

template <bool Full>
void Rows(LICE_RowWalk d, LICE_RowWalk s, int columns, int rows, int w) {
  for (int y = 0; y < rows; ++y) Row<Full>(d.first + y * d.step, s.first + y * s.step, columns, w);
}
}  // namespace

void LICE_SourceAlphaCopyRow(uint32_t* d, const uint32_t* s, int count, int w) {
  return w == 256 ? Row<true>(d, s, count, w) : Row<false>(d, s, count, w);
}

void LICE_SourceAlphaCopy(LICE_RowWalk d, LICE_RowWalk s, int columns, int rows, int w) {
  return w == 256 ? Rows<true>(d, s, columns, rows, w) : Rows<false>(d, s, columns, rows, w);
}
