#include "tools/aaxhost/fake_host.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace fake_aax {

namespace {

// Identifiers, as registry text, written out here from the interface facts.
const char* const kUnknown = "{00000000-0000-0000-C000-000000000046}";
const char* const kFactory = "{382B6A96-7FD0-11D6-BCFE-00306542A024}";
const char* const kController = "{9D5E3E3D-52DC-5EFB-2018-DE1DE2E63F4E}";
const char* const kControllerV2 = "{4C59AA0E-D7C0-4205-8B6C-32468D42D202}";
const char* const kTransport = "{5CEE4EF4-6337-4359-B63B-FE58DC36543A}";
const char* const kTransportV2 = "{203CBD9F-982C-4FE6-A827-07480257AEC3}";
const char* const kAutomation = "{9D5E3D3D-42DC-5EFA-2217-EEE2E8E53E2E}";
const char* const kViewContainer = "{22DA0BBC-D550-4D5E-8CC6-734483B8837F}";
const char* const kPluginDefinition = "{00EEF015-7FD0-11D6-8485-00306542A024}";
const char* const kEffectParameters = "{964E333D-334C-533F-C2C7-3834C3C23E3E}";
struct HostClass {
  const char* kind;
  const char* clsid;
  const char* iid;
  const char* newer;  // or null
};
const HostClass kClasses[] = {
    {"hostServices", "{88882C2D-EBBC-42EF-C0AB-8981B0BD0CCA}", "{96D42C2D-EBBC-41EF-B0AB-9991A0ED0CCA}", nullptr},
    {"propertyMap", "{A587AD3D-D53C-4ADC-D0DD-D9D12DDDDCDA}", "{96EE2C2D-EECC-5EFF-E2D7-E849E3E2EEEE}",
     "{7177DF80-7C9C-11E2-B92A-0800200C9A66}"},
    {"collection", "{89882C2D-77BC-42EF-707B-7981B7BD0CCA}", "{96D42C2D-EBBC-41DF-B1AB-9991A2EE0CCA}", nullptr},
    {"effectDescriptor", "{89872C2D-75BC-423F-401B-F9A1BAAD0CCA}", "{96D42C2D-EBBC-41EF-D1CB-499442E40FDA}",
     "{41ECCC52-416B-4072-84BD-40B05210A74C}"},
    {"componentDescriptor", "{94872C3D-95BC-413D-D0DB-D9B12AAD0CCA}", "{96E42C2D-E2BC-51EF-61C7-48994AEB0CDA}",
     "{1895259E-AAA9-4F0F-A985-149837B76F89}"},
};

constexpr int32_t kNoInterface = static_cast<int32_t>(0x80000004u);
constexpr int32_t kUnexpectedSlot = 0x7777;

Object* Self(void* p) { return static_cast<Object*>(p); }
template <class T>
T* As(void* p) {
  return static_cast<T*>(Self(p));
}
void Note(void* self, const std::string& what) {
  Object* o = Self(self);
  if (o->host->logging()) o->host->Log().push_back(o->name + "." + what);
}
// A fixed text is not even turned into a string while the log is off.
void Note(void* self, const char* what) {
  if (Self(self)->host->logging()) Note(self, std::string(what));
}
std::string Text(const char* s) { return s ? std::string(s) : std::string("(null)"); }
std::string Num(double v) {
  char b[64];
  std::snprintf(b, sizeof b, "%g", v);
  return b;
}
template <class F>
void* S(F f) {
  return reinterpret_cast<void*>(f);
}

// Slots 0 to 2 of every object.
int32_t QueryInterface(void* self, const unsigned char* iid, void** out) {
  Object* o = Self(self);
  if (!out) return kNoInterface;
  *out = nullptr;
  Iid16 id;
  std::memcpy(id.bytes, iid, 16);
  Object* answer = nullptr;
  if (id == IidFromText(kUnknown)) answer = o;
  for (auto& [candidate, object] : o->answers)
    if (!answer && candidate == id) answer = object;
  if (!answer) {
    for (auto& [candidate, object] : o->foreign) {
      if (candidate == id) {
        reinterpret_cast<uint32_t (*)(void*)>((*static_cast<void***>(object))[1])(object);
        *out = object;
        return 0;
      }
    }
    return kNoInterface;
  }
  ++answer->refs;
  *out = answer;
  return 0;
}
uint32_t AddRef(void* self) { return static_cast<uint32_t>(++Self(self)->refs); }
uint32_t Release(void* self) {
  Object* o = Self(self);
  if (o->host->logReleases()) Note(self, "Release");
  if (o->refs == 0) {
    o->underflow = true;
    return 0;
  }
  return static_cast<uint32_t>(--o->refs);
}

// A slot the library must never call: it says so in the log.
template <int N>
int32_t Unexpected(void* self) {
  Note(self, "unexpected slot " + std::to_string(N));
  return kUnexpectedSlot;
}

#define KV_UNKNOWN S(&QueryInterface), S(&AddRef), S(&Release)

void* gContext[] = {KV_UNKNOWN};

int32_t CreateInstance(void* self, const unsigned char* clsid, void* outer, const unsigned char* iid, void** out) {
  Iid16 c, i;
  std::memcpy(c.bytes, clsid, 16);
  std::memcpy(i.bytes, iid, 16);
  Note(self, std::string("CreateInstance") + (outer ? " with outer" : ""));
  if (!out) return kNoInterface;
  *out = nullptr;
  Object* made = Self(self)->host->Create(c, i);
  if (!made) return kNoInterface;
  *out = made;
  return 0;
}
void* gFactory[] = {KV_UNKNOWN, S(&CreateInstance)};

void* gController[] = {
    KV_UNKNOWN,
    S(&Unexpected<1>),
    S(+[](void* self, float* rate) -> int32_t {
      Note(self, "GetSampleRate");
      *rate = Self(self)->host->sampleRate();
      return 0;
    }),
    S(+[](void* self, int32_t* stem) -> int32_t {
      Note(self, "GetInputStemFormat");
      *stem = Self(self)->host->stem(0);
      return 0;
    }),
    S(+[](void* self, int32_t* stem) -> int32_t {
      Note(self, "GetOutputStemFormat");
      *stem = Self(self)->host->stem(1);
      return 0;
    }),
    S(&Unexpected<5>),
    S(&Unexpected<6>),
    S(&Unexpected<7>),
    S(+[](void* self, int32_t samples) -> int32_t {
      Note(self, "SetSignalLatency " + std::to_string(samples));
      return Self(self)->result;
    }),
    S(&Unexpected<9>),
    S(+[](void* self, uint32_t id, const void* data, uint32_t size) -> int32_t {
      Note(self, "PostPacket " + std::to_string(id) + " " + (data ? "data" : "null") + " " + std::to_string(size));
      return Self(self)->result;
    }),
    S(&Unexpected<12>),
    S(&Unexpected<13>),
    S(&Unexpected<14>),
    S(&Unexpected<15>),
    S(&Unexpected<16>),
    S(&Unexpected<17>),
    S(&Unexpected<18>),
};
void* gControllerV2[] = {
    KV_UNKNOWN, S(&Unexpected<11>), S(&Unexpected<19>),
    S(+[](void* self, void** out) -> int32_t {
      Note(self, "Operation20");
      *out = self;
      return 0;
    }),
    S(&Unexpected<21>)};

void* gHostServices[] = {KV_UNKNOWN, S(&Unexpected<1>), S(+[](void* self, int32_t priority, const char* text) -> int32_t {
                           Note(self, "Trace " + std::to_string(priority) + " " + Text(text));
                           return Self(self)->result;
                         })};

void* gTransport[] = {
    KV_UNKNOWN,
    S(+[](void* self, double* bpm) -> int32_t {
      Note(self, "GetTempo");
      *bpm = 97.5;
      return 0;
    }),
    S(+[](void* self, int32_t* n, int32_t* d) -> int32_t {
      Note(self, "GetTimeSignature");
      *n = 7;
      *d = 8;
      return 0;
    }),
    S(+[](void* self, bool* playing) -> int32_t {
      Note(self, "IsPlaying");
      *playing = true;
      return 0;
    }),
    S(+[](void* self, int64_t* ticks) -> int32_t {
      Note(self, "GetTickPosition");
      *ticks = 1234567;
      return 0;
    }),
    S(+[](void* self, bool* looping, int64_t* start, int64_t* end) -> int32_t {
      Note(self, "GetLoop");
      *looping = true;
      *start = 11;
      *end = 22;
      return 0;
    }),
    S(+[](void* self, int64_t* sample) -> int32_t {
      Note(self, "GetSamplePosition");
      *sample = 333;
      return 0;
    }),
    S(&Unexpected<7>),
    S(&Unexpected<8>),
    S(&Unexpected<9>),
    S(&Unexpected<10>),
};
void* gTransportV2[] = {KV_UNKNOWN, S(&Unexpected<11>), S(&Unexpected<12>), S(&Unexpected<13>), S(&Unexpected<14>)};

int32_t Record1(void* self, const char* op, const char* id) {
  Note(self, std::string(op) + " " + Text(id));
  return Self(self)->result;
}
void* gAutomation[] = {
    KV_UNKNOWN,
    S(+[](void* self, const char* id) -> int32_t { return Record1(self, "RegisterParameter", id); }),
    S(+[](void* self, const char* id) -> int32_t { return Record1(self, "UnregisterParameter", id); }),
    S(+[](void* self, const char* id, double v) -> int32_t {
      Note(self, "PostSetValueRequest " + Text(id) + " " + Num(v));
      Self(self)->host->Request(Text(id), v);
      return Self(self)->result;
    }),
    S(+[](void* self, const char* id, double v) -> int32_t {
      Note(self, "PostCurrentValue " + Text(id) + " " + Num(v));
      return Self(self)->result;
    }),
    S(+[](void* self, const char* id) -> int32_t { return Record1(self, "PostTouchRequest", id); }),
    S(+[](void* self, const char* id) -> int32_t { return Record1(self, "PostReleaseRequest", id); }),
    S(&Unexpected<7>),
};

void* gPropertyMap[] = {
    KV_UNKNOWN,
    S(+[](void* self, int32_t property, int32_t* value) -> bool {
      auto& p = As<PropertyMap>(self)->properties;
      auto it = p.find(property);
      if (it == p.end()) return false;
      *value = it->second;
      return true;
    }),
    S(+[](void* self, int32_t property, int32_t value) -> int32_t {
      Note(self, "AddProperty " + std::to_string(property) + " " + std::to_string(value));
      As<PropertyMap>(self)->properties[property] = value;
      return Self(self)->result;
    }),
    S(+[](void* self, int32_t property) -> int32_t {
      Note(self, "RemoveProperty " + std::to_string(property));
      As<PropertyMap>(self)->properties.erase(property);
      return Self(self)->result;
    }),
};
void* gPropertyMapV2[] = {KV_UNKNOWN, S(&Unexpected<4>), S(&Unexpected<5>)};

std::string Who(FakeHost* host, void* p) {
  if (!p) return "null";
  Object* o = host->FindByPointer(p);
  return o ? o->name : "foreign";
}

void* gCollection[] = {
    KV_UNKNOWN,
    S(+[](void* self, const char* id, void* descriptor) -> int32_t {
      Note(self, "AddEffect " + Text(id) + " " + Who(Self(self)->host, descriptor));
      return Self(self)->result;
    }),
    S(+[](void* self, const char* name) -> int32_t { return Record1(self, "SetManufacturerName", name); }),
    S(+[](void* self, const char* name) -> int32_t { return Record1(self, "AddPackageName", name); }),
    S(+[](void* self, uint32_t version) -> int32_t {
      Note(self, "SetPackageVersion " + std::to_string(version));
      return Self(self)->result;
    }),
    S(+[](void* self, void* map) -> int32_t {
      Note(self, "SetProperties " + Who(Self(self)->host, map));
      return Self(self)->result;
    }),
};

void* gEffectDescriptor[] = {
    KV_UNKNOWN,
    S(+[](void* self, void* component) -> int32_t {
      Note(self, "AddComponent " + Who(Self(self)->host, component));
      return Self(self)->result;
    }),
    S(+[](void* self, const char* name) -> int32_t { return Record1(self, "AddName", name); }),
    S(+[](void* self, uint32_t category) -> int32_t {
      Note(self, "AddCategory " + std::to_string(category));
      return Self(self)->result;
    }),
    S(&Unexpected<5>),
    S(+[](void* self, void* proc, uint32_t id) -> int32_t {
      Note(self, "AddProcPtr " + std::to_string(id));
      As<EffectDescriptor>(self)->procedures[id] = proc;
      return Self(self)->result;
    }),
    S(+[](void* self, void* map) -> int32_t {
      Note(self, "SetProperties " + Who(Self(self)->host, map));
      return Self(self)->result;
    }),
    S(&Unexpected<9>),
    S(&Unexpected<10>),
};
void* gEffectDescriptorV2[] = {KV_UNKNOWN, S(&Unexpected<11>)};

int32_t RecordField(void* self, const char* op, int32_t field) {
  Note(self, std::string(op) + " " + std::to_string(field));
  As<ComponentDescriptor>(self)->fields[field] = ContextField{op + 3, 0, 0};  // the kind without "Add"
  return Self(self)->result;
}
void* gComponentDescriptor[] = {
    KV_UNKNOWN,
    S(&Unexpected<1>),
    S(+[](void* self, int32_t f) -> int32_t { return RecordField(self, "AddAudioIn", f); }),
    S(+[](void* self, int32_t f) -> int32_t { return RecordField(self, "AddAudioOut", f); }),
    S(+[](void* self, int32_t f) -> int32_t { return RecordField(self, "AddAudioBufferLength", f); }),
    S(&Unexpected<5>),
    S(&Unexpected<6>),
    S(&Unexpected<7>),
    S(&Unexpected<8>),
    S(+[](void* self, int32_t f, int32_t stem, const char* name) -> int32_t {
      Note(self, "AddAuxOutputStem " + std::to_string(f) + " " + std::to_string(stem) + " " + Text(name));
      return Self(self)->result;
    }),
    S(+[](void* self, int32_t f, int32_t size, uint32_t options) -> int32_t {
      Note(self, "AddPrivateData " + std::to_string(f) + " " + std::to_string(size) + " " + std::to_string(options));
      As<ComponentDescriptor>(self)->fields[f] = ContextField{"PrivateData", size, 0};
      return Self(self)->result;
    }),
    S(&Unexpected<12>),
    S(+[](void* self, int32_t f, const uint32_t* ids, uint32_t count) -> int32_t {
      std::string list;
      for (uint32_t i = 0; ids && i < count; ++i) list += " " + std::to_string(ids[i]);
      Note(self, "AddMeters " + std::to_string(f) + list);
      As<ComponentDescriptor>(self)->fields[f] = ContextField{"Meters", static_cast<int32_t>(4 * count), 0};
      return Self(self)->result;
    }),
    S(+[](void* self, int32_t f, int32_t kind, const char* name, uint32_t mask) -> int32_t {
      Note(self, "AddMIDINode " + std::to_string(f) + " " + std::to_string(kind) + " " + Text(name) + " " + std::to_string(mask));
      As<ComponentDescriptor>(self)->fields[f] = ContextField{"MIDINode", 0, kind};
      return Self(self)->result;
    }),
    S(&Unexpected<15>),
    S(+[](void* self, void* proc, void* map, void* a, void* b, void* c) -> int32_t {
      Note(self, std::string("AddProcessProc ") + Who(Self(self)->host, map) + ((a || b || c) ? " extras" : ""));
      As<ComponentDescriptor>(self)->renderProc = proc;
      As<ComponentDescriptor>(self)->renderProperties = map;
      return Self(self)->result;
    }),
    S(&Unexpected<19>),
};
void* gComponentDescriptorV2[] = {KV_UNKNOWN, S(&Unexpected<11>)};
void* gDefinition[] = {KV_UNKNOWN};

void* gViewContainer[] = {
    KV_UNKNOWN,
    S(&Unexpected<1>),
    S(+[](void* self) -> void* {
      Note(self, "GetNativeWindow");
      return As<ViewContainer>(self)->nativeWindow;
    }),
    S(+[](void* self, uint32_t* modifiers) -> int32_t {
      Note(self, "GetModifiers");
      *modifiers = As<ViewContainer>(self)->modifiers;
      return 0;
    }),
    S(+[](void* self, const float* point) -> int32_t {
      Note(self, "SetViewSize " + Num(point[0]) + " " + Num(point[1]));
      return Self(self)->result;
    }),
    S(+[](void* self, const char* id, uint32_t modifiers) -> int32_t {
      Note(self, "HandleParameterMouseDown " + Text(id) + " " + std::to_string(modifiers));
      return As<ViewContainer>(self)->mouseDownResult;
    }),
    S(&Unexpected<6>),
    S(&Unexpected<7>),
};

EffectParameters* Fx(void* p) { return static_cast<EffectParameters*>(p); }
void* gEffectParameters[] = {
    KV_UNKNOWN,
    S(&Unexpected<3>), S(&Unexpected<4>), S(&Unexpected<5>),
    S(+[](void* self, int32_t* count) -> int32_t {
      Note(self, "GetNumberOfParameters");
      *count = static_cast<int32_t>(Fx(self)->ids.size());
      return Fx(self)->countResult;
    }),
    S(&Unexpected<7>), S(&Unexpected<8>), S(&Unexpected<9>), S(&Unexpected<10>), S(&Unexpected<11>),
    S(&Unexpected<12>), S(&Unexpected<13>), S(&Unexpected<14>), S(&Unexpected<15>), S(&Unexpected<16>),
    S(&Unexpected<17>),
    S(+[](void* self, int32_t index, void* text) -> int32_t {
      Note(self, "GetParameterIDFromIndex " + std::to_string(index));
      const auto& ids = Fx(self)->ids;
      if (index < 0 || static_cast<size_t>(index) >= ids.size() || ids[static_cast<size_t>(index)].empty()) {
        return -20001;
      }
      Call<void>(text, 4, ids[static_cast<size_t>(index)].c_str());  // the string's Set
      return 0;
    }),
};

// The host's string: slot 0 is the Microsoft deleting destructor (flags; returns this).
HostString* Str(void* p) { return static_cast<HostString*>(p); }
void* gHostString[] = {
    S(+[](void* self, uint32_t flags) -> void* {
      ++Str(self)->destructorCalls;
      Str(self)->lastDestructorFlags = flags;
      return self;
    }),
    S(+[](void* self) -> uint32_t { return static_cast<uint32_t>(Str(self)->text.size()); }),
    S(+[](void*) -> uint32_t { return 1000u; }),
    S(+[](void* self) -> const char* { return Str(self)->text.c_str(); }),
    S(+[](void* self, const char* text) { Str(self)->text = text ? text : "(null)"; }),
    S(+[](void* self, const char* text) -> void* {
      Str(self)->text = text ? text : "(null)";
      return self;
    }),
    S(+[](void* self, void* other) -> void* {
      Str(self)->text = other ? Call<const char*>(other, 3) : "(null)";
      return self;
    }),
};

HostTransport* Tr(void* p) { return static_cast<HostTransport*>(p); }
void* gHostTransport[] = {
    S(+[](void* self, uint32_t) -> void* {
      Tr(self)->log.push_back("destructor");
      return self;
    }),
    S(+[](void* self, double* bpm) -> int32_t {
      Tr(self)->log.push_back("GetTempo");
      *bpm = 120.0;
      return 0;
    }),
    S(+[](void* self, int32_t* n, int32_t* d) -> int32_t {
      Tr(self)->log.push_back("GetTimeSignature");
      *n = 3;
      *d = 4;
      return 0;
    }),
    S(+[](void* self, bool* playing) -> int32_t {
      Tr(self)->log.push_back("IsPlaying");
      *playing = true;
      return 0;
    }),
    S(+[](void* self, int64_t* ticks) -> int32_t {
      Tr(self)->log.push_back("GetTickPosition");
      *ticks = 4800000;
      return 0;
    }),
    S(+[](void* self, bool* looping, int64_t* start, int64_t* end) -> int32_t {
      Tr(self)->log.push_back("GetLoop");
      *looping = true;
      *start = 0;
      *end = 3840000;
      return 0;
    }),
    S(+[](void* self, int64_t* sample) -> int32_t {
      Tr(self)->log.push_back("GetSamplePosition");
      *sample = 88200;
      return 0;
    }),
};

}  // namespace

