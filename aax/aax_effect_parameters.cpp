#include "aax/aax_effect_parameters.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <type_traits>
#include <vector>

#include "aax/aax_host_call_guard.h"

namespace {

double Clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

// Narrowing as single precision compares, without the undefined conversion of a finite double
// beyond the float range (a host's chunk may hold any bits).
float Narrow(double v) {
  if (std::isfinite(v) && std::fabs(v) > FLT_MAX) return v > 0 ? FLT_MAX : -FLT_MAX;
  return static_cast<float>(v);
}

void SetText(AAX_IString* out, const char* text) { out->Set(text); }

// Whether a slot's body runs through AAX_GuardHostCall. Only the reads of one stored number run
// bare: they make no text and call nothing that allocates.
enum class Guard { kHostCall, kNone };

// The body the per-parameter slots share: the parameter `id` names, handed to the slot's
// action, whose answer is the slot's (an action answering nothing answers kAaxOk); no parameter
// by that identifier answers kAaxUnknownParameter. The caller checks its out pointers first.
template <Guard kGuard, class Action>
AAX_Result WithParameter(const AAX_CParameterTable& table, const char* id, Action&& action) {
  auto body = [&]() -> AAX_Result {
    AAX_IParameter* p = table.GetParameterByID(id);
    if (!p) return kAaxUnknownParameter;
    if constexpr (std::is_void_v<decltype(action(*p))>) {
      action(*p);
      return kAaxOk;
    } else {
      return action(*p);
    }
  };
  if constexpr (kGuard == Guard::kHostCall) {
    return AAX_GuardHostCall(body);
  } else {
    return body();
  }
}

}  // namespace

AAX_CEffectParameters::~AAX_CEffectParameters() {
  // The host may release the object without Uninitialize: the parameters go first, through the
  // delegate they registered with, then the wrappers and their host references.
  parameters_.RemoveAllParameters();
  ReleaseHostWrappers();
}

void AAX_CEffectParameters::ReleaseHostWrappers() {
  parameters_.SetAutomationDelegate(nullptr);
  packetRouter_.SetController(nullptr);
  controller_.reset();
  automation_.reset();
  transport_.reset();
}

AAX_Result AAX_CEffectParameters::Initialize(IACFUnknown* host) {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    // A second Initialize starts over: the first set of parameters and wrappers is released
    // (parameters a derived constructor added before the first one stay).
    if (controller_) {
      parameters_.RemoveAllParameters();
      ReleaseHostWrappers();
      excluded_.clear();
    }
    controller_ = std::make_unique<AAX_VController>(host);
    automation_ = std::make_unique<AAX_VAutomationDelegate>(host);
    transport_ = std::make_unique<AAX_VTransport>(host);
    parameters_.SetAutomationDelegate(automation_.get());
    packetRouter_.SetController(controller_.get());
    packetRouter_.SetOwner(this);
    const AAX_Result r = InitEffect();
    if (r != kAaxOk) return r;
    AAX_CString bypass;
    GetMasterBypassID(&bypass);
    excluded_.insert(bypass.Get());
    return kAaxOk;
  });
}

AAX_Result AAX_CEffectParameters::Uninitialize() {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    parameters_.RemoveAllParameters();
    ReleaseHostWrappers();
    return kAaxOk;
  });
}

AAX_Result AAX_CEffectParameters::HandleNotification(int32_t type, const void* data, uint32_t size) {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    if (type == kAaxNotificationPreview && data && size >= sizeof(int32_t)) {
      if (AAX_IParameter* p = parameters_.GetParameterByID("PreviewID")) {
        int32_t on;
        std::memcpy(&on, data, sizeof on);
        p->SetValueWithBool(on != 0);
      }
    }
    return kAaxOk;
  });
}

AAX_Result AAX_CEffectParameters::GetNumberOfParameters(int32_t* count) const {
  if (!count) return kAaxTextNotConvertible;
  *count = parameters_.NumParameters();
  return kAaxOk;
}

