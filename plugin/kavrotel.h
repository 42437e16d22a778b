// Kavrotel: the amplifier plug-in class, one mono guitar amplifier with 19 parameters. It derives
// from the format binding of its deliverable (PluginBinding, named by the binding target's
// "plugin_binding.h"), so this class is compiled once per binding; the signal path itself lives
// in AmpChain. The object owns the chain; parameters and editor belong to the plug-in base.
//
// The binding runs Reset and ParameterChanged for every parameter before the first block.
#pragma once

#include <cstdint>

#include "plugin/amp_chain.h"
#include "plugin_binding.h"

class Kavrotel : public PluginBinding {
 public:
  // Editor control indices the plug-in drives: the meters, and the pedal group (the pedal
  // image, its three knobs, its switch area and its light, in that order).
  static constexpr int32_t kOutputMeterControl = 10;
  static constexpr int32_t kInputMeterControl = 12;
  static constexpr int kPedalGroupSize = 6;
  static constexpr int32_t kPedalGroupControls[kPedalGroupSize] = {18, 20, 21, 22, 23, 24};
  static constexpr int32_t kPedalLightControl = kPedalGroupControls[kPedalGroupSize - 1];

  // [UI thread, creation lock held; allocates] Builds the editor (kavrotel_layout.cpp) and
  // declares the 19 parameters between its controls; designs nothing and loads no response
  // (Reset and ParameterChanged do).
  explicit Kavrotel(const PluginInstanceInfo& info);
  // [UI thread; frees]
  ~Kavrotel() override;

  // [UI thread; allocates, without the lock, only for a block size the models were not yet
  // prepared for; then takes the lock] The five chains prepared for blocks of the current block
  // size, then the fixed designs and both selected chains restarted from silence.
  void Reset() override;
  // [any thread, the audio thread included; takes the lock; no allocation] Recomputes what the
  // parameter drives; a model change selects prepared chains.
  void ParameterChanged(int32_t paramIdx) override;
  // [audio thread, lock held; no allocation] Only channel 0 in and out; the input is never
  // written.
  void ProcessBlock(double** inputs, double** outputs, int32_t frames) override;

  // [any thread, lock held; no allocation] Selects the current preamp and cabinet models: their
  // designs, and their prepared chains restarted from silence.
  void UpdateModels();

  // Diagnostics [any thread].
  const AmpChain& chain() const { return chain_; }
  int32_t preampModel() const { return preampModel_; }
  int32_t cabinetModel() const { return cabinetModel_; }

 private:
  void BuildEditor();
  void DeclareParameter(int32_t index);
  void PrepareModels(int32_t blockSize);
  BlockControls ReadBlockControls() const;
  void ShowPedal(bool shown);
  void ShowPedalLight(bool lit);
  void ShowMeters();

  int32_t preampModel_ = 0;
  int32_t cabinetModel_ = 0;
  AmpChain chain_;
};

// [any thread; takes the process-wide creation lock; allocates] A new instance, or null when
// it cannot be allocated. Exceptions from the constructor pass to the caller.
Kavrotel* CreatePluginInstance();
