// The effect's description for the host's registration, the two creation procedures and the
// editor object. Names and identifiers come from the plug-in's descriptor record.
#include <cstdio>
#include <cstring>
#include <new>

#include "aax/aax_collection.h"
#include "aax/aax_component_descriptor.h"
#include "aax/aax_effect_descriptor.h"
#include "aax/aax_host_call_guard.h"
#include "aax/aax_property_map.h"
#include "bindings/aax/iplug_aax.h"
#include "core/editor.h"

namespace {
// Procedure ids of the description.
constexpr uint32_t kProcCreateEffect = 0;
constexpr uint32_t kProcCreateGui = 1;
// Host node kinds.
constexpr int32_t kNodeLocalInput = 0;
constexpr int32_t kNodeGlobal = 2;
constexpr int32_t kNodeTransport = 3;
// Host properties.
constexpr int32_t kPropManufacturerId = 11;
constexpr int32_t kPropProductId = 12;
constexpr int32_t kPropNativeId = 13;
constexpr int32_t kPropAudioSuiteId = 14;
constexpr int32_t kPropInputStem = 51;
constexpr int32_t kPropOutputStem = 52;
constexpr int32_t kProp56 = 56;
constexpr int32_t kProp60 = 60;
constexpr int32_t kProp151 = 151;

struct Category {
  const char* name;
  uint32_t value;
};
constexpr Category kCategories[] = {
    {"None", 0},       {"EQ", 1},           {"Dynamics", 2},       {"PitchShift", 4},
    {"Reverb", 8},     {"Delay", 0x10},     {"Modulation", 0x20},  {"Harmonic", 0x40},
    {"NoiseReduction", 0x80}, {"Dither", 0x100}, {"SoundField", 0x200}, {"Effect", 0}};
constexpr const char* kCategoryText = "Effect";

// Native and AudioSuite ids of the first channel configurations.
constexpr int32_t kNativeIds[] = {0x45464E31, 0x45464E32, 0x45464E33, 0x45464E34};  // 'EFN1'...
constexpr int32_t kAudioSuiteIds[] = {0x45464131, 0x45464132, 0x45464133, 0x45464134};  // 'EFA1'...

// Each line of text up to the first empty one.
template <class Fn>
void ForEachLine(const char* text, Fn&& fn) {
  char line[256];
  while (text && *text) {
    const char* end = std::strchr(text, '\n');
    const size_t n = end ? static_cast<size_t>(end - text) : std::strlen(text);
    if (n == 0) return;
    const size_t kept = n < sizeof line - 1 ? n : sizeof line - 1;
    std::memcpy(line, text, kept);
    line[kept] = '\0';
    fn(line);
    text = end ? end + 1 : text + n;
  }
}

// The product's names as the host lists them: the product name, else the effect name.
const char* ProductNames(const PluginDescriptor& facts) {
  return facts.productName && *facts.productName ? facts.productName : facts.effectName;
}
}  // namespace

AAX_Result AAX_CIPlugParameters::DescribeComponent(AAX_IEffectDescriptor* descriptor, const AAX_SEffectSetup& setup) {
  AAX_IComponentDescriptor* c = descriptor->NewComponentDescriptor();
  if (!c) return kAaxNoHostObject;
  AAX_Result r = kAaxOk;
  r |= setup.globalMidi ? c->AddMIDINode(kAaxFieldGlobalMidi, kNodeGlobal, setup.globalMidiName, setup.globalMidiMask)
                        : c->AddPrivateData(kAaxFieldGlobalMidi, 4, 0);
  r |= setup.inputMidi ? c->AddMIDINode(kAaxFieldInputMidi, kNodeLocalInput, setup.inputMidiName, setup.inputMidiMask)
                       : c->AddPrivateData(kAaxFieldInputMidi, 4, 0);
  r |= setup.transport ? c->AddMIDINode(kAaxFieldTransport, kNodeTransport, "Transport", 0xffff)
                       : c->AddPrivateData(kAaxFieldTransport, 4, 0);
  r |= c->AddAudioIn(kAaxFieldAudioIn);
  r |= c->AddAudioOut(kAaxFieldAudioOut);
  r |= c->AddAudioBufferLength(kAaxFieldBufferLength);
  r |= setup.meterCount > 0 ? c->AddMeters(kAaxFieldMeters, setup.meterIds, static_cast<uint32_t>(setup.meterCount))
                            : c->AddPrivateData(kAaxFieldMeters, 4, 0);
  for (int32_t i = 0; i < setup.auxStemCount && i < kAaxMaxAuxStems; ++i)
    r |= c->AddAuxOutputStem(0, setup.auxStemFormats[i], setup.auxStemNames[i]);
  r |= c->AddPrivateData(kAaxFieldInstance, static_cast<int32_t>(sizeof(AAX_CIPlugParameters*)), 0);
  AAX_IPropertyMap* map = c->NewPropertyMap();
  if (!map) return r | kAaxNoHostObject;
  if (setup.property151) map->AddProperty(kProp151, 1);
  r |= map->AddProperty(kProp56, setup.property56);
  r |= map->AddProperty(kPropInputStem, setup.inputStemFormat);
  r |= map->AddProperty(kPropOutputStem, setup.outputStemFormat);
  r |= map->AddProperty(kProp60, setup.property60 ? 1 : 0);
  r |= map->AddProperty(kPropManufacturerId, setup.manufacturerId);
  r |= map->AddProperty(kPropProductId, setup.productId);
  r |= map->AddProperty(kPropNativeId, setup.nativeId);
  if (setup.audioSuiteId != kAaxIdNone) r |= map->AddProperty(kPropAudioSuiteId, setup.audioSuiteId);
  r |= c->AddProcessProc(reinterpret_cast<void*>(&AAX_CIPlugParameters::StaticRender), map, nullptr, nullptr, nullptr);
  r |= descriptor->AddComponent(c);
  return r;
}

