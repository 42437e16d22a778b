#include "bindings/aax/aax_effect_setup.h"

void InitEffectSetup(AAX_SEffectSetup* setup) {
  *setup = AAX_SEffectSetup{};
  setup->globalMidiName = "GlobalMIDI";
  setup->globalMidiMask = 0xffff;
  setup->inputMidiName = "InputMIDI";
  setup->inputMidiMask = 0xffff;
  setup->transportName = "Transport";
  for (int32_t& format : setup->auxStemFormats) format = StemFormatForChannels(1);
  setup->inputStemFormat = StemFormatForChannels(1);
  setup->outputStemFormat = StemFormatForChannels(1);
  setup->property60 = true;
  setup->manufacturerId = kAaxIdNone;
  setup->productId = kAaxIdNone;
  setup->nativeId = kAaxIdNone;
  setup->audioSuiteId = kAaxIdNone;
}

int32_t StemFormatForChannels(int32_t channels) {
  switch (channels) {
    case 1: return 0x00000001;
    case 2: return 0x00010002;
    case 3: return 0x00020003;
    case 4: return 0x00040004;
    case 5: return 0x00050005;
    case 6: return 0x00060006;
    case 7: return 0x00080007;
    case 8: return 0x000C0008;
    default: return static_cast<int32_t>(0xFF9C0000u);
  }
}
