#include "tools/vst2host/effect_session.h"

#include <cstring>

namespace vst2host {

using namespace vst2;

bool Vst2Module::Load(const std::string& path, std::string& error) {
  path_ = path;
  if (!library_.Load(path, error)) return false;
  entry_ = reinterpret_cast<VstMain>(library_.Symbol("VSTPluginMain"));
  main_ = reinterpret_cast<VstMain>(library_.Symbol("main"));
  if (!entry_) error = path + " exports no VSTPluginMain";
  return entry_ != nullptr;
}

bool Effect::Create(const Vst2Module& module, bool open, int32_t blockSize, float rate) {
  Close();
  if (!module.Entry()) return false;
  effect = module.Entry()(&RecordingHost::Callback);
  if (!effect || effect->magic != kEffectMagic) return false;
  host.Attach(effect);
  if (open) {
    Dispatch(effOpen);
    Dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    Dispatch(effSetBlockSize, 0, blockSize);
    Dispatch(effMainsChanged, 0, 1);
  }
  return true;
}

void Effect::Close() {
  if (!effect) return;
  Dispatch(effMainsChanged, 0, 0);
  Dispatch(effClose);
  effect = nullptr;  // no longer valid
}

VstIntPtr Effect::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string Effect::Text(VstInt32 opcode, VstInt32 index, size_t limit, bool* bounded) {
  char buffer[512];
  std::memset(buffer, 0x5A, sizeof buffer);
  Dispatch(opcode, index, 0, buffer);
  bool ok = true;
  for (size_t i = limit; i < sizeof buffer; ++i) ok = ok && buffer[i] == 0x5A;
  const void* end = std::memchr(buffer, 0, limit);
  ok = ok && (end || buffer[0] == 0x5A);
  if (bounded) *bounded = ok;
  return end ? std::string(buffer) : std::string();
}

int32_t Effect::FindParameter(const std::string& name) {
  for (int32_t i = 0; i < effect->numParams; ++i)
    if (Text(effGetParamName, i, 32, nullptr) == name) return i;
  return -1;
}

std::vector<float> Effect::Replacing(std::vector<float> in) {
  std::vector<float> out(in.size(), 99.0f);
  float* inputs[] = {in.data()};
  float* outputs[] = {out.data()};
  effect->processReplacing(effect, inputs, outputs, static_cast<VstInt32>(in.size()));
  return out;
}

void Effect::Accumulating(std::vector<float> in, std::vector<float>& inOut) {
  float* inputs[] = {in.data()};
  float* outputs[] = {inOut.data()};
  effect->process(effect, inputs, outputs, static_cast<VstInt32>(in.size()));
}

std::vector<double> Effect::DoubleReplacing(const std::vector<double>& in) {
  std::vector<double> copy = in, out(in.size(), 99.0);
  double* inputs[] = {copy.data()};
  double* outputs[] = {out.data()};
  effect->processDoubleReplacing(effect, inputs, outputs, static_cast<VstInt32>(in.size()));
  return copy == in ? out : std::vector<double>();  // the host's input must come back as it went
}

std::vector<uint8_t> Effect::GetChunk(VstInt32 index) {
  void* data = nullptr;
  const VstIntPtr size = Dispatch(effGetChunk, index, 0, &data);
  if (size <= 0 || !data) return {};
  return std::vector<uint8_t>(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

VstIntPtr Effect::SetChunk(VstInt32 index, std::vector<uint8_t> bytes) {
  return Dispatch(effSetChunk, index, static_cast<VstIntPtr>(bytes.size()), bytes.data());
}

}  // namespace vst2host
