// The AAX host's binary interface as this library meets it: identifiers, result codes and the
// host's interfaces, declared by us. Host objects are built by another compiler (the Microsoft
// x64 ABI), so: no interface here has a C++ virtual destructor or an overloaded virtual name;
// slot order is declaration order; where a host interface begins with a virtual destructor
// (AAX_IString, AAX_ITransport) that one Microsoft slot is an explicit operation. Slots we
// never call keep a placeholder so that later slots stay where the host has them.
//
// Contents: identifiers and result codes; IACFUnknown and the class factory; the host objects
// behind the library's wrappers; the C++ interfaces the host implements itself.
//
// Risk, stated once: the slot order of each host object behind a wrapper is our reading of the
// wrapper's own operation table (IACFUnknown's three operations, then the wrapper's operations
// that reach the host, primary and newer interfaces separate); a real host's tables are not
// available to this project. The identifiers and result codes are exact.
#pragma once

#include <cstddef>
#include <cstdint>

using AAX_Result = int32_t;

// ---------------------------------------------------------------- result codes
enum : AAX_Result {
  kAaxOk = 0,
  kAaxUnknownParameter = -20001,
  kAaxTextNotConvertible = -20002,
  kAaxNoHostObject = -20004,
  kAaxChunkIndexOutOfRange = -20006,
  kAaxUnknownChunk = -20007,
  kAaxChunkSizeInvalid = -20008,
  kAaxNotSupported = -20009,
  kAaxEditorWithoutHost = -20011,
  kAaxNegativeSteps = -20033,
  kAaxChunkOverflow = -333,
  // The component model's own codes (not Windows' E_NOINTERFACE, which is 0x80004002).
  kAcfNoInterface = static_cast<AAX_Result>(0x80000004u),
  kAcfUnexpected = static_cast<AAX_Result>(0x8000FFFFu),
};

// ---------------------------------------------------------------- identifiers
// A 16-byte identifier in the Windows GUID layout, compared field by field.
struct AcfIID {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];

  // From the registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; a malformed text does
  // not compile where it is used in a constant expression.
  static constexpr AcfIID FromText(const char (&t)[39]) {
    AcfIID id{};
    int pos = 1;
    id.data1 = static_cast<uint32_t>(Hex(t, pos, 8));
    pos += 9;
    id.data2 = static_cast<uint16_t>(Hex(t, pos, 4));
    pos += 5;
    id.data3 = static_cast<uint16_t>(Hex(t, pos, 4));
    pos += 5;
    for (int i = 0; i < 8; ++i) {
      id.data4[i] = static_cast<uint8_t>(Hex(t, pos, 2));
      pos += (i == 1) ? 3 : 2;
    }
    if (t[0] != '{' || t[9] != '-' || t[14] != '-' || t[19] != '-' || t[24] != '-' || t[37] != '}') throw "identifier";
    return id;
  }

 private:
  static constexpr uint64_t Hex(const char* t, int pos, int digits) {
    uint64_t v = 0;
    for (int i = 0; i < digits; ++i) {
      const char c = t[pos + i];
      const int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
      if (d < 0) throw "identifier";
      v = v * 16 + static_cast<uint64_t>(d);
    }
    return v;
  }
};

constexpr bool operator==(const AcfIID& a, const AcfIID& b) {
  if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
  for (int i = 0; i < 8; ++i)
    if (a.data4[i] != b.data4[i]) return false;
  return true;
}
constexpr bool operator!=(const AcfIID& a, const AcfIID& b) { return !(a == b); }

