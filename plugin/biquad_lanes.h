// BiquadLanes: two Biquad sections stepped together, one in each lane of an SSE2 register. Each
// lane's arithmetic is its section's Process, operation for operation, so the same bits for half
// the instructions. Loops load their sections into one, run it, and keep it back. Audio thread;
// no allocation.
#pragma once

#include "plugin/biquad.h"

#if defined(__SSE2__)
#include <emmintrin.h>

class BiquadLanes {
 public:
  BiquadLanes(const Biquad& first, const Biquad& second)
      : b0_(Pair(first.b0, second.b0)), b1_(Pair(first.b1, second.b1)), b2_(Pair(first.b2, second.b2)),
        a1_(Pair(first.a1, second.a1)), a2_(Pair(first.a2, second.a2)), y1_(Pair(first.y1, second.y1)),
        y2_(Pair(first.y2, second.y2)), x1_(Pair(first.x1, second.x1)), x2_(Pair(first.x2, second.x2)) {}

  // The first section on `first`, the second on `second`.
  void Process(double first, double second, double* firstOut, double* secondOut) {
    const __m128d x = Pair(first, second);
    const __m128d y = _mm_sub_pd(_mm_sub_pd(_mm_add_pd(_mm_add_pd(_mm_mul_pd(b0_, x), _mm_mul_pd(b1_, x1_)),
                                                       _mm_mul_pd(b2_, x2_)),
                                            _mm_mul_pd(a1_, y1_)),
                                 _mm_mul_pd(a2_, y2_));
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    *firstOut = _mm_cvtsd_f64(y);
    *secondOut = _mm_cvtsd_f64(_mm_unpackhi_pd(y, y));
  }

  // The histories back into the records.
  void Keep(Biquad& first, Biquad& second) const {
    KeepLane(first, 0);
    KeepLane(second, 1);
  }

 private:
  static __m128d Pair(double first, double second) { return _mm_set_pd(second, first); }
  static double Lane(__m128d v, int lane) { return _mm_cvtsd_f64(lane == 0 ? v : _mm_unpackhi_pd(v, v)); }
  void KeepLane(Biquad& f, int lane) const {
    f.y1 = Lane(y1_, lane);
    f.y2 = Lane(y2_, lane);
    f.x1 = Lane(x1_, lane);
    f.x2 = Lane(x2_, lane);
  }

  __m128d b0_, b1_, b2_, a1_, a2_, y1_, y2_, x1_, x2_;
};

#else

// The reference: the two sections one after the other.
class BiquadLanes {
 public:
  BiquadLanes(const Biquad& first, const Biquad& second) : first_(first), second_(second) {}
  void Process(double first, double second, double* firstOut, double* secondOut) {
    *firstOut = first_.Process(first);
    *secondOut = second_.Process(second);
  }
  void Keep(Biquad& first, Biquad& second) const {
    first = first_;
    second = second_;
  }

 private:
  Biquad first_, second_;
};

#endif
