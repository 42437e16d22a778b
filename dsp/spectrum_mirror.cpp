#include "dsp/spectrum_mirror.h"

#include <cmath>
#include <vector>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

#include "core/grow_buffer.h"
#include "dsp/fft.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The frequency index at every position of the scrambled order: the transform of a unit
// impulse at sample 1 holds e^(2πik/n) at the position of index k.
std::vector<int32_t> IndexAtPositions(int32_t n) {
  std::vector<float> values(2 * static_cast<size_t>(n), 0.0f);
  values[2] = 1.0f;
  FFT_Transform(values.data(), n, 0);
  std::vector<int32_t> index(n);
  for (int32_t p = 0; p < n; ++p) {
    const double turns = std::atan2(values[2 * p + 1], values[2 * p]) / (2 * kPi);
    index[p] = static_cast<int32_t>((std::lround(turns * n) % n + n) % n);
  }
  return index;
}

int32_t SwapOf(const int32_t* lanes) {
  for (int32_t swap : {MirrorGroup::kLastPair, MirrorGroup::kHalves}) {
    bool all = true;
    for (int32_t l = 0; l < 4; ++l) all = all && lanes[l] == mirror::Lane(swap, l);
    if (all) return swap;
  }
  return -1;
}

}  // namespace

int32_t BuildMirrorGroups(int32_t n, GrowBuffer& groups) {
  groups.Resize(0, true);
  if (n < 16 || (n & (n - 1)) != 0) return 0;
  const std::vector<int32_t> index = IndexAtPositions(n);
  std::vector<int32_t> position(n, -1);
  for (int32_t p = 0; p < n; ++p) position[index[p]] = p;
  for (int32_t p : position) {
    if (p < 0) return 0;  // not a permutation: no transform of this size
  }
  std::vector<MirrorGroup> list;
  for (int32_t g = 0; g < n / 4; ++g) {
    int32_t lanes[4], partner = -1;
    bool whole = true;
    for (int32_t l = 0; l < 4; ++l) {
      const int32_t q = position[(n - index[4 * g + l]) % n];
      if (partner < 0) partner = q / 4;
      whole = whole && q / 4 == partner;
      lanes[l] = q % 4;
    }
    const int32_t swap = SwapOf(lanes);
    if (g < 2 || partner == g) {
      list.push_back({8 * g, 8 * g, MirrorGroup::kNone});  // computed whole
    } else if (!whole || swap < 0) {
      return 0;
    } else if (partner > g) {
      list.push_back({8 * g, 8 * partner, swap});
    }
  }
  std::vector<int32_t> written(n / 4, 0);  // every group once, computed or mirrored
  for (const MirrorGroup& group : list) {
    ++written[group.at / 8];
    if (group.swap != MirrorGroup::kNone) ++written[group.partnerAt / 8];
  }
  for (int32_t times : written) {
    if (times != 1) return 0;
  }
  const int32_t bytes = static_cast<int32_t>(list.size() * sizeof(MirrorGroup));
  if (groups.Resize(bytes, true), groups.GetSize() != bytes) return 0;
  for (size_t i = 0; i < list.size(); ++i) groups.GetAs<MirrorGroup>()[i] = list[i];
  return static_cast<int32_t>(list.size());
}

bool IsMirrored(const float* planar, const MirrorGroup* groups, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const MirrorGroup& group = groups[i];
    if (group.swap == MirrorGroup::kNone) continue;
    for (int32_t l = 0; l < 4; ++l) {
      const float* value = planar + group.at + l;
      const float* partner = planar + group.partnerAt + mirror::Lane(group.swap, l);
      if (!(partner[0] == value[0] && partner[4] == -value[4])) return false;
    }
  }
  return true;
}

void ToPlanarMirrored(float* values, const MirrorGroup* groups, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const MirrorGroup& group = groups[i];
    float* at = values + group.at;
    float* to = values + group.partnerAt;
#if defined(__SSE2__)
    const __m128 low = _mm_loadu_ps(at), high = _mm_loadu_ps(at + 4);
    const __m128 re = _mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0));
    const __m128 im = _mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1));
    _mm_storeu_ps(at, re);
    _mm_storeu_ps(at + 4, im);
    if (group.swap == MirrorGroup::kNone) continue;
    const __m128 minusIm = _mm_xor_ps(im, _mm_set1_ps(-0.0f));
    if (group.swap == MirrorGroup::kLastPair) {
      _mm_storeu_ps(to, _mm_shuffle_ps(re, re, _MM_SHUFFLE(2, 3, 1, 0)));
      _mm_storeu_ps(to + 4, _mm_shuffle_ps(minusIm, minusIm, _MM_SHUFFLE(2, 3, 1, 0)));
    } else {
      _mm_storeu_ps(to, _mm_shuffle_ps(re, re, _MM_SHUFFLE(1, 0, 3, 2)));
      _mm_storeu_ps(to + 4, _mm_shuffle_ps(minusIm, minusIm, _MM_SHUFFLE(1, 0, 3, 2)));
    }
#else
    const float re[4] = {at[0], at[2], at[4], at[6]}, im[4] = {at[1], at[3], at[5], at[7]};
    for (int32_t l = 0; l < 4; ++l) {
      at[l] = re[l];
      at[l + 4] = im[l];
    }
    if (group.swap == MirrorGroup::kNone) continue;
    for (int32_t l = 0; l < 4; ++l) {
      to[mirror::Lane(group.swap, l)] = re[l];
      to[mirror::Lane(group.swap, l) + 4] = -im[l];
    }
#endif
  }
}