bool Iid16::operator==(const Iid16& other) const { return std::memcmp(bytes, other.bytes, 16) == 0; }

Iid16 IidFromText(const char* t) {
  if (!t || std::strlen(t) != 38 || t[0] != '{' || t[37] != '}') throw std::invalid_argument("identifier text");
  std::string hex;
  for (const char* p = t + 1; *p && *p != '}'; ++p)
    if (*p != '-') hex += *p;
  unsigned char v[16];
  for (int i = 0; i < 16; ++i) v[i] = static_cast<unsigned char>(std::stoul(hex.substr(2 * i, 2), nullptr, 16));
  // The first three groups are little-endian words; the last eight bytes stand as written.
  Iid16 id{{v[3], v[2], v[1], v[0], v[5], v[4], v[7], v[6], v[8], v[9], v[10], v[11], v[12], v[13], v[14], v[15]}};
  return id;
}

bool SameIid(const void* raw, const char* text) { return std::memcmp(raw, IidFromText(text).bytes, 16) == 0; }

template <class T>
T* FakeHost::Add(std::string name, void** table) {
  auto object = std::make_shared<T>();
  object->vtable = table;
  object->host = this;
  object->name = std::move(name);
  T* raw = object.get();
  objects_.push_back(std::move(object));
  return raw;
}

