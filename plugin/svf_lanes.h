// SvfStageLanes: two SvfStage filters stepped together, one in each lane of SSE2 registers. Each
// lane's arithmetic is its filter's Process, operation for operation, so the same bits, and no
// lane has to be spread across a register: half the instructions of the two steps. Loops load
// two filters and their states into one, run it, and keep the states back. Audio thread; no
// allocation.
#pragma once

#include "plugin/svf_stage.h"

#if defined(__SSE2__)
#include <emmintrin.h>

class SvfStageLanes {
 public:
  SvfStageLanes(const SvfStage& first, const StateVariableFilter& firstRecord, const SvfStage& second,
                const StateVariableFilter& secondRecord)
      : outLow_(Pair(first.outLow_, second.outLow_)), outBand_(Pair(first.outBand_, second.outBand_)),
        outX_(Pair(first.outX_, second.outX_)), passX_(Pair(first.passX_, second.passX_)),
        lowFromLow_(Pair(first.next_[SvfStage::kLow][0], second.next_[SvfStage::kLow][0])),
        lowFromBand_(Pair(first.next_[SvfStage::kBand][0], second.next_[SvfStage::kBand][0])),
        lowFromX_(Pair(first.next_[SvfStage::kX][0], second.next_[SvfStage::kX][0])),
        bandFromLow_(Pair(first.next_[SvfStage::kLow][1], second.next_[SvfStage::kLow][1])),
        bandFromBand_(Pair(first.next_[SvfStage::kBand][1], second.next_[SvfStage::kBand][1])),
        bandFromX_(Pair(first.next_[SvfStage::kX][1], second.next_[SvfStage::kX][1])),
        low_(Pair(firstRecord.lowState, secondRecord.lowState)),
        band_(Pair(firstRecord.bandState, secondRecord.bandState)) {}

  // The first filter on `first`, the second on `second`.
  void Process(double first, double second, double* firstOut, double* secondOut) {
    const __m128d x = _mm_sub_pd(Pair(first, second), _mm_set1_pd(1e-9));
    const __m128d out = _mm_add_pd(
        _mm_add_pd(_mm_add_pd(_mm_mul_pd(outX_, x), _mm_mul_pd(outBand_, band_)), _mm_mul_pd(outLow_, low_)),
        _mm_mul_pd(passX_, x));
    const __m128d low = _mm_add_pd(_mm_add_pd(_mm_mul_pd(lowFromX_, x), _mm_mul_pd(lowFromBand_, band_)),
                                   _mm_mul_pd(lowFromLow_, low_));
    band_ = _mm_add_pd(_mm_add_pd(_mm_mul_pd(bandFromX_, x), _mm_mul_pd(bandFromBand_, band_)),
                       _mm_mul_pd(bandFromLow_, low_));
    low_ = low;
    *firstOut = _mm_cvtsd_f64(out);
    *secondOut = _mm_cvtsd_f64(_mm_unpackhi_pd(out, out));
  }

  // The states back into the records.
  void Keep(StateVariableFilter& first, StateVariableFilter& second) const {
    first.lowState = _mm_cvtsd_f64(low_);
    first.bandState = _mm_cvtsd_f64(band_);
    second.lowState = _mm_cvtsd_f64(_mm_unpackhi_pd(low_, low_));
    second.bandState = _mm_cvtsd_f64(_mm_unpackhi_pd(band_, band_));
  }

 private:
  static __m128d Pair(double first, double second) { return _mm_set_pd(second, first); }

  __m128d outLow_, outBand_, outX_, passX_;
  __m128d lowFromLow_, lowFromBand_, lowFromX_, bandFromLow_, bandFromBand_, bandFromX_;
  __m128d low_, band_;
};

#else

// The reference: the two filters one after the other.
class SvfStageLanes {
 public:
  SvfStageLanes(const SvfStage& first, const StateVariableFilter& firstRecord, const SvfStage& second,
                const StateVariableFilter& secondRecord)
      : firstStage_(first), secondStage_(second), first_(firstRecord), second_(secondRecord) {}
  void Process(double first, double second, double* firstOut, double* secondOut) {
    *firstOut = firstStage_.Process(first_, first);
    *secondOut = secondStage_.Process(second_, second);
  }
  void Keep(StateVariableFilter& first, StateVariableFilter& second) const {
    first.lowState = first_.lowState;
    first.bandState = first_.bandState;
    second.lowState = second_.lowState;
    second.bandState = second_.bandState;
  }

 private:
  SvfStage firstStage_, secondStage_;
  StateVariableFilter first_, second_;
};

#endif
