#include "plugin/amp_stages.h"

#include <algorithm>
#include <array>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "plugin/biquad_lanes.h"
#include "plugin/svf_lanes.h"
#include "plugin/tanh_block.h"
#include "plugin/tanh_kernel.h"
#include "plugin/waveshapers.h"

namespace {

constexpr double kQ = 0.5;

// No audio comes near this; beyond it the input level and the pedal's gains could overflow, and an
// infinity in a filter state turns into not-a-number there for good.
constexpr double kLargestInput = 1e300;

// The anti-denormal noise restarts with every block, so its sequence depends only on the sample's
// position in the block: it is computed once per process for block sizes up to 4096 and
// continued past that.
class DenormalNoise {
 public:
  static constexpr int kTableLength = 4096;

  DenormalNoise() {
    for (int i = 0; i < kTableLength; ++i) table_[i] = Step(&n_, &t_);
  }
  static const DenormalNoise& Get() {
    static const DenormalNoise noise;
    return noise;
  }
  const double* Table() const { return table_.data(); }
  // The generator's state after the table, to continue past it.
  double n() const { return n_; }
  double t() const { return t_; }

  static double Step(double* n, double* t) {
    *n = 1e-5 * std::sin(*n + *t);
    *t = *t + 1e-6;
    return *n;
  }

 private:
  std::array<double, kTableLength> table_;
  double n_ = 0, t_ = 0;
};

void Peak(double v, double* peak) {
  const double magnitude = std::fabs(v);
  if (magnitude > *peak) *peak = magnitude;
}

#if defined(__SSE2__)
// The input level with the gate off, two samples at a time: the scalar loop's operations lane by
// lane (the peak is a maximum, in any order the same). Returns the samples done.
int LevelPairs(const double* in, double* out, int n, double gain, const double* dither, double* peak) {
  const __m128d magnitudeMask = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF));
  const __m128d limit = _mm_set1_pd(kLargestInput), g = _mm_set1_pd(gain);
  __m128d top = _mm_set1_pd(*peak);
  int i = 0;
  for (; i + 2 <= n; i += 2) {
    __m128d x = _mm_loadu_pd(in + i);
    x = _mm_and_pd(x, _mm_cmplt_pd(_mm_and_pd(x, magnitudeMask), limit));  // else +0, as below
    x = _mm_mul_pd(x, g);
    top = _mm_max_pd(top, _mm_and_pd(x, magnitudeMask));
    _mm_storeu_pd(out + i, _mm_add_pd(x, _mm_loadu_pd(dither + i)));
  }
  *peak = _mm_cvtsd_f64(_mm_max_sd(top, _mm_unpackhi_pd(top, top)));
  return i;
}
#endif

}  // namespace

AmpStages::AmpStages()
    : preampInput_(0.0597964, 0.383333, SvfOutput::BandPlusInput),
      preampLow_(0.0192749, 0.35, SvfOutput::High),
      preampMid_(0.125248, 0.35, SvfOutput::BandPlusInput),
      preampOutput_(1.00101, 0.504943, SvfOutput::Low) {
  // The shared tables are built here, at construction, rather than in the first block.
  DenormalNoise::Get();
  PrepareTanhBlock();
}

void AmpStages::SetLowpass(double hz) {
  sections_.outputLowPass.Design(BiquadType::LowPass, hz, kDesignRate, kQ, 0, false);
}

void AmpStages::SetHighpass(double hz) {
  sections_.outputHighPass.Design(BiquadType::HighPass, hz, kDesignRate, kQ, 0, false);
}

void AmpStages::SetPresence(double v) {
  sections_.presenceShelf.Design(BiquadType::HighShelf, 4828.13, kDesignRate, kQ, 10 * v / 100,
                                 true);
}

void AmpStages::SetDepth(double v) {
  sections_.depthShelf.Design(BiquadType::LowShelf, 146, kDesignRate, kQ, 30 * v / 100, true);
}

void AmpStages::SetThreshold(double db) {
  gateThreshold_ = std::pow(10.0, db / 20);
  sections_.gateSmoother.Design(BiquadType::LowPass, 10, kDesignRate, kQ, 0, false);
}

void AmpStages::SetPedalTone(double v) {
  sections_.pedalLowPass.Design(BiquadType::LowPass, 100 * v + 50, kDesignRate, kQ, 0, false);
  sections_.pedalHighPass.Design(BiquadType::HighPass, 12000 - 1000 * v, kDesignRate, kQ, 0,
                                 false);
}