FakeHost::FakeHost() {
  context_ = Add<Object>("context", gContext);
  factory_ = Add<Object>("factory", gFactory);
  controller_ = Add<Object>("controller", gController);
  controllerV2_ = Add<Object>("controllerV2", gControllerV2);
  transport_ = Add<Object>("transport", gTransport);
  transportV2_ = Add<Object>("transportV2", gTransportV2);
  automation_ = Add<Object>("automation", gAutomation);
  context_->answers = {{IidFromText(kFactory), factory_},         {IidFromText(kController), controller_},
                       {IidFromText(kControllerV2), controllerV2_}, {IidFromText(kTransport), transport_},
                       {IidFromText(kTransportV2), transportV2_},   {IidFromText(kAutomation), automation_}};
}

FakeHost::~FakeHost() = default;

void FakeHost::Refuse(const char* iidText) {
  const Iid16 id = IidFromText(iidText);
  auto& a = context_->answers;
  for (auto it = a.begin(); it != a.end();) it = (it->first == id) ? a.erase(it) : it + 1;
}

void FakeHost::RefuseClass(const char* clsidText) { refusedClasses_.insert(clsidText); }

void FakeHost::Request(const std::string& id, double value) {
  if (automationMode_ == Automation::kDefer) pending_.emplace_back(id, value);
  if (automationMode_ != Automation::kEcho || !automationEffect_) return;
  Call<int32_t>(automationEffect_, 29, id.c_str(), value, int32_t{0});  // UpdateParameterNormalizedValue
}

