// A fake AAX host for the library's tests. Every object is built by hand as a host compiled
// elsewhere hands it over: a pointer to a table of functions in the slot order we read for
// the host's interfaces, with identifiers turned into bytes here from their registry text,
// never taken from the library's header, so a slot, signature or identifier mistake there
// fails a test. Each object keeps a ledger of the references the library holds on it (the end
// state of every test is zero; a release below zero is recorded) and writes every call it
// receives into the host's log ("controller.GetSampleRate"). Test code only.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace fake_aax {

// Sixteen identifier bytes in Windows memory order, from "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
struct Iid16 {
  unsigned char bytes[16];
  bool operator==(const Iid16& other) const;
};
Iid16 IidFromText(const char* text);
bool SameIid(const void* raw, const char* text);

class FakeHost;

// What every fake object starts with: its table, then its ledger and the interfaces it answers.
struct Object {
  void** vtable = nullptr;
  FakeHost* host = nullptr;
  std::string name;
  int32_t refs = 0;  // references the library holds
  bool underflow = false;
  std::vector<std::pair<Iid16, Object*>> answers;  // besides IACFUnknown, which is the object itself
  std::vector<std::pair<Iid16, void*>> foreign;    // objects of the library's, AddRef'd through slot 1
  int32_t result = 0;                              // what recording operations answer
  void* Ptr() { return this; }
};

// What the fake class factory made, and what the objects recorded beyond the log.
struct PropertyMap : Object {
  std::map<int32_t, int32_t> properties;
};
struct EffectDescriptor : Object {
  std::map<uint32_t, void*> procedures;
};
// One field of the render context as the component described it.
struct ContextField {
  std::string kind;  // "AudioIn", "AudioOut", "AudioBufferLength", "PrivateData", "MIDINode", "Meters"
  int32_t size = 0;      // private data's bytes
  int32_t nodeKind = 0;  // a MIDI node's kind (3: transport)
};
struct ComponentDescriptor : Object {
  void* renderProc = nullptr;
  void* renderProperties = nullptr;
  std::map<int32_t, ContextField> fields;
};
// The host's effect-parameters interface as an editor meets it: slot 6 the number of
// parameters, slot 18 an identifier by index (into the library's string), and its ledger.
struct EffectParameters : Object {
  std::vector<std::string> ids;
  int32_t countResult = 0;
};
struct ViewContainer : Object {
  void* nativeWindow = nullptr;
  uint32_t modifiers = 0;
  int32_t mouseDownResult = 1;
};

class FakeHost {
 public:
  FakeHost();
  FakeHost(const FakeHost&) = delete;
  FakeHost& operator=(const FakeHost&) = delete;
  ~FakeHost();

  // The host's IACFUnknown as the library receives it.
  void* Context() { return context_->Ptr(); }
  Object& context() { return *context_; }
  Object& controller() { return *controller_; }
  Object& controllerV2() { return *controllerV2_; }
  Object& transport() { return *transport_; }
  Object& transportV2() { return *transportV2_; }
  Object& automation() { return *automation_; }
  Object& factory() { return *factory_; }

  // The context stops answering an interface, or the factory stops making a class.
  void Refuse(const char* iidText);
  void RefuseClass(const char* clsidText);
  // A collection made by the factory stops answering the plug-in definition interface.
  void CollectionsWithoutDefinition() { collectionsWithoutDefinition_ = true; }
  // A property map made by the factory stops answering its newer interface.
  void PropertyMapsWithoutNewer() { mapsWithoutNewer_ = true; }
  // Every release the library makes goes into the log too ("controller.Release").
  void LogReleases(bool on) { logReleases_ = on; }
  bool logReleases() const { return logReleases_; }
  // Calls go unrecorded while off (the log's own allocations stay out of heap counts).
  void SetLogging(bool on) { logging_ = on; }
  bool logging() const { return logging_; }