// Interfaces that our component objects answer or that we ask the host for.
inline constexpr AcfIID kIidAcfUnknown = AcfIID::FromText("{00000000-0000-0000-C000-000000000046}");
inline constexpr AcfIID kIidPluginDefinition = AcfIID::FromText("{00EEF015-7FD0-11D6-8485-00306542A024}");
inline constexpr AcfIID kIidEffectParameters = AcfIID::FromText("{964E333D-334C-533F-C2C7-3834C3C23E3E}");
inline constexpr AcfIID kIidEffectParametersV2 = AcfIID::FromText("{F1F47D06-308F-4CC5-9C7C-50A83F8AB813}");
inline constexpr AcfIID kIidEffectGui = AcfIID::FromText("{964E323D-424C-5E1A-2227-282423222E1E}");
inline constexpr AcfIID kIidViewContainer = AcfIID::FromText("{22DA0BBC-D550-4D5E-8CC6-734483B8837F}");
inline constexpr AcfIID kIidClassFactory = AcfIID::FromText("{382B6A96-7FD0-11D6-BCFE-00306542A024}");
// Host objects reached by a query of the host's IACFUnknown.
inline constexpr AcfIID kIidController = AcfIID::FromText("{9D5E3E3D-52DC-5EFB-2018-DE1DE2E63F4E}");
inline constexpr AcfIID kIidControllerV2 = AcfIID::FromText("{4C59AA0E-D7C0-4205-8B6C-32468D42D202}");
inline constexpr AcfIID kIidTransport = AcfIID::FromText("{5CEE4EF4-6337-4359-B63B-FE58DC36543A}");
inline constexpr AcfIID kIidTransportV2 = AcfIID::FromText("{203CBD9F-982C-4FE6-A827-07480257AEC3}");
inline constexpr AcfIID kIidAutomationDelegate = AcfIID::FromText("{9D5E3D3D-42DC-5EFA-2217-EEE2E8E53E2E}");
// Host classes made by the class factory, with the interface asked of each.
inline constexpr AcfIID kClsidHostServices = AcfIID::FromText("{88882C2D-EBBC-42EF-C0AB-8981B0BD0CCA}");
inline constexpr AcfIID kIidHostServices = AcfIID::FromText("{96D42C2D-EBBC-41EF-B0AB-9991A0ED0CCA}");
inline constexpr AcfIID kClsidPropertyMap = AcfIID::FromText("{A587AD3D-D53C-4ADC-D0DD-D9D12DDDDCDA}");
inline constexpr AcfIID kIidPropertyMap = AcfIID::FromText("{96EE2C2D-EECC-5EFF-E2D7-E849E3E2EEEE}");
inline constexpr AcfIID kIidPropertyMapV2 = AcfIID::FromText("{7177DF80-7C9C-11E2-B92A-0800200C9A66}");
inline constexpr AcfIID kClsidCollection = AcfIID::FromText("{89882C2D-77BC-42EF-707B-7981B7BD0CCA}");
inline constexpr AcfIID kIidCollection = AcfIID::FromText("{96D42C2D-EBBC-41DF-B1AB-9991A2EE0CCA}");
inline constexpr AcfIID kClsidEffectDescriptor = AcfIID::FromText("{89872C2D-75BC-423F-401B-F9A1BAAD0CCA}");
inline constexpr AcfIID kIidEffectDescriptor = AcfIID::FromText("{96D42C2D-EBBC-41EF-D1CB-499442E40FDA}");
inline constexpr AcfIID kIidEffectDescriptorV2 = AcfIID::FromText("{41ECCC52-416B-4072-84BD-40B05210A74C}");
inline constexpr AcfIID kClsidComponentDescriptor = AcfIID::FromText("{94872C3D-95BC-413D-D0DB-D9B12AAD0CCA}");
inline constexpr AcfIID kIidComponentDescriptor = AcfIID::FromText("{96E42C2D-E2BC-51EF-61C7-48994AEB0CDA}");
inline constexpr AcfIID kIidComponentDescriptorV2 = AcfIID::FromText("{1895259E-AAA9-4F0F-A985-149837B76F89}");

// ---------------------------------------------------------------- component model
struct IACFUnknown {
  virtual AAX_Result QueryInterface(const AcfIID& iid, void** out) = 0;  // slot 0
  virtual uint32_t AddRef() = 0;                                        // slot 1
  virtual uint32_t Release() = 0;                                       // slot 2
};

struct IACFClassFactory : IACFUnknown {
  // Creates an instance of a host class with the given interface; the result holds one reference.
  virtual AAX_Result CreateInstance(const AcfIID& clsid, IACFUnknown* outer, const AcfIID& iid, void** out) = 0;  // 3
};

// A point as the view container takes it: vertical first.
struct AAX_Point {
  float vertical;
  float horizontal;
};

// ---------------------------------------------------------------- host objects behind wrappers
struct AAX_IACFController : IACFUnknown {
  virtual AAX_Result Unused1() = 0;                                             // 3
  virtual AAX_Result GetSampleRate(float* rate) = 0;                            // 4
  virtual AAX_Result GetInputStemFormat(int32_t* stem) = 0;                     // 5
  virtual AAX_Result GetOutputStemFormat(int32_t* stem) = 0;                    // 6
  virtual AAX_Result Unused5() = 0;                                             // 7
  virtual AAX_Result Unused6() = 0;                                             // 8
  virtual AAX_Result Unused7() = 0;                                             // 9
  virtual AAX_Result SetSignalLatency(int32_t samples) = 0;                     // 10
  virtual AAX_Result Unused9() = 0;                                             // 11
  virtual AAX_Result PostPacket(uint32_t id, const void* data, uint32_t size) = 0;  // 12
  virtual AAX_Result Unused12() = 0;                                            // 13
  virtual AAX_Result Unused13() = 0;                                            // 14
  virtual AAX_Result Unused14() = 0;                                            // 15
  virtual AAX_Result Unused15() = 0;                                            // 16
  virtual AAX_Result Unused16() = 0;                                            // 17
  virtual AAX_Result Unused17() = 0;                                            // 18
  virtual AAX_Result Unused18() = 0;                                            // 19
};