void AmpStages::DesignPreampModel(int model) {
  preampModel_ = model;
  const bool second = model == 1;
  Sections& s = sections_;
  s.treble.Design(BiquadType::HighPass, second ? 1591.549 : 1539.2, kDesignRate, kQ, 0, false);
  s.mid.Design(BiquadType::HighPass, second ? 221 : 289.373, kDesignRate, kQ, 0, false);
  s.lowMid.Design(BiquadType::HighPass, second ? 221 : 289.373, kDesignRate, kQ, 0, false);
  s.bass.Design(BiquadType::HighPass, second ? 6.5 : 7, kDesignRate, kQ, 0, false);
  s.bassLowPass.Design(BiquadType::LowPass, second ? 313.92 : 200.222, kDesignRate, kQ, 0, false);
  s.envelopeFollower.Design(BiquadType::LowPass, 30, kDesignRate, kQ, 0, false);
  s.envelopeLowPass.Design(BiquadType::LowPass, 120.222, kDesignRate, kQ, 0, false);
  s.envelopeHighPass.Design(BiquadType::HighPass, 45.222, kDesignRate, kQ, 0, false);
}

// Each loop works on local copies of its records: the records' storage might alias the signal
// buffer as far as the compiler knows, which would put every recurrence through memory.

double AmpStages::GateAndLevel(const double* in, double* out, int n, bool gateOn) {
  const DenormalNoise& noise = DenormalNoise::Get();
  double noiseN = noise.n(), noiseT = noise.t();
  Biquad gate = sections_.gateSmoother;
  const double threshold = gateThreshold_, inputGain = inputGain_;
  double inputPeak = 0;
  int i = 0;
#if defined(__SSE2__)
  if (!gateOn) i = LevelPairs(in, out, std::min(n, DenormalNoise::kTableLength), inputGain, noise.Table(), &inputPeak);
#endif
  for (; i < n; ++i) {
    double x = in[i];
    // A host's non-finite or absurdly large sample is taken as silence (the test is false for
    // not-a-number too).
    if (!(std::fabs(x) < kLargestInput)) x = 0;
    if (gateOn) x = x * gate.Process(std::fabs(x) > threshold ? 1.0 : 0.0);
    x = x * inputGain;
    Peak(x, &inputPeak);
    const double dither = i < DenormalNoise::kTableLength ? noise.Table()[i]
                                                          : DenormalNoise::Step(&noiseN, &noiseT);
    out[i] = x + dither;
  }
  sections_.gateSmoother = gate;
  return inputPeak;
}

