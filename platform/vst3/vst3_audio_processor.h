// IAudioProcessor with its set-up and per-block records. ProcessData counts buses, not
// channels; the buffer union is float** for 32-bit processing and double** for 64-bit.
#pragma once

#include <cstddef>

#include "platform/vst3/vst3_events.h"
#include "platform/vst3/vst3_parameter_changes.h"
#include "platform/vst3/vst3_process_context.h"
#include "platform/vst3/vst3_vst_types.h"

namespace Steinberg {
namespace Vst {

struct ProcessSetup {
  int32 processMode;
  int32 symbolicSampleSize;
  int32 maxSamplesPerBlock;
  SampleRate sampleRate;
};

struct AudioBusBuffers {
  int32 numChannels;
  uint64 silenceFlags;
  union {
    Sample32** channelBuffers32;
    Sample64** channelBuffers64;
  };
};

struct ProcessData {
  int32 processMode;
  int32 symbolicSampleSize;
  int32 numSamples;
  int32 numInputs;
  int32 numOutputs;
  AudioBusBuffers* inputs;
  AudioBusBuffers* outputs;
  IParameterChanges* inputParameterChanges;
  IParameterChanges* outputParameterChanges;
  IEventList* inputEvents;
  IEventList* outputEvents;
  ProcessContext* processContext;
};

static_assert(sizeof(ProcessSetup) == 24 && offsetof(ProcessSetup, sampleRate) == 16, "ProcessSetup layout");
static_assert(sizeof(AudioBusBuffers) == 24 && offsetof(AudioBusBuffers, channelBuffers32) == 16,
              "AudioBusBuffers layout");
static_assert(sizeof(ProcessData) == 80 && offsetof(ProcessData, inputs) == 24 &&
                  offsetof(ProcessData, processContext) == 72,
              "ProcessData layout");

class IAudioProcessor : public FUnknown {
 public:
  virtual tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                SpeakerArrangement* outputs, int32 numOuts) = 0;
  virtual tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) = 0;
  virtual tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) = 0;
  virtual uint32 PLUGIN_API getLatencySamples() = 0;
  virtual tresult PLUGIN_API setupProcessing(ProcessSetup& setup) = 0;
  virtual tresult PLUGIN_API setProcessing(TBool state) = 0;
  virtual tresult PLUGIN_API process(ProcessData& data) = 0;
  virtual uint32 PLUGIN_API getTailSamples() = 0;
  KV_VST3_IID(0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D);
};

}  // namespace Vst
}  // namespace Steinberg
