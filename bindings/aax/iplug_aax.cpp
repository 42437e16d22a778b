// IPlugAAX: construction, the host-visible parameters built by InitEffect, host updates and
// the editor's changes through the host's automation, latency and resize.
#include "bindings/aax/iplug_aax.h"

#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <map>
#include <memory>
#include <new>

#include "aax/aax_display_delegates.h"
#include "aax/aax_host_call_guard.h"
#include "core/editor.h"

namespace {
enum : int32_t { kApiAax = 4 };  // the plug-in API number the base reports for AAX
constexpr int32_t kContinuousSteps = 128;

double ClampHostValue(double x) { return x > 1.0 ? 1.0 : (x < 0.0 ? 0.0 : x); }
}  // namespace

// ---- AAX_CIPlugParameters --------------------------------------------------------------------

AAX_CIPlugParameters::AAX_CIPlugParameters() = default;

AAX_CIPlugParameters::~AAX_CIPlugParameters() { ClearIdentifiers(); }

void AAX_CIPlugParameters::ClearIdentifiers() {
  identifiers_.DeleteAll();  // from the last to the first
}

AAX_Result AAX_CIPlugParameters::InternalQueryInterface(const AcfIID& iid, void** out) {
  if (out && iid == kIidIPlugParameters) {
    *out = this;
    AddRef();
    return kAaxOk;
  }
  return AAX_CEffectParameters::InternalQueryInterface(iid, out);
}

AAX_CIPlugParameters* AAX_CIPlugParameters::FromHostInterface(void* effectParameters) {
  if (!effectParameters) return nullptr;
  void* found = nullptr;
  auto* unknown = static_cast<IACFUnknown*>(effectParameters);
  if (unknown->QueryInterface(kIidIPlugParameters, &found) != kAaxOk || !found) return nullptr;
  auto* self = static_cast<AAX_CIPlugParameters*>(found);
  // The query's reference is on our object, which need not be the host's interface (a host may
  // hand a stand-in of its own); it outlives the editor, whose base holds the host's reference.
  self->Release();
  return self;
}

AAX_Result AAX_CIPlugParameters::InitPrivateField(int32_t field, void* data, uint32_t size) {
  if (field == kAaxFieldInstance) {
    if (!data || size < sizeof(AAX_CIPlugParameters*)) return kAaxTextNotConvertible;
    AAX_CIPlugParameters* self = this;
    std::memcpy(data, &self, sizeof self);
    return kAaxOk;
  }
  return AAX_CEffectParameters::InitPrivateField(field, data, size);
}

AAX_Result AAX_CIPlugParameters::Uninitialize() {
  // The table deletes the parameters; nothing may point at the bypass after it.
  masterBypass_ = nullptr;
  return AAX_CEffectParameters::Uninitialize();
}

const char* AAX_CIPlugParameters::ParamIdentifier(int32_t index) const {
  const GrowString* id = identifiers_.Get(index);
  return id ? id->Get() : "";
}

// ---- IPlugAAX --------------------------------------------------------------------------------

IPlugAAX::IPlugAAX(IPlugAAXInstanceInfo, const PluginDescriptor& facts) : IPlugBase(facts, kApiAax) {
  ConnectInputChannels(0, GetInputCount(), true);
  ConnectOutputChannels(0, GetOutputCount(), true);
  if (GetInputCount() > 0) CreateLatencyDelay(facts.latency);
  SetBlockSize(1024);
  SetHost("ProTools", facts.version);
  partIn_.resize(static_cast<size_t>(GetInputCount()));
  partOut_.resize(static_cast<size_t>(GetOutputCount()));
}

IPlugAAX::~IPlugAAX() { ClearIdentifiers(); }

AAX_Result IPlugAAX::InitEffect() {
  // A repeated initialisation starts from an empty table; the identifiers start over too.
  masterBypass_ = nullptr;
  ClearIdentifiers();
  bypass_.store(false, std::memory_order_release);
  // Hosts find the master bypass by this identifier; an empty one reads as none.
  auto* bypass = new AAX_CParameter<bool>(kMasterBypassID, AAX_CString("Master Bypass"), false,
                                          AAX_CBinaryTaperDelegate<bool>(),
                                          AAX_CBinaryDisplayDelegate<bool>("bypass", "on"), true);
  bypass->SetNumberOfSteps(2);
  bypass->SetType(0);
  if (!Parameters().AddParameter(bypass)) {
    delete bypass;
    return kAcfUnexpected;
  }
  masterBypass_ = bypass;
  for (int32_t i = 0; i < GetParameterCount(); ++i) {
    const AAX_Result r = AddHostParameter(i);
    if (r != kAaxOk) return r;
  }
  float rate = 0.0f;
  if (AAX_IController* controller = GetController(); controller && controller->GetSampleRate(&rate) == kAaxOk &&
                                                      rate > 0.0f)
    SetSampleRate(rate);
  Reset();
  // Every filter needs its coefficients before the first block, or a new instance is silent.
  NotifyAllParamChanges();
  return kAaxOk;
}