AAX_Result AAX_CEffectParameters::GetMasterBypassID(AAX_IString* id) const {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    if (!id) return kAaxTextNotConvertible;
    SetText(id, parameters_.GetParameterByID(kMasterBypassID) ? kMasterBypassID : "");
    return kAaxOk;
  });
}

AAX_Result AAX_CEffectParameters::GetParameterIsAutomatable(const char* id, bool* automatable) const {
  if (!automatable) return kAaxTextNotConvertible;
  *automatable = false;
  return WithParameter<Guard::kNone>(parameters_, id, [&](const AAX_IParameter& p) { *automatable = p.Automatable(); });
}

AAX_Result AAX_CEffectParameters::GetParameterNumberOfSteps(const char* id, int32_t* steps) const {
  if (!steps) return kAaxTextNotConvertible;
  return WithParameter<Guard::kNone>(parameters_, id, [&](const AAX_IParameter& p) -> AAX_Result {
    const int32_t n = static_cast<int32_t>(p.NumberOfSteps());
    if (n < 0) return kAaxNegativeSteps;
    *steps = n;
    return kAaxOk;
  });
}

AAX_Result AAX_CEffectParameters::GetParameterName(const char* id, AAX_IString* name) const {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    if (!name) return kAaxTextNotConvertible;
    const AAX_IParameter* p = parameters_.GetParameterByID(id);
    SetText(name, p ? p->Name().Get() : "");
    return kAaxOk;
  });
}

AAX_Result AAX_CEffectParameters::GetShortParameterName(const char* id, AAX_IString* name, int32_t maxLength) const {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    if (!name) return kAaxTextNotConvertible;
    const AAX_IParameter* p = parameters_.GetParameterByID(id);
    if (!p) {
      SetText(name, "");
      return kAaxOk;
    }
    const AAX_CString& shortened = p->ShortenedName(maxLength);
    const std::string buffer(shortened.Get(), shortened.Length() < 255 ? shortened.Length() : 255);
    if (buffer.empty()) {
      SetText(name, "");  // rather than leave the host's old text
      return kAaxOk;
    }
    size_t best = 0;
    for (size_t start = 0; start <= buffer.size();) {
      size_t end = buffer.find('\n', start);
      if (end == std::string::npos) end = buffer.size();
      const size_t length = end - start;
      if (length > best && maxLength >= 0 && length <= static_cast<size_t>(maxLength)) {
        SetText(name, buffer.substr(start, length).c_str());
        best = length;
      }
      if (end == buffer.size()) break;
      start = end + 1;
    }
    if (best == 0) {
      if (maxLength > 0) {
        AAX_CString first;
        shortened.SubString(0, static_cast<uint32_t>(maxLength), &first);
        SetText(name, first.Get());
      } else {
        SetText(name, "");
      }
    }
    return kAaxOk;
  });
}

AAX_Result AAX_CEffectParameters::GetParameterDefaultNormalizedValue(const char* id, double* value) const {
  if (!value) return kAaxTextNotConvertible;
  return WithParameter<Guard::kNone>(parameters_, id,
                                     [&](const AAX_IParameter& p) { *value = p.GetNormalizedDefaultValue(); });
}

AAX_Result AAX_CEffectParameters::SetParameterDefaultNormalizedValue(const char* id, double value) {
  return WithParameter<Guard::kHostCall>(parameters_, id,
                                         [&](AAX_IParameter& p) { p.SetNormalizedDefaultValue(value); });
}

AAX_Result AAX_CEffectParameters::GetParameterType(const char* id, int32_t* type) const {
  if (!type) return kAaxTextNotConvertible;
  return WithParameter<Guard::kNone>(parameters_, id, [&](const AAX_IParameter& p) { *type = p.Type(); });
}

AAX_Result AAX_CEffectParameters::GetParameterOrientation(const char* id, int32_t* orientation) const {
  if (!orientation) return kAaxTextNotConvertible;
  return WithParameter<Guard::kNone>(parameters_, id, [&](const AAX_IParameter& p) { *orientation = p.Orientation(); });
}

