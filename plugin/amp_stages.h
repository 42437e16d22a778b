// AmpStages: the per-sample parts of the amplifier around its two convolutions. The first pass
// runs noise gate, input level, the optional pedal, the preamp and the tone stack; the second
// pass runs the shelves, the envelope stage, the soft clip with the master level and the output
// filters. Every filter designs at 44100 Hz whatever the host's rate. Filter states persist from
// block to block and are never cleared; setters and designs run under the instance lock, never
// during a block.
#pragma once

#include "plugin/biquad.h"
#include "plugin/state_variable_filter.h"
#include "plugin/svf_stage.h"

// What the block routine reads from the parameter records for one block.
struct BlockControls {
  double thresholdDb = -90;  // the gate runs while above -89
  bool pedalOn = false;      // "PedalBypass" at least 0.5
  double djentGain = 0;
  double djentTone = 0;
  double djentTone2 = 0;
};

class AmpStages {
 public:
  static constexpr double kDesignRate = 44100;

  // [UI thread, creation lock held] Fixed filters have zero coefficients until designed. The
  // first instance builds the process-wide noise and waveshaper tables.
  AmpStages();

  // Setters from a parameter's natural value. Any thread, instance lock held; no allocation.
  void SetGain(double v) { preampGain_ = v / 400; }
  void SetInput(double v) { inputGain_ = v / 100 * 2; }
  void SetMaster(double v) { master_ = v / 100; }
  void SetBass(double v) { bassWeight_ = v / 100; }
  void SetMid(double v) { midWeight_ = v / 100; }
  void SetTreble(double v) { trebleWeight_ = v / 100; }
  void SetLowpass(double hz);
  void SetHighpass(double hz);
  void SetPresence(double v);
  void SetDepth(double v);
  void SetThreshold(double db);
  void SetPedalTone(double v);
  // The fixed designs of a preamp model (models other than 1 take model 0's) and its stage set.
  void DesignPreampModel(int model);

  // Audio thread; no allocation. Reads in[0..n) and writes out[0..n); in and out may be the
  // same buffer. The input is never written; a non-finite sample, or one beyond any audio
  // level, is taken as 0. Returns the block's input peak (after the gate and the input level).
  double RunFirstPass(const double* in, double* out, int n, const BlockControls& controls);
  // Audio thread; no allocation. Runs in place over io[0..n); returns the output peak.
  double RunSecondPass(double* io, int n);

  // Read-only views for diagnostics and tests.
  struct Sections {
    Biquad treble, mid, lowMid, bass, bassLowPass;
    Biquad envelopeFollower, envelopeLowPass, envelopeHighPass;
    Biquad presenceShelf, depthShelf, outputLowPass, outputHighPass;
    Biquad gateSmoother, pedalLowPass, pedalHighPass;
  };
  const Sections& sections() const { return sections_; }
  int preampModel() const { return preampModel_; }
  double gateThreshold() const { return gateThreshold_; }

 private:
  double GateAndLevel(const double* in, double* out, int n, bool gateOn);
  void Pedal(double* io, int n, const BlockControls& c);
  void Preamp(double* io, int n);
  void ToneStack(double* io, int n);
  void ShelvesAndEnvelope(double* io, int n);
  double OutputFilters(double* io, int n);

  double master_ = 0;
  double preampGain_ = 1.0;
  double bassWeight_ = 0, midWeight_ = 0, trebleWeight_ = 0;
  double inputGain_ = 0;
  double gateThreshold_ = 0;
  int preampModel_ = 0;
  StateVariableFilter svf1_, svf2_, svf3_, svf4_, svf5_;
  SvfStage preampInput_, preampLow_, preampMid_, preampOutput_;  // SVF 1, 2, 3 and 5, 4
  Sections sections_;
};