// The controller's newer interface: the wrapper's 11th and 19th to 21st operations.
struct AAX_IACFController_V2 : IACFUnknown {
  virtual AAX_Result Unused11() = 0;            // 3
  virtual AAX_Result Unused19() = 0;            // 4
  virtual AAX_Result Operation20(void** out) = 0;  // 5
  virtual AAX_Result Unused21() = 0;            // 6
};

struct AAX_IACFHostServices : IACFUnknown {
  virtual AAX_Result Unused1() = 0;                                 // 3
  virtual AAX_Result Trace(int32_t priority, const char* text) = 0;  // 4
};

// Never called by this system; the six reading operations are those of AAX_ITransport.
struct AAX_IACFTransport : IACFUnknown {
  virtual AAX_Result GetTempo(double* bpm) = 0;                                          // 3
  virtual AAX_Result GetTimeSignature(int32_t* numerator, int32_t* denominator) = 0;      // 4
  virtual AAX_Result IsPlaying(bool* playing) = 0;                                        // 5
  virtual AAX_Result GetTickPosition(int64_t* ticks) = 0;                                 // 6
  virtual AAX_Result GetLoop(bool* looping, int64_t* startTick, int64_t* endTick) = 0;    // 7
  virtual AAX_Result GetSamplePosition(int64_t* sample) = 0;                              // 8
  virtual AAX_Result Unused7() = 0;                                                       // 9
  virtual AAX_Result Unused8() = 0;                                                       // 10
  virtual AAX_Result Unused9() = 0;                                                       // 11
  virtual AAX_Result Unused10() = 0;                                                      // 12
};

struct AAX_IACFTransport_V2 : IACFUnknown {
  virtual AAX_Result Unused11() = 0;  // 3
  virtual AAX_Result Unused12() = 0;  // 4
  virtual AAX_Result Unused13() = 0;  // 5
  virtual AAX_Result Unused14() = 0;  // 6
};

struct AAX_IACFAutomationDelegate : IACFUnknown {
  virtual AAX_Result RegisterParameter(const char* id) = 0;                 // 3
  virtual AAX_Result UnregisterParameter(const char* id) = 0;               // 4
  virtual AAX_Result PostSetValueRequest(const char* id, double value) = 0;  // 5
  virtual AAX_Result PostCurrentValue(const char* id, double value) = 0;     // 6
  virtual AAX_Result PostTouchRequest(const char* id) = 0;                  // 7
  virtual AAX_Result PostReleaseRequest(const char* id) = 0;                // 8
  virtual AAX_Result Unused7() = 0;                                         // 9
};

struct AAX_IACFPropertyMap : IACFUnknown {
  virtual bool GetProperty(int32_t property, int32_t* value) const = 0;  // 3
  virtual AAX_Result AddProperty(int32_t property, int32_t value) = 0;   // 4
  virtual AAX_Result RemoveProperty(int32_t property) = 0;              // 5
};

struct AAX_IACFPropertyMap_V2 : IACFUnknown {
  virtual AAX_Result Unused4() = 0;  // 3
  virtual bool Unused5() = 0;        // 4
};

// The collection's wrapper makes descriptors and maps itself; the rest reaches the host.
struct AAX_IACFCollection : IACFUnknown {
  virtual AAX_Result AddEffect(const char* effectId, IACFUnknown* effectDescriptor) = 0;  // 3
  virtual AAX_Result SetManufacturerName(const char* name) = 0;                          // 4
  virtual AAX_Result AddPackageName(const char* name) = 0;                               // 5
  virtual AAX_Result SetPackageVersion(uint32_t version) = 0;                            // 6
  virtual AAX_Result SetProperties(IACFUnknown* properties) = 0;                         // 7
};

