// IPlugVST's audio callbacks: the accumulating and replacing float entries through the plug-in
// base's block frame, and the double entry straight into the host's output buffers. Each holds
// the instance lock for the whole block. A block longer than any before grows the scratch
// buffers first (the only allocation here), so it is processed whole; the host's input buffers
// are only ever read. [audio thread]
#include <cstring>

#include "bindings/vst2/iplug_vst.h"

using namespace vst2;

void VSTCALLBACK IPlugVST::ProcessCallback(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
  if (IPlugVST* plug = FromEffect(effect)) plug->RunFloat(inputs, outputs, frames, true);
}

void VSTCALLBACK IPlugVST::ProcessReplacingCallback(AEffect* effect, float** inputs, float** outputs,
                                                    VstInt32 frames) {
  if (IPlugVST* plug = FromEffect(effect)) plug->RunFloat(inputs, outputs, frames, false);
}

void VSTCALLBACK IPlugVST::ProcessDoubleReplacingCallback(AEffect* effect, double** inputs, double** outputs,
                                                          VstInt32 frames) {
  if (IPlugVST* plug = FromEffect(effect)) plug->RunDouble(inputs, outputs, frames);
}

void IPlugVST::RunFloat(float** inputs, float** outputs, VstInt32 frames, bool accumulate) {
  if (frames <= 0) return;
  try {
    LockGuard lock(GetLock());
    if (DoesMidi()) CallHost(audioMasterWantMidi);
    EnsureBlockSize(frames);  // when the heap refuses, the frames the scratch holds are processed
    BindInputBuffers(0, GetInputCount(), inputs, frames);
    BindOutputBuffers(0, GetOutputCount(), outputs);
    if (accumulate) RunFloatBlockAccumulating(frames);
    else RunFloatBlock(frames);
  } catch (...) {
  }
}

// The inputs are copied into the scratch buffers, since the plug-in may write into its inputs
// and these are the host's; connected outputs point straight at the host's buffers.
void IPlugVST::RunDouble(double** inputs, double** outputs, VstInt32 frames) {
  if (frames <= 0) return;
  try {
    LockGuard lock(GetLock());
    if (DoesMidi()) CallHost(audioMasterWantMidi);
    if (!EnsureBlockSize(frames)) {
      // Without room for the inputs nothing can be computed: the outputs are silent.
      for (int32_t i = 0; outputs && i < GetOutputCount(); ++i)
        if (outputs[i]) std::memset(outputs[i], 0, sizeof(double) * static_cast<size_t>(frames));
      return;
    }
    // Connected inputs land on their scratch buffers (silent), then take the host's in order.
    BindInputBuffers(0, GetInputCount(), nullptr, frames);
    double** in = GetInputPointers();
    for (int32_t i = 0, next = 0; inputs && i < GetInputCount(); ++i) {
      if (!IsInputConnected(i)) continue;
      const double* source = inputs[next++];
      if (source) std::memcpy(in[i], source, sizeof(double) * static_cast<size_t>(frames));
    }
    BindOutputBuffers(0, GetOutputCount(), nullptr);
    double** out = GetOutputPointers();
    for (int32_t i = 0, next = 0; outputs && i < GetOutputCount(); ++i) {
      if (!IsOutputConnected(i)) continue;
      if (double* destination = outputs[next++]) out[i] = destination;
    }
    ProcessBlock(in, out, frames);
  } catch (...) {
  }
}
