#include "tools/aaxhost/aax_effect.h"

#include <algorithm>
#include <cstring>

namespace aaxhost {

using fake_aax::Call;

namespace {

using ProcessProc = void (*)(void* const* first, void* const* last);
using CreateProc = void* (*)();

// A host string the effect writes into (or reads from).
std::string Written(const fake_aax::HostString& s, int32_t result) { return result == 0 ? s.text : std::string(); }

}  // namespace

bool AaxEffect::Create(const AaxModule& module, std::string& error) {
  auto create = reinterpret_cast<CreateProc>(module.Procedure(0));
  component_ = module.Component();
  process_ = component_ ? component_->renderProc : nullptr;
  if (!create || !process_) {
    error = "the plug-in described no creation or process procedure";
    return false;
  }
  effect_ = create();
  if (!effect_) {
    error = "creation procedure 0 made nothing";
    return false;
  }
  Call<uint32_t>(effect_, 1);  // the host's reference
  host_.SetAutomation(fake_aax::FakeHost::Automation::kEcho, effect_);
  const int32_t r = Call<int32_t>(effect_, kInitialize, host_.Context());
  if (r != 0) {
    error = "Initialize answered " + std::to_string(r);
    return false;
  }
  return true;
}

void AaxEffect::Destroy() {
  if (!effect_) return;
  Call<int32_t>(effect_, kUninitialize);
  Call<uint32_t>(effect_, kRelease);
  host_.SetAutomation(fake_aax::FakeHost::Automation::kRecord);
  effect_ = nullptr;
}

int32_t AaxEffect::ParameterCount() const {
  int32_t count = 0;
  return Call<int32_t>(effect_, kGetNumberOfParameters, &count) == 0 ? count : 0;
}

std::string AaxEffect::ParameterId(int32_t index) const {
  fake_aax::HostString s;
  return Written(s, Call<int32_t>(effect_, kGetParameterIDFromIndex, index, &s));
}

std::string AaxEffect::MasterBypassId() const {
  fake_aax::HostString s;
  return Written(s, Call<int32_t>(effect_, kGetMasterBypassID, &s));
}

std::string AaxEffect::Name(const std::string& id) const {
  fake_aax::HostString s;
  return Written(s, Call<int32_t>(effect_, kGetParameterName, id.c_str(), &s));
}

std::string AaxEffect::ValueText(const std::string& id) const {
  fake_aax::HostString s;
  return Written(s, Call<int32_t>(effect_, kGetParameterValueString, id.c_str(), &s, int32_t{32}));
}

double AaxEffect::Normalized(const std::string& id) const {
  double v = -1.0;
  Call<int32_t>(effect_, kGetParameterNormalizedValue, id.c_str(), &v);
  return v;
}

std::string AaxEffect::Find(const std::string& nameOrId) const {
  for (int32_t i = 0, n = ParameterCount(); i < n; ++i) {
    const std::string id = ParameterId(i);
    if (id == nameOrId || Name(id) == nameOrId) return id;
  }
  return "";
}

int32_t AaxEffect::Update(const std::string& id, double normalized) {
  return Call<int32_t>(effect_, kUpdateParameterNormalizedValue, id.c_str(), normalized, int32_t{0});
}

bool AaxEffect::SetFromText(const std::string& id, const std::string& text) {
  fake_aax::HostString s;
  s.text = text;
  double normalized = 0.0;
  return Call<int32_t>(effect_, kGetParameterValueFromString, id.c_str(), &normalized, &s) == 0 &&
         Update(id, normalized) == 0;
}

bool AaxEffect::ApplySettings(const std::vector<std::string>& settings, std::string& error) {
  for (const std::string& s : settings) {
    const size_t eq = s.find('=');
    const std::string id = eq == std::string::npos ? "" : Find(s.substr(0, eq));
    if (id.empty() || !SetFromText(id, s.substr(eq + 1))) {
      error = "the plug-in does not take '" + s + "'";
      return false;
    }
  }
  return true;
}

bool AaxEffect::Prepare(std::string& error) {
  if (!component_ || component_->fields.empty()) {
    error = "the component described no context fields";
    return false;
  }
  const int32_t count = component_->fields.rbegin()->first + 1;
  context_.assign(static_cast<size_t>(count), nullptr);
  privateData_.assign(static_cast<size_t>(count), {});
  size_t largest = 8;
  for (const auto& [field, described] : component_->fields) {
    const auto at = static_cast<size_t>(field);
    if (described.kind == "AudioIn") inField_ = field;
    if (described.kind == "AudioOut") outField_ = field;
    if (described.kind == "AudioBufferLength") context_[at] = &frames_;
    if (described.kind == "MIDINode") context_[at] = &transportNode_;  // the transport; an empty stream for others
    if (described.kind != "PrivateData" && described.kind != "Meters") continue;
    privateData_[at].assign(static_cast<size_t>(std::max(described.size, 8)), 0);
    context_[at] = privateData_[at].data();
    largest = std::max(largest, privateData_[at].size());
    if (described.kind == "PrivateData") {
      const int32_t r = Call<int32_t>(effect_, kInitPrivateField, field, context_[at], static_cast<uint32_t>(described.size));
      if (r != 0) {
        error = "InitPrivateField(" + std::to_string(field) + ") answered " + std::to_string(r);
        return false;
      }
    }
  }
  blank_.assign(largest, 0);
  return true;
}

void AaxEffect::RenderContext(std::vector<void*>& context, float* const* inputs, float* const* outputs, int32_t frames) {
  if (inField_ >= 0) context[static_cast<size_t>(inField_)] = const_cast<float**>(inputs);
  if (outField_ >= 0) context[static_cast<size_t>(outField_)] = const_cast<float**>(outputs);
  frames_ = frames;
  void* const list[1] = {context.data()};
  reinterpret_cast<ProcessProc>(process_)(list, list + 1);
}

void AaxEffect::Render(float* const* inputs, float* const* outputs, int32_t frames) {
  RenderContext(context_, inputs, outputs, frames);
}

void AaxEffect::RenderWithoutInstance(float* const* inputs, float* const* outputs, int32_t frames) {
  std::vector<void*> context = context_;
  for (const auto& [field, described] : component_->fields)
    if (described.kind == "PrivateData") context[static_cast<size_t>(field)] = blank_.data();
  RenderContext(context, inputs, outputs, frames);
}

std::vector<float> AaxEffect::RenderMono(const std::vector<float>& in, int32_t blockFrames) {
  std::vector<float> out(in.size(), 0.0f), block(static_cast<size_t>(blockFrames));
  for (size_t at = 0; at < in.size(); at += static_cast<size_t>(blockFrames)) {
    const size_t n = std::min(in.size() - at, static_cast<size_t>(blockFrames));
    std::copy(in.begin() + static_cast<std::ptrdiff_t>(at), in.begin() + static_cast<std::ptrdiff_t>(at + n), block.begin());
    float* ins[1] = {block.data()};
    float* outs[1] = {out.data() + at};
    Render(ins, outs, static_cast<int32_t>(n));
  }
  return out;
}

std::vector<uint8_t> AaxEffect::GetChunk(int32_t* result) {
  int32_t size = 0, r = Call<int32_t>(effect_, kGetChunkSize, kStateChunkId, &size);
  std::vector<uint8_t> record;
  if (r == 0 && size >= 0) {
    record.assign(kChunkHeaderBytes + static_cast<size_t>(size), 0);
    std::memcpy(record.data(), &size, 4);
    std::memcpy(record.data() + 20, &kStateChunkId, 4);  // the host names the record
    r = Call<int32_t>(effect_, kGetChunk, kStateChunkId, record.data());
    int32_t written = 0;
    std::memcpy(&written, record.data(), 4);
    if (r != 0 || written < 0 || written > size) record.clear();
    else record.resize(kChunkHeaderBytes + static_cast<size_t>(written));
  }
  if (result) *result = r;
  return record;
}

int32_t AaxEffect::SetChunk(const std::vector<uint8_t>& record, int32_t chunkId) {
  return Call<int32_t>(effect_, kSetChunk, chunkId, static_cast<const void*>(record.data()));
}

bool AaxEffect::ChunkEquals(const std::vector<uint8_t>& record) {
  bool equal = false;
  return Call<int32_t>(effect_, kCompareChunk, static_cast<const void*>(record.data()), &equal) == 0 && equal;
}

}  // namespace aaxhost