size_t FakeHost::DeliverRequests() {
  std::vector<std::pair<std::string, double>> requests;
  requests.swap(pending_);
  for (const auto& [id, value] : requests)
    if (automationEffect_) Call<int32_t>(automationEffect_, 29, id.c_str(), value, int32_t{0});
  return requests.size();
}

ViewContainer& FakeHost::NewViewContainer() {
  ViewContainer* v = Add<ViewContainer>("viewContainer", gViewContainer);
  v->answers = {{IidFromText(kViewContainer), v}};
  return *v;
}

EffectParameters& FakeHost::NewEffectParameters(std::vector<std::string> ids) {
  EffectParameters* e = Add<EffectParameters>("effectParameters", gEffectParameters);
  e->ids = std::move(ids);
  return *e;
}

void FakeHost::AnswerEffectParameters(Object& effect) {
  context_->answers.push_back({IidFromText(kEffectParameters), &effect});
}

void FakeHost::AnswerEffectParametersWith(void* libraryObject) {
  context_->foreign.push_back({IidFromText(kEffectParameters), libraryObject});
}

Object* FakeHost::Create(const Iid16& clsid, const Iid16& iid) {
  for (const HostClass& c : kClasses) {
    if (!(IidFromText(c.clsid) == clsid)) continue;
    if (refusedClasses_.count(c.clsid) || !(IidFromText(c.iid) == iid)) return nullptr;
    const std::string kind = c.kind;
    const std::string name = kind + std::to_string(Made(kind).size());
    Object* made = nullptr;
    Object* newer = nullptr;
    if (kind == "hostServices") {
      made = Add<Object>(name, gHostServices);
    } else if (kind == "collection") {
      made = Add<Object>(name, gCollection);
      if (!collectionsWithoutDefinition_)
        made->answers.push_back({IidFromText(kPluginDefinition), Add<Object>(name + "Definition", gDefinition)});
    } else if (kind == "propertyMap") {
      made = Add<PropertyMap>(name, gPropertyMap);
      if (!mapsWithoutNewer_) newer = Add<Object>(name + "V2", gPropertyMapV2);
    } else if (kind == "effectDescriptor") {
      made = Add<EffectDescriptor>(name, gEffectDescriptor);
      newer = Add<Object>(name + "V2", gEffectDescriptorV2);
    } else {
      made = Add<ComponentDescriptor>(name, gComponentDescriptor);
      newer = Add<Object>(name + "V2", gComponentDescriptorV2);
    }
    if (newer) made->answers.push_back({IidFromText(c.newer), newer});
    made->refs = 1;  // handed over
    return made;
  }
  return nullptr;
}