AAX_Result IPlugAAX::AddHostParameter(int32_t index) {
  auto* id = new GrowString;
  if (!id->SetFormatted(32, "%i", index + 1) || !identifiers_.Add(id)) {
    delete id;
    return kAcfUnexpected;
  }
  const IParameter* p = GetParameter(index);
  const AAX_CString name(p->GetName());
  const AAX_CString unit(p->GetLabelForHost());
  AAX_IParameter* host = nullptr;
  switch (p->Type()) {
    case IParameter::kTypeBool:
    case IParameter::kTypeEnum: {
      std::map<int32_t, AAX_CString> texts;
      for (int32_t k = 0; k < p->GetDisplayTextCount(); ++k) {
        int32_t value = 0;
        const char* text = p->GetDisplayTextAt(k, &value);
        texts.emplace(value, AAX_CString(text ? text : ""));
      }
      host = new AAX_CParameter<int32_t>(id->Get(), name, static_cast<int32_t>(p->GetDefault()),
                                         AAX_CLinearTaperDelegate<int32_t, 0>(static_cast<int32_t>(p->GetMin()),
                                                                              static_cast<int32_t>(p->GetMax())),
                                         AAX_CStringDisplayDelegate<int32_t>(texts), p->GetCanAutomate());
      host->SetNumberOfSteps(static_cast<uint32_t>(p->GetDisplayTextCount()));
      host->SetType(0);
      break;
    }
    case IParameter::kTypeInt:
      host = new AAX_CParameter<int32_t>(
          id->Get(), name, static_cast<int32_t>(p->GetDefault()),
          AAX_CLinearTaperDelegate<int32_t, 0>(static_cast<int32_t>(p->GetMin()), static_cast<int32_t>(p->GetMax())),
          AAX_CUnitDisplayDelegateDecorator<int32_t>(AAX_CNumberDisplayDelegate<int32_t, 2, 0>(), unit),
          p->GetCanAutomate());
      host->SetNumberOfSteps(kContinuousSteps);
      host->SetType(1);
      break;
    case IParameter::kTypeDouble:
      host = new AAX_CParameter<double>(
          id->Get(), name, p->GetDefault(), AAX_CIPlugTaperDelegate<double>(p->GetMin(), p->GetMax(), p->GetShape()),
          AAX_CUnitDisplayDelegateDecorator<double>(AAX_CNumberDisplayDelegate<double, 2, 0>(), unit),
          p->GetCanAutomate());
      host->SetNumberOfSteps(kContinuousSteps);
      host->SetType(1);
      break;
    default:
      return kAaxOk;  // no host parameter, but the identifier is kept
  }
  if (!Parameters().AddParameter(host)) {
    delete host;
    return kAcfUnexpected;
  }
  return kAaxOk;
}

int32_t IPlugAAX::IndexOfIdentifier(const char* id) const {
  if (!id) return -1;
  const long index = std::strtol(id, nullptr, 10) - 1;
  return index >= 0 && index < GetParameterCount() ? static_cast<int32_t>(index) : -1;
}

AAX_Result IPlugAAX::UpdateParameterNormalizedValue(const char* id, double value, int32_t) {
  return AAX_GuardHostCall([&]() -> AAX_Result {
    AAX_IParameter* p = id ? Parameters().GetParameterByID(id) : nullptr;
    if (!p) return kAaxUnknownParameter;
    if (std::isnan(value)) return kAaxOk;  // nothing a host meant
    value = ClampHostValue(value);
    p->UpdateNormalizedValue(value);
    if (p == masterBypass_) {
      bool on = false;
      p->GetValueAsBool(&on);
      bypass_.store(on, std::memory_order_release);
    }
    const int32_t index = IndexOfIdentifier(id);
    if (index >= 0 && p != masterBypass_) {
      LockGuard lock(GetLock());
      GetParameter(index)->SetNormalized(value);
      if (IEditor* editor = GetEditor()) editor->UpdateParameterControls(index, value, true);
      ParameterChanged(index);
    }
    const AAX_Result r = PacketRouter().SetDirty(id, true);
    AddToChangeCount();
    return r;
  });
}

void IPlugAAX::SetParameterFromGUI(int32_t paramIdx, double normalizedValue) {
  // The value takes effect when the host answers with the update.
  SendParamToHost(paramIdx, normalizedValue);
}

void IPlugAAX::SendParamToHost(int32_t paramIdx, double normalizedValue) {
  if (paramIdx < 0 || paramIdx >= GetParameterCount()) return;
  SetParameterNormalizedValue(ParamIdentifier(paramIdx), normalizedValue);
}

void IPlugAAX::BeginParamGesture(int32_t paramIdx) {
  if (paramIdx < 0 || paramIdx >= GetParameterCount()) return;
  if (paramIdx < 64) gestureOpen_ |= uint64_t{1} << paramIdx;
  TouchParameter(ParamIdentifier(paramIdx));
}

void IPlugAAX::EndParamGesture(int32_t paramIdx) {
  if (paramIdx < 0 || paramIdx >= GetParameterCount()) return;
  if (paramIdx < 64) {
    const uint64_t bit = uint64_t{1} << paramIdx;
    if (!(gestureOpen_ & bit)) return;  // the host took the click: nothing was touched
    gestureOpen_ &= ~bit;
  }
  ReleaseParameter(ParamIdentifier(paramIdx));
}

void IPlugAAX::ResizeEditor(int32_t width, int32_t height) {
  // Without an open editor there is no host view to resize.
  if (!GetEditor() || !viewContainer_) return;
  AAX_Point size;
  size.vertical = static_cast<float>(height);
  size.horizontal = static_cast<float>(width);
  viewContainer_->SetViewSize(size);
  EditorWindowResized();
}

void IPlugAAX::SetLatency(int32_t samples) {
  AAX_IController* controller = GetController();
  if (!controller) return;  // before Initialize there is no host to tell
  controller->SetSignalLatency(samples);
  IPlugBase::SetLatency(samples);
}