namespace {

void RunBiquad(Biquad& record, double* io, int n) {
  Biquad f = record;
  for (int i = 0; i < n; ++i) io[i] = f.Process(io[i]);
  record = f;
}

// A preamp filter's loop carries only the record's low and band states, and a local copy of its
// stage: the records might alias the signal buffer as far as the compiler knows.
void RunSvf(const SvfStage& stageRecord, StateVariableFilter& record, double* io, int n) {
  const SvfStage stage = stageRecord;
  SvfStates f = SvfStage::Load(record);
  for (int i = 0; i < n; ++i) io[i] = stage.Process(f, io[i]);
  SvfStage::Keep(f, record);
}

// Only the low and band states carry from one sample to the next: the pair runs on working
// copies, which the compiler keeps in registers, and hands them back at the end.
void CarryStates(const StateVariableFilter& from, StateVariableFilter& to) {
  to.lowState = from.lowState;
  to.bandState = from.bandState;
}

// The preamp's gain, then two filters in a row, side by side in SvfStageLanes: the second runs
// three samples behind the first, whose outputs it takes (closer, each step's lanes would wait on
// the output of a recent one). Each filter sees its samples in order.
void RunGainAndSvfPair(double gain, const SvfStage& firstRecordStage, StateVariableFilter& firstRecord,
                       const SvfStage& secondRecordStage, StateVariableFilter& secondRecord, double* io, int n) {
  constexpr int kBehind = 3;
  const SvfStage firstStage = firstRecordStage, secondStage = secondRecordStage;
  StateVariableFilter first, second;
  CarryStates(firstRecord, first);
  CarryStates(secondRecord, second);
  const auto level = [gain](double x) { return x * gain * 2; };
  int i = 0;
  if (n > kBehind) {
    double ahead[kBehind];
    for (int k = 0; k < kBehind; ++k) ahead[k] = firstStage.Process(first, level(io[k]));
    SvfStageLanes lanes(firstStage, first, secondStage, second);
    for (i = kBehind; i < n; ++i) {
      double next;
      lanes.Process(level(io[i]), ahead[0], &next, &io[i - kBehind]);
      ahead[0] = ahead[1];
      ahead[1] = ahead[2];
      ahead[2] = next;
    }
    lanes.Keep(first, second);
    for (int k = 0; k < kBehind; ++k) io[n - kBehind + k] = secondStage.Process(second, ahead[k]);
  } else {
    for (; i < n; ++i) io[i] = secondStage.Process(second, firstStage.Process(first, level(io[i])));
  }
  CarryStates(first, firstRecord);
  CarryStates(second, secondRecord);
}

// A filter, the waveshaper, another filter, over pairs of samples (the waveshaper's pairs, as
// TanhBlock takes them). The two filters step side by side in SvfStageLanes, the second three
// pairs behind the first, so that the waveshaper's result is long ready when it is taken. Each
// filter sees its samples in order.
void RunSvfShapedSvf(const SvfStage& firstRecordStage, StateVariableFilter& firstRecord, double gain,
                     const SvfStage& secondRecordStage, StateVariableFilter& secondRecord, double* io, int n) {
  constexpr int kPairsBehind = 3;
  const SvfStage firstStage = firstRecordStage, secondStage = secondRecordStage;
  StateVariableFilter first, second;
  CarryStates(firstRecord, first);
  CarryStates(secondRecord, second);
  const double* powers = TanhPowers();
  const double twiceGain = 2 * gain;
  const auto shapedPair = [&](double a, double b) { return tanh_kernel::TanhTwo(a, b, twiceGain, powers); };
  const int pairs = n / 2;
  int i = 0;
  if (pairs > kPairsBehind) {
    double shaped[2 * kPairsBehind];  // the pairs behind, oldest first
    for (int k = 0; k < 2 * kPairsBehind; k += 2) {
      const double a = firstStage.Process(first, io[k]);
      const tanh_kernel::Two t = shapedPair(a, firstStage.Process(first, io[k + 1]));
      shaped[k] = t.first;
      shaped[k + 1] = t.second;
    }
    SvfStageLanes lanes(firstStage, first, secondStage, second);
    for (i = 2 * kPairsBehind; i + 2 <= n; i += 2) {
      double a, b;
      lanes.Process(io[i], shaped[0], &a, &io[i - 2 * kPairsBehind]);
      lanes.Process(io[i + 1], shaped[1], &b, &io[i + 1 - 2 * kPairsBehind]);
      const tanh_kernel::Two t = shapedPair(a, b);
      for (int k = 0; k + 2 < 2 * kPairsBehind; ++k) shaped[k] = shaped[k + 2];
      shaped[2 * kPairsBehind - 2] = t.first;
      shaped[2 * kPairsBehind - 1] = t.second;
    }
    lanes.Keep(first, second);
    for (int k = 0; k < 2 * kPairsBehind; ++k) io[i - 2 * kPairsBehind + k] = secondStage.Process(second, shaped[k]);
  }
  for (; i + 2 <= n; i += 2) {
    const double a = firstStage.Process(first, io[i]);
    const tanh_kernel::Two t = shapedPair(a, firstStage.Process(first, io[i + 1]));
    io[i] = secondStage.Process(second, t.first);
    io[i + 1] = secondStage.Process(second, t.second);
  }
  if (i < n) io[i] = secondStage.Process(second, tanh_kernel::TanhScalar(firstStage.Process(first, io[i]), twiceGain, powers));
  CarryStates(first, firstRecord);
  CarryStates(second, secondRecord);
}

}  // namespace

void AmpStages::Pedal(double* io, int n, const BlockControls& c) {
  const double inputGain = c.djentGain / 100;
  for (int i = 0; i < n; ++i) io[i] = inputGain * (2 * io[i]);
  RunBiquad(sections_.pedalLowPass, io, n);
  TanhBlock(io, n, 2.2);
  RunBiquad(sections_.pedalHighPass, io, n);
  const double drive = 1 - c.djentTone / 6 + 2;
  const double level = c.djentTone2 / 100;
  for (int i = 0; i < n; ++i) io[i] = level * (300 * (drive * io[i] * 2));
}

void AmpStages::Preamp(double* io, int n) {
  RunGainAndSvfPair(preampGain_, preampInput_, svf1_, preampLow_, svf2_, io, n);
  TanhBlock(io, n, 5.9375 * 2);
  if (preampModel_ == 1) {
    RunSvf(preampMid_, svf5_, io, n);
    TanhBlock(io, n, 1);
  }
  RunSvfShapedSvf(preampMid_, svf3_, 5.9375 * 2, preampOutput_, svf4_, io, n);
  for (int k = 0; k < 3; ++k) TanhBlock(io, n, 5.9375);
}