  // What the controller answers: the session's sample rate and the stem formats of the
  // instance's input and output (1 mono, 0x00010002 stereo).
  void SetSampleRate(float rate) { sampleRate_ = rate; }
  float sampleRate() const { return sampleRate_; }
  void SetStemFormats(int32_t input, int32_t output) { stems_[0] = input, stems_[1] = output; }
  int32_t stem(int which) const { return stems_[which]; }

  // What the automation delegate does with a set-value request besides recording it: nothing,
  // hand it back at once to the effect's host-update slot (a host echoing the request), or keep
  // it until DeliverRequests. The effect is an effect-parameters interface pointer.
  enum class Automation { kRecord, kEcho, kDefer };
  void SetAutomation(Automation mode, void* effect = nullptr) { automationMode_ = mode, automationEffect_ = effect; }
  void Request(const std::string& id, double value);  // used by the delegate's slot
  // Hands the kept requests to the effect in order; answers how many.
  size_t DeliverRequests();
  size_t PendingRequests() const { return pending_.size(); }

  // A view container object the test hands to the library.
  ViewContainer& NewViewContainer();
  // An effect-parameters object with these identifiers, and the context answering the
  // effect-parameters identifier with it (or with an object of the library's).
  EffectParameters& NewEffectParameters(std::vector<std::string> ids);
  void AnswerEffectParameters(Object& effect);
  void AnswerEffectParametersWith(void* libraryObject);

  // Objects the factory made, in creation order, by kind ("hostServices", "collection",
  // "effectDescriptor", "componentDescriptor", "propertyMap"). A collection answers the plug-in
  // definition interface with an object of its own ("collection0Definition").
  std::vector<Object*> Made(const std::string& kind) const;
  Object* FindByPointer(void* p) const;

  std::vector<std::string>& Log() { return log_; }
  // Names of objects whose ledger is not back at zero, or went below it.
  std::vector<std::string> Unbalanced() const;

  // Used by the slot functions.
  Object* Create(const Iid16& clsid, const Iid16& iid);

 private:
  template <class T>
  T* Add(std::string name, void** table);

  std::deque<std::shared_ptr<Object>> objects_;  // shared_ptr keeps each kind's deleter
  std::set<std::string> refusedClasses_;
  bool mapsWithoutNewer_ = false;
  bool logReleases_ = false;
  bool collectionsWithoutDefinition_ = false;
  bool logging_ = true;
  float sampleRate_ = 48000.0f;
  int32_t stems_[2] = {1, 1};
  Automation automationMode_ = Automation::kRecord;
  void* automationEffect_ = nullptr;
  std::vector<std::pair<std::string, double>> pending_;
  Object* context_;
  Object* factory_;
  Object* controller_;
  Object* controllerV2_;
  Object* transport_;
  Object* transportV2_;
  Object* automation_;
  std::vector<std::string> log_;
};

// A host string with the Microsoft layout: slot 0 its deleting destructor, then Length,
// MaxLength, Get, Set, AssignText, AssignString.
struct HostString {
  HostString();
  void** vtable;
  std::string text;
  int destructorCalls = 0;
  uint32_t lastDestructorFlags = 0;
};

// The host's own transport object as the render path gets it: slot 0 its deleting destructor,
// then the six reading operations, answering fixed values (120 bpm, 3/4, playing, tick 4800000,
// loop 0..3840000, sample 88200).
struct HostTransport {
  HostTransport();
  void** vtable;
  std::vector<std::string> log;
};

// The render context's transport node: slot 0 its deleting destructor, 1 the MIDI stream
// (empty), 2 the host transport it hands out.
struct HostTransportNode {
  explicit HostTransportNode(HostTransport* t);
  void** vtable;
  HostTransport* transport;
  uint32_t emptyStream[4] = {};
};

// Calls slot `slot` of an object's table with the object as the first argument.
template <class R, class... Args>
R Call(void* object, int slot, Args... args) {
  using Fn = R (*)(void*, Args...);
  void** table = *static_cast<void***>(object);
  return reinterpret_cast<Fn>(table[slot])(object, args...);
}

}  // namespace fake_aax