struct AAX_IACFEffectDescriptor : IACFUnknown {
  virtual AAX_Result AddComponent(IACFUnknown* component) = 0;              // 3
  virtual AAX_Result AddName(const char* name) = 0;                         // 4
  virtual AAX_Result AddCategory(uint32_t category) = 0;                    // 5
  virtual AAX_Result Unused5() = 0;                                         // 6
  virtual AAX_Result AddProcPtr(void* procedure, uint32_t procedureId) = 0;  // 7
  virtual AAX_Result SetProperties(IACFUnknown* properties) = 0;            // 8
  virtual AAX_Result Unused9() = 0;                                         // 9
  virtual AAX_Result Unused10() = 0;                                        // 10
};

struct AAX_IACFEffectDescriptor_V2 : IACFUnknown {
  virtual AAX_Result Unused11() = 0;  // 3
};

struct AAX_IACFComponentDescriptor : IACFUnknown {
  virtual AAX_Result Unused1() = 0;                                                             // 3
  virtual AAX_Result AddAudioIn(int32_t field) = 0;                                             // 4
  virtual AAX_Result AddAudioOut(int32_t field) = 0;                                            // 5
  virtual AAX_Result AddAudioBufferLength(int32_t field) = 0;                                   // 6
  virtual AAX_Result Unused5() = 0;                                                             // 7
  virtual AAX_Result Unused6() = 0;                                                             // 8
  virtual AAX_Result Unused7() = 0;                                                             // 9
  virtual AAX_Result Unused8() = 0;                                                             // 10
  virtual AAX_Result AddAuxOutputStem(int32_t field, int32_t stemFormat, const char* name) = 0;  // 11
  virtual AAX_Result AddPrivateData(int32_t field, int32_t size, uint32_t options) = 0;         // 12
  virtual AAX_Result Unused12() = 0;                                                            // 13
  virtual AAX_Result AddMeters(int32_t field, const uint32_t* meterIds, uint32_t count) = 0;     // 14
  virtual AAX_Result AddMIDINode(int32_t field, int32_t nodeKind, const char* name, uint32_t channelMask) = 0;  // 15
  virtual AAX_Result Unused15() = 0;                                                            // 16
  virtual AAX_Result AddProcessProc(void* renderProc, IACFUnknown* properties, void* a, void* b, void* c) = 0;  // 17
  virtual AAX_Result Unused19() = 0;                                                            // 18
};

struct AAX_IACFComponentDescriptor_V2 : IACFUnknown {
  virtual AAX_Result Unused11() = 0;  // 3
};

struct AAX_IACFViewContainer : IACFUnknown {
  virtual AAX_Result Unused1() = 0;                                                // 3
  virtual void* GetNativeWindow() = 0;                                             // 4
  virtual AAX_Result GetModifiers(uint32_t* modifiers) = 0;                        // 5
  virtual AAX_Result SetViewSize(const AAX_Point& size) = 0;                       // 6
  virtual AAX_Result HandleParameterMouseDown(const char* id, uint32_t modifiers) = 0;  // 7
  virtual AAX_Result Unused6() = 0;                                                // 8
  virtual AAX_Result Unused7() = 0;                                                // 9
};

// ---------------------------------------------------------------- C++ interfaces of the host
// The host's own strings are filled through this, and ours are handed to the host as it.
// Slot 0 is the Microsoft deleting destructor: destroy, and free the memory when bit 0 of the
// flags is set; it returns the object's address.
class AAX_IString {
 public:
  virtual void* AbiDeletingDestructor(uint32_t flags) = 0;  // 0
  virtual uint32_t Length() const = 0;                     // 1
  virtual uint32_t MaxLength() const = 0;                  // 2
  virtual const char* Get() const = 0;                     // 3
  virtual void Set(const char* text) = 0;                  // 4
  virtual AAX_IString& AssignText(const char* text) = 0;   // 5
  virtual AAX_IString& AssignString(const AAX_IString* other) = 0;  // 6

 protected:
  ~AAX_IString() = default;
};

// The host's transport as the render path reads it (its first six reading operations); slot 0
// as in AAX_IString. Ticks count 960000 per quarter note.
class AAX_ITransport {
 public:
  virtual void* AbiDeletingDestructor(uint32_t flags) = 0;                             // 0
  virtual AAX_Result GetTempo(double* bpm) const = 0;                                   // 1
  virtual AAX_Result GetTimeSignature(int32_t* numerator, int32_t* denominator) const = 0;  // 2
  virtual AAX_Result IsPlaying(bool* playing) const = 0;                                // 3
  virtual AAX_Result GetTickPosition(int64_t* ticks) const = 0;                         // 4
  virtual AAX_Result GetLoop(bool* looping, int64_t* startTick, int64_t* endTick) const = 0;  // 5
  virtual AAX_Result GetSamplePosition(int64_t* sample) const = 0;                      // 6

 protected:
  ~AAX_ITransport() = default;
};