AAX_Result AAX_CEffectParameters::GetParameter(const char* id, AAX_IParameter** parameter) {
  if (!parameter) return kAaxTextNotConvertible;
  *parameter = parameters_.GetParameterByID(id);
  return *parameter ? kAaxOk : kAaxUnknownParameter;
}

AAX_Result AAX_CEffectParameters::GetParameterIndex(const char* id, int32_t* index) const {
  if (!index) return kAaxTextNotConvertible;
  *index = parameters_.GetParameterIndex(id);
  return *index < 0 ? kAaxUnknownParameter : kAaxOk;
}

AAX_Result AAX_CEffectParameters::GetParameterIDFromIndex(int32_t index, AAX_IString* id) const {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    if (!id) return kAaxTextNotConvertible;
    const AAX_IParameter* p = parameters_.GetParameterAt(index);
    SetText(id, p ? p->Identifier() : "");
    return p ? kAaxOk : kAaxUnknownParameter;
  });
}

AAX_Result AAX_CEffectParameters::Reserved19(void*, void*, int32_t* out) const {
  if (out) *out = 0;
  return kAaxNotSupported;
}

AAX_Result AAX_CEffectParameters::GetParameterValueFromString(const char* id, double* value, const AAX_IString* text) const {
  if (!value || !text) return kAaxTextNotConvertible;
  return WithParameter<Guard::kHostCall>(parameters_, id, [&](const AAX_IParameter& p) -> AAX_Result {
    const AAX_CString local(text->Get());
    double normalized = 0.0;
    if (!p.GetNormalizedValueFromString(local, &normalized)) return kAaxTextNotConvertible;
    *value = normalized;
    return kAaxOk;
  });
}

AAX_Result AAX_CEffectParameters::GetParameterStringFromValue(const char* id, double value, AAX_IString* text,
                                                              int32_t maxLength) const {
  if (!text) return kAaxTextNotConvertible;
  return WithParameter<Guard::kHostCall>(parameters_, id, [&](const AAX_IParameter& p) -> AAX_Result {
    AAX_CString local;
    if (!p.GetStringFromNormalizedValueOfLength(value, maxLength, local)) return kAaxTextNotConvertible;
    text->AssignString(&local);
    return kAaxOk;
  });
}

AAX_Result AAX_CEffectParameters::GetParameterValueString(const char* id, AAX_IString* text, int32_t maxLength) const {
  if (!text) return kAaxTextNotConvertible;
  return WithParameter<Guard::kHostCall>(parameters_, id, [&](const AAX_IParameter& p) {
    AAX_CString local;
    p.GetValueStringOfLength(maxLength, &local);
    SetText(text, local.Get());
  });
}

AAX_Result AAX_CEffectParameters::GetParameterNormalizedValue(const char* id, double* value) const {
  if (!value) return kAaxTextNotConvertible;
  return WithParameter<Guard::kNone>(parameters_, id,
                                     [&](const AAX_IParameter& p) { *value = p.GetNormalizedValue(); });
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedValue(const char* id, double value) {
  return WithParameter<Guard::kHostCall>(parameters_, id, [&](AAX_IParameter& p) { p.SetNormalizedValue(value); });
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedRelative(const char* id, double delta) {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    double current = 0.0;
    const AAX_Result r = GetParameterNormalizedValue(id, &current);
    if (r != kAaxOk) return r;
    return SetParameterNormalizedValue(id, Clamp01(current + delta));
  });
}

AAX_Result AAX_CEffectParameters::TouchParameter(const char* id) {
  return WithParameter<Guard::kHostCall>(parameters_, id, [](AAX_IParameter& p) { p.Touch(); });
}