void AmpStages::ToneStack(double* io, int n) {
  Sections& s = sections_;
  // The treble and mid sections take the same input, the low-mid and bass sections theirs after
  // the bass low-pass's two steps: each pair steps together.
  BiquadLanes trebleMid(s.treble, s.mid), lowMidBass(s.lowMid, s.bass);
  Biquad bassLowPass = s.bassLowPass;
  const double midWeight = 0.4 * midWeight_, trebleWeight = 0.7 * trebleWeight_;
  const double bassWeight = bassWeight_;
  for (int i = 0; i < n; ++i) {
    const double p = io[i];
    double t, m, c, b;
    trebleMid.Process(p, p, &t, &m);
    const double l1 = bassLowPass.Process(p);
    const double l2 = bassLowPass.Process(p);  // a second step of the same section
    lowMidBass.Process(0.3 * l1, l2, &c, &b);
    io[i] = midWeight * m + trebleWeight * t + c - bassWeight * b;
  }
  trebleMid.Keep(s.treble, s.mid);
  lowMidBass.Keep(s.lowMid, s.bass);
  s.bassLowPass = bassLowPass;
}

double AmpStages::RunFirstPass(const double* in, double* out, int n,
                               const BlockControls& controls) {
  const double inputPeak = GateAndLevel(in, out, n, controls.thresholdDb > -89);
  if (controls.pedalOn) Pedal(out, n, controls);
  Preamp(out, n);
  ToneStack(out, n);
  return inputPeak;
}

namespace {

// Two sections in a row over a block, stepped side by side in BiquadLanes: the second runs two
// samples behind the first, whose outputs it takes (one sample behind, each step's lanes would
// wait on the last step's). Sample j: in = before(io[j]), m = first(in), out = second(between(m,
// io[j])), io[j] = after(out, io[j]); each section and each call of `after` in sample order.
template <typename Before, typename Between, typename After>
void RunInSeries(Biquad& firstRecord, Biquad& secondRecord, double* io, int n, Before before,
                 Between between, After after) {
  Biquad first = firstRecord, second = secondRecord;
  if (n < 3) {
    for (int i = 0; i < n; ++i) io[i] = after(second.Process(between(first.Process(before(io[i])), io[i])), io[i]);
  } else {
    double older = first.Process(before(io[0])), newer = first.Process(before(io[1]));
    BiquadLanes lanes(first, second);
    for (int i = 2; i < n; ++i) {
      double ahead, behind;
      lanes.Process(before(io[i]), between(older, io[i - 2]), &ahead, &behind);
      io[i - 2] = after(behind, io[i - 2]);
      older = newer;
      newer = ahead;
    }
    lanes.Keep(first, second);
    io[n - 2] = after(second.Process(between(older, io[n - 2])), io[n - 2]);
    io[n - 1] = after(second.Process(between(newer, io[n - 1])), io[n - 1]);
  }
  firstRecord = first;
  secondRecord = second;
}

double Same(double v) { return v; }

}  // namespace

void AmpStages::ShelvesAndEnvelope(double* io, int n) {
  Sections& s = sections_;
  const auto pass = [](double v, double) { return v; };
  RunInSeries(s.depthShelf, s.presenceShelf, io, n, Same, pass, pass);
  // The follower and the low-pass side by side; the high-pass after them.
  Biquad high = s.envelopeHighPass;
  RunInSeries(
      s.envelopeFollower, s.envelopeLowPass, io, n, [](double v) { return std::fabs(v); },
      [](double e, double v) { return e * v; },
      [&high](double q, double v) { return 0.25 * v + high.Process(0.02 * q); });
  s.envelopeHighPass = high;
}

double AmpStages::OutputFilters(double* io, int n) {
  const double master = master_;
  double outputPeak = 0;
  RunInSeries(
      sections_.outputHighPass, sections_.outputLowPass, io, n,
      [master](double v) { return SoftClip::Process(v, 0.08) * master * 0.8; },
      [](double v, double) { return v; },
      [&outputPeak](double y, double) {
        const double out = 0.5 * y;
        Peak(out, &outputPeak);
        return out;
      });
  return outputPeak;
}

double AmpStages::RunSecondPass(double* io, int n) {
  ShelvesAndEnvelope(io, n);
  return OutputFilters(io, n);
}
