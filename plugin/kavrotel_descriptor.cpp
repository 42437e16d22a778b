#include "plugin/kavrotel_descriptor.h"

#include "plugin/parameter_table.h"

namespace {

constexpr int32_t FourCC(const char (&code)[5]) {
  return (int32_t(code[0]) << 24) | (int32_t(code[1]) << 16) | (int32_t(code[2]) << 8) |
         int32_t(code[3]);
}

constexpr PluginDescriptor MakeKavrotelDescriptor() {
  PluginDescriptor d;
  d.effectName = "Kavrotel";
  d.productName = "";
  d.vendorName = "Quenvald";
  d.vendorUrl = "https://www.quenvald.example";
  d.vendorEmail = "support@quenvald.example";
  d.version = 0x10000;
  d.versionText = "1.0.0";
  d.uniqueId = FourCC("KVRL");
  d.makerId = FourCC("QNVD");
  // Four words stored little-endian: 0xF2AEE70D, 0x4F4E00DE, 'DVNQ', 'LRVK', so bytes 8 to 15
  // spell the maker and product codes. Raw bytes, so that no byte swapping can change them.
  d.vst3ClassId = {0x0D, 0xE7, 0xAE, 0xF2, 0xDE, 0x00, 0x4E, 0x4F,
                   0x51, 0x4E, 0x56, 0x44, 0x4B, 0x56, 0x52, 0x4C};
  d.vst3SubCategories = "Fx";
  d.aaxEffectId = "com.Quenvald.aax.Kavrotel";
  d.paramCount = kParamCount;
  d.presetCount = 1;
  d.channelIO = "1-1";
  d.latency = 0;
  d.doesMidi = false;
  d.doesStateChunks = false;
  d.isInstrument = false;
  return d;
}

}  // namespace

// Constant-initialised, so a factory may read it whenever the module is loaded.
const PluginDescriptor kKavrotelDescriptor = MakeKavrotelDescriptor();
