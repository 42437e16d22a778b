// The mirror symmetry of a transformed real block: X[n - k] = conj(X[k]). In the transform's
// scrambled order, planar in fours (see spectrum_products.h), the values of every group of four
// but the first two mirror those of one other group, lane for lane under one of two swaps, so a
// sum of products over real blocks needs only one group of each pair and the first two.
// Built at set-up (allocates, runs a transform); read on the audio thread.
#pragma once

#include <cstdint>

class GrowBuffer;

// A group to compute: its float offset (eight floats a group) and, when it has one, the group
// whose values are its conjugates with lanes swapped.
struct MirrorGroup {
  enum Swap : int32_t { kNone = 0, kLastPair = 1, kHalves = 2 };  // lanes 0132, 2301
  int32_t at;
  int32_t partnerAt;
  int32_t swap;
};

// [set-up; allocates] The groups to compute for spectra of n values, into `groups`; returns
// their count, 0 when n has no such structure (n below 16 or not a transform size).
int32_t BuildMirrorGroups(int32_t n, GrowBuffer& groups);

// [set-up] Whether a planar spectrum of real data has the symmetry the groups describe, in value.
bool IsMirrored(const float* planar, const MirrorGroup* groups, int32_t count);

// [audio thread, no allocation] ToPlanar in place of the listed groups of an interleaved
// spectrum, each partner written as the conjugates of its group's values, lanes swapped (what
// the partners held before is not read).
void ToPlanarMirrored(float* values, const MirrorGroup* groups, int32_t count);

namespace mirror {
// [any thread] Lane l of a group lies in lane Lane(swap, l) of its partner.
inline int32_t Lane(int32_t swap, int32_t l) {
  return swap == MirrorGroup::kLastPair ? (l < 2 ? l : 5 - l) : swap == MirrorGroup::kHalves ? l ^ 2 : l;
}
}  // namespace mirror
