#include "plugin/amp_stages.h"

#include <array>
#include <cmath>

#include "plugin/waveshapers.h"

namespace {

constexpr double kQ = 0.5;

// The anti-denormal noise restarts with every block, so its sequence depends only on the sample's
// position in the block: it is computed once per process for the usual block sizes.
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

}  // namespace

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

double AmpStages::GateAndLevel(double x, bool gateOn) {
  // A host's non-finite sample would leave every recursive state not-a-number for good.
  if (!std::isfinite(x)) x = 0;
  if (gateOn) {
    const double open = std::fabs(x) > gateThreshold_ ? 1.0 : 0.0;
    x = x * sections_.gateSmoother.Process(open);
  }
  return x * inputGain_;
}

double AmpStages::Pedal(double s, const BlockControls& c) {
  const double u = (c.djentGain / 100) * (2 * s);
  const double v = sections_.pedalLowPass.Process(u);
  const double h = sections_.pedalHighPass.Process(ShaperTanh(2.2 * v));
  const double g = (1 - c.djentTone / 6 + 2) * h * 2;
  return (c.djentTone2 / 100) * (300 * g);
}

double AmpStages::Preamp(double s) {
  s = s * preampGain_ * 2;
  s = svf1_.Process(s, 0.0597964, 0.383333, SvfOutput::BandPlusInput);
  s = svf2_.Process(s, 0.0192749, 0.35, SvfOutput::High);
  s = ShaperTanh(s * 5.9375 * 2);
  if (preampModel_ == 1) {
    s = svf5_.Process(s, 0.125248, 0.35, SvfOutput::BandPlusInput);
    s = ShaperTanh(s);
  }
  s = svf3_.Process(s, 0.125248, 0.35, SvfOutput::BandPlusInput);
  s = ShaperTanh(s * 5.9375 * 2);
  s = svf4_.Process(s, 1.00101, 0.504943, SvfOutput::Low);
  for (int i = 0; i < 3; ++i) s = ShaperTanh(s * 5.9375);
  return s;
}

double AmpStages::ToneStack(double p) {
  Sections& f = sections_;
  const double t = f.treble.Process(p);
  const double m = f.mid.Process(p);
  const double l1 = f.bassLowPass.Process(p);
  const double c = f.lowMid.Process(0.3 * l1);
  const double l2 = f.bassLowPass.Process(p);  // a second step of the same section
  const double b = f.bass.Process(l2);
  return 0.4 * midWeight_ * m + 0.7 * trebleWeight_ * t + c - bassWeight_ * b;
}

double AmpStages::RunFirstPass(const double* in, double* out, int n,
                               const BlockControls& controls) {
  const bool gateOn = controls.thresholdDb > -89;
  const DenormalNoise& noise = DenormalNoise::Get();
  double noiseN = noise.n(), noiseT = noise.t();
  double inputPeak = 0;
  for (int i = 0; i < n; ++i) {
    const double x = GateAndLevel(in[i], gateOn);
    Peak(x, &inputPeak);
    const double dither = i < DenormalNoise::kTableLength ? noise.Table()[i]
                                                          : DenormalNoise::Step(&noiseN, &noiseT);
    double s = x + dither;
    if (controls.pedalOn) s = Pedal(s, controls);
    out[i] = ToneStack(Preamp(s));
  }
  return inputPeak;
}

double AmpStages::OutputStage(double s) {
  Sections& f = sections_;
  s = f.depthShelf.Process(s);
  s = f.presenceShelf.Process(s);
  const double e = f.envelopeFollower.Process(std::fabs(s));
  const double q = f.envelopeLowPass.Process(e * s);
  const double r = f.envelopeHighPass.Process(0.02 * q);
  s = 0.25 * s + r;
  s = SoftClip::Process(s, 0.08) * master_ * 0.8;
  s = f.outputHighPass.Process(s);
  s = f.outputLowPass.Process(s);
  return 0.5 * s;
}

double AmpStages::RunSecondPass(double* io, int n) {
  double outputPeak = 0;
  for (int i = 0; i < n; ++i) {
    io[i] = OutputStage(io[i]);
    Peak(io[i], &outputPeak);
  }
  return outputPeak;
}