AAX_Result AAX_CEffectParameters::ReleaseParameter(const char* id) {
  return WithParameter<Guard::kHostCall>(parameters_, id, [](AAX_IParameter& p) { p.Release(); });
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedValue(const char* id, double value, int32_t) {
  return WithParameter<Guard::kHostCall>(parameters_, id, [&](AAX_IParameter& p) {
    p.UpdateNormalizedValue(value);
    const AAX_Result r = packetRouter_.SetDirty(id, true);
    AddToChangeCount();
    return r;
  });
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedRelative(const char* id, double delta) {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    double current = 0.0;
    const AAX_Result r = GetParameterNormalizedValue(id, &current);
    if (r != kAaxOk) return r;
    return UpdateParameterNormalizedValue(id, Clamp01(current + delta), 0);
  });
}

AAX_Result AAX_CEffectParameters::DispatchDirtyPackets() {
  return AAX_GuardHostCall([&]() -> AAX_Result { return packetRouter_.Dispatch(); });
}

AAX_Result AAX_CEffectParameters::InitPrivateField(int32_t, void* data, uint32_t size) {
  if (!data) return size ? kAaxTextNotConvertible : kAaxOk;
  std::memset(data, 0, size);
  return kAaxOk;
}

AAX_Result AAX_CEffectParameters::GetNumberOfChunks(int32_t* count) const {
  if (!count) return kAaxTextNotConvertible;
  *count = 1;
  return kAaxOk;
}

AAX_Result AAX_CEffectParameters::GetChunkIDFromIndex(int32_t index, int32_t* chunkId) const {
  if (!chunkId) return kAaxTextNotConvertible;
  if (index != 0) {
    *chunkId = 0;
    return kAaxChunkIndexOutOfRange;
  }
  *chunkId = kAaxDefaultChunkId;
  return kAaxOk;
}

int32_t AAX_CEffectParameters::ParameterCountForChunk() const {
  int32_t count = 0;
  if (GetNumberOfParameters(&count) != kAaxOk) return 0;
  return count < parameters_.NumParameters() ? count : parameters_.NumParameters();
}

void AAX_CEffectParameters::BuildDefaultChunk() {
  chunkParser_.Clear();
  const int32_t count = ParameterCountForChunk();
  for (int32_t i = 0; i < count; ++i) {
    const AAX_IParameter* p = parameters_.GetParameterAt(i);
    if (!p || excluded_.count(p->Identifier())) continue;
    const char* id = p->Identifier();
    float f;
    int32_t n;
    bool b;
    double d;
    AAX_CString s;
    if (p->GetValueAsFloat(&f)) {
      chunkParser_.AddDouble(id, static_cast<double>(f));
    } else if (p->GetValueAsInt32(&n)) {
      chunkParser_.AddInt32(id, n);
    } else if (p->GetValueAsBool(&b)) {
      chunkParser_.AddInt32(id, b ? 1 : 0);
    } else if (p->GetValueAsDouble(&d)) {
      chunkParser_.AddDouble(id, d);
    } else if (p->GetValueAsString(&s)) {
      chunkParser_.AddString(id, s);
    }
  }
}

AAX_Result AAX_CEffectParameters::GetChunkSize(int32_t chunkId, int32_t* size) {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    if (!size) return kAaxTextNotConvertible;
    if (chunkId != kAaxDefaultChunkId) {
      *size = 0;
      return kAaxUnknownChunk;
    }
    BuildDefaultChunk();
    const int32_t n = chunkParser_.GetChunkDataSize();
    cachedChunkSize_ = n;
    if (n < 0) return kAaxChunkSizeInvalid;
    *size = n;
    return kAaxOk;
  });
}

AAX_Result AAX_CEffectParameters::GetChunk(int32_t chunkId, AAX_SStateChunk* chunk) {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    if (chunkId != kAaxDefaultChunkId) return kAaxUnknownChunk;
    if (!chunk) return kAaxTextNotConvertible;
    BuildDefaultChunk();
    const int32_t n = chunkParser_.GetChunkDataSize();
    // The record was sized by GetChunkSize for the state as it was then.
    if (cachedChunkSize_ == 0 || n != cachedChunkSize_) return kAaxChunkSizeInvalid;
    chunk->version = chunkParser_.GetVersion();
    std::memset(chunk->name, 0, sizeof chunk->name);
    std::strncpy(chunk->name, kDefaultChunkName, sizeof chunk->name - 1);
    return chunkParser_.GetChunkData(chunk);
  });
}