std::vector<Object*> FakeHost::Made(const std::string& kind) const {
  std::vector<Object*> out;
  for (const auto& o : objects_)
    if (o->name.rfind(kind, 0) == 0 && o->name.size() > kind.size() &&
        o->name.find_first_not_of("0123456789", kind.size()) == std::string::npos)
      out.push_back(o.get());
  return out;
}

Object* FakeHost::FindByPointer(void* p) const {
  for (const auto& o : objects_)
    if (o.get() == p) return o.get();
  return nullptr;
}

std::vector<std::string> FakeHost::Unbalanced() const {
  std::vector<std::string> out;
  for (const auto& o : objects_) {
    if (o->refs != 0) out.push_back(o->name + " holds " + std::to_string(o->refs));
    if (o->underflow) out.push_back(o->name + " released below zero");
  }
  return out;
}

HostString::HostString() : vtable(gHostString) {}
HostTransport::HostTransport() : vtable(gHostTransport) {}

namespace {
void* gTransportNode[] = {
    S(+[](void*, uint32_t) -> void* { return nullptr; }),
    S(+[](void* self) -> void* { return static_cast<HostTransportNode*>(self)->emptyStream; }),
    S(+[](void* self) -> void* { return static_cast<HostTransportNode*>(self)->transport; }),
};
}  // namespace

HostTransportNode::HostTransportNode(HostTransport* t) : vtable(gTransportNode), transport(t) {}

}  // namespace fake_aax
