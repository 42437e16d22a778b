// PluginDescriptor: a product's facts in one record (names, vendor, identifiers, version,
// channel layout and flags), which the plug-in base, every factory and every binding read
// instead of repeating them. A plain constant: read from any thread, never allocates. The
// plug-in base copies what it keeps, so a record only has to live through the construction;
// a factory that reads it later needs a record of static lifetime.
#pragma once

#include <array>
#include <cstdint>

struct PluginDescriptor {
  // Texts are ASCII; an empty text means the format's default applies.
  const char* effectName = "";
  const char* productName = "";
  const char* vendorName = "";
  const char* vendorUrl = "";
  const char* vendorEmail = "";
  int32_t version = 0;  // 0xMMMMmmbb
  const char* versionText = "";
  int32_t uniqueId = 0;
  int32_t makerId = 0;
  std::array<unsigned char, 16> vst3ClassId{};  // raw bytes, in the order hosts compare them
  const char* vst3SubCategories = "";
  const char* aaxEffectId = "";
  int32_t paramCount = 0;
  int32_t presetCount = 0;
  const char* channelIO = "";  // "inputs-outputs" pairs separated by blanks
  int32_t latency = 0;
  bool doesMidi = false;
  bool doesStateChunks = false;
  bool isInstrument = false;
};

static_assert(sizeof(PluginDescriptor::vst3ClassId) == 16, "a VST3 class id is 16 bytes");