AAX_Result AAX_CEffectParameters::SetChunk(int32_t chunkId, const AAX_SStateChunk* chunk) {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    if (chunkId != kAaxDefaultChunkId) return kAaxUnknownChunk;
    if (!chunk) return kAaxTextNotConvertible;
    // A chunk whose entries run past its size is refused before any parameter changes.
    if (!chunkParser_.LoadChunk(chunk)) return kAaxChunkSizeInvalid;
    const int32_t count = ParameterCountForChunk();
    for (int32_t i = 0; i < count; ++i) {
      AAX_IParameter* p = parameters_.GetParameterAt(i);
      if (!p || excluded_.count(p->Identifier())) continue;
      const char* id = p->Identifier();
      float f;
      int32_t n;
      bool b;
      double d;
      AAX_CString s;
      if (p->GetValueAsFloat(&f)) {
        if (chunkParser_.FindDouble(id, &d)) p->SetValueWithFloat(Narrow(d));
      } else if (p->GetValueAsInt32(&n)) {
        if (chunkParser_.FindInt32(id, &n)) p->SetValueWithInt32(n);
      } else if (p->GetValueAsBool(&b)) {
        if (chunkParser_.FindInt32(id, &n)) p->SetValueWithBool(n != 0);
      } else if (p->GetValueAsDouble(&d)) {
        if (chunkParser_.FindDouble(id, &d)) p->SetValueWithDouble(d);
      } else if (p->GetValueAsString(&s)) {
        if (chunkParser_.FindString(id, &s)) p->SetValueWithString(s);
      }
    }
    return kAaxOk;
  });
}

AAX_Result AAX_CEffectParameters::CompareChunk(const AAX_SStateChunk* chunk, bool* equal) {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    if (!chunk || !equal) return kAaxTextNotConvertible;
    if (chunk->identifier != kAaxDefaultChunkId) {
      *equal = true;
      return kAaxOk;
    }
    *equal = false;
    if (!chunkParser_.LoadChunk(chunk)) return kAaxOk;  // not a chunk we could restore: differs
    const int32_t count = ParameterCountForChunk();
    if (count < 1) {
      *equal = true;
      return kAaxOk;
    }
    for (int32_t i = 0; i < count; ++i) {
      const AAX_IParameter* p = parameters_.GetParameterAt(i);
      if (!p || excluded_.count(p->Identifier())) continue;
      const char* id = p->Identifier();
      float f;
      int32_t n, stored;
      bool b;
      double d, saved;
      AAX_CString s, text;
      bool same = true;
      if (p->GetValueAsFloat(&f)) {
        same = chunkParser_.FindDouble(id, &saved) && Narrow(saved) == f;
      } else if (p->GetValueAsInt32(&n)) {
        same = chunkParser_.FindInt32(id, &stored) && stored == n;
      } else if (p->GetValueAsBool(&b)) {
        same = chunkParser_.FindInt32(id, &stored) && (stored != 0) == b;
      } else if (p->GetValueAsDouble(&d)) {
        same = chunkParser_.FindDouble(id, &saved) && Narrow(saved) == Narrow(d);
      } else if (p->GetValueAsString(&s)) {
        same = chunkParser_.FindString(id, &text) && std::strcmp(text.Get(), s.Get()) == 0;
      }
      if (!same) return kAaxOk;
    }
    *equal = true;
    return kAaxOk;
  });
}

AAX_Result AAX_CEffectParameters::GetChangeCount(int32_t* count) const {
  if (!count) return kAaxTextNotConvertible;
  const int32_t n = changeCount_.load();
  if (n >= 0) *count = n;
  return kAaxOk;
}

AAX_Result AAX_CEffectParameters::Reserved42(void*, void*, void*, int32_t* out) {
  if (out) *out = 0;
  return kAaxOk;
}