void* AAX_CIPlugParameters::Create() {
  IPlugAAX* plug = nullptr;
  try {
    plug = CreateAAXPlugin();
  } catch (...) {
    plug = nullptr;
  }
  // The host receives the interface with no reference counted; its AddRef takes the first.
  return plug ? static_cast<AAX_IACFEffectParameters_V2*>(plug) : nullptr;
}

AAX_Result DescribeIPlugEffect(AAX_ICollection* collection, const PluginDescriptor& facts) {
  AAX_IEffectDescriptor* effect = collection ? collection->NewDescriptor() : nullptr;
  if (!effect) return kAaxNoHostObject;
  AAX_Result r = kAaxOk;
  ForEachLine(ProductNames(facts), [&](const char* line) {
    r |= effect->AddName(line);
    collection->AddPackageName(line);
  });
  uint32_t category = 0;
  for (const Category& c : kCategories)
    if (std::strcmp(c.name, kCategoryText) == 0) category = c.value;
  r |= effect->AddCategory(category);

  // One component per channel configuration the I/O text declares.
  int32_t k = 0;
  const char* text = facts.channelIO;
  while (text && *text) {
    while (*text == ' ') ++text;
    if (!*text) break;
    int inputs = 0;
    int outputs = 0;
    int used = 0;
    if (std::sscanf(text, "%d-%d%n", &inputs, &outputs, &used) == 2 && k < 4) {
      AAX_SEffectSetup setup;
      InitEffectSetup(&setup);
      setup.inputStemFormat = StemFormatForChannels(inputs);
      setup.outputStemFormat = StemFormatForChannels(outputs);
      setup.manufacturerId = facts.makerId;
      setup.productId = facts.uniqueId;
      setup.nativeId = kNativeIds[k];
      setup.audioSuiteId = kAudioSuiteIds[k];
      setup.property60 = true;
      setup.inputMidi = 0;
      setup.inputMidiName = "Kavrotel Midi";
      setup.inputMidiMask = 1;
      setup.transport = 1;
      setup.property56 = 0;
      r |= AAX_CIPlugParameters::DescribeComponent(effect, setup);
      r |= effect->AddProcPtr(reinterpret_cast<void*>(&AAX_CIPlugParameters::Create), kProcCreateEffect);
      r |= effect->AddProcPtr(reinterpret_cast<void*>(&AAX_CEffectGUI_IPLUG::Create), kProcCreateGui);
      if (r == kAaxOk) r = collection->AddEffect(facts.aaxEffectId, effect);
      ++k;
    }
    while (*text && *text != ' ') ++text;
  }
  ForEachLine(facts.vendorName, [&](const char* line) { collection->SetManufacturerName(line); });
  collection->SetPackageVersion(static_cast<uint32_t>(facts.version));
  return r;
}

// ---- The editor object -------------------------------------------------------------------------

void* AAX_CEffectGUI_IPLUG::Create() {
  auto* gui = new (std::nothrow) AAX_CEffectGUI_IPLUG;
  return gui ? static_cast<AAX_IACFEffectGUI*>(gui) : nullptr;
}

AAX_Result AAX_CEffectGUI_IPLUG::GetViewSize(AAX_Point* size) const {
  if (editor_ && size) {
    size->vertical = static_cast<float>(editor_->Height());
    size->horizontal = static_cast<float>(editor_->Width());
  }
  return kAaxOk;
}

void AAX_CEffectGUI_IPLUG::CreateViewContents() {
  plug_ = AAX_CIPlugParameters::FromHostInterface(GetEffectParameters());
  IPlugBase* base = plug_ ? plug_->GetPlugBase() : nullptr;
  editor_ = base ? base->GetEditor() : nullptr;
}

void AAX_CEffectGUI_IPLUG::CreateViewContainer() {
  void* parent = GetNativeView();
  if (!parent || !editor_) return;
  editor_->SetViewContainer(GetViewContainer());
  plug_->SetHostViewContainer(GetViewContainer());
  editor_->OpenWindow(parent);
}

void AAX_CEffectGUI_IPLUG::DeleteViewContainer() {
  if (!editor_) return;
  editor_->CloseWindow();
  editor_->SetViewContainer(nullptr);
  if (plug_) plug_->SetHostViewContainer(nullptr);
}
