// The five impulse responses of the amplifier, compiled in: two preamp responses and three
// speaker cabinets, each 512 float samples at 44100 Hz, stored one after the other. They are
// loaded whole and never normalised at run time (largest magnitude 0.966 in each).
#pragma once

constexpr int kImpulseLength = 512;

enum ImpulseTableIndex {
  kPreampTable0,   // "Borkan"
  kPreampTable1,   // "Stygra"
  kCabinetTable0,  // "Vellmoth"
  kCabinetTable1,  // "Tassoven"
  kCabinetTable2,  // "Orrindal"
  kImpulseTableCount
};

extern const float kImpulseTables[kImpulseTableCount][kImpulseLength];

// The table of a preamp model (0 or 1) or a cabinet model (0 to 2); null for any other model.
inline const float* PreampImpulse(int model) {
  return model == 0 || model == 1 ? kImpulseTables[kPreampTable0 + model] : nullptr;
}
inline const float* CabinetImpulse(int model) {
  return model >= 0 && model <= 2 ? kImpulseTables[kCabinetTable0 + model] : nullptr;
}
