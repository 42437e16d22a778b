// The plug-in class's base for the tests: the recording test binding, which needs no instance
// information.
#pragma once

#include "tests/support/test_binding.h"

struct PluginInstanceInfo {};

class PluginBinding : public TestBinding {
 public:
  PluginBinding(const PluginInstanceInfo& /*info*/, int32_t paramCount, const char* channelIOText,
                int32_t presetCount, const char* effectName, const char* productName,
                const char* makerName, int32_t version, int32_t uniqueId, int32_t makerId,
                int32_t latency, bool doesMidi, bool doesStateChunks, bool isInstrument)
      : TestBinding(paramCount, channelIOText, presetCount, effectName, productName, makerName,
                    version, uniqueId, makerId, latency, doesMidi, doesStateChunks, isInstrument) {}
};
