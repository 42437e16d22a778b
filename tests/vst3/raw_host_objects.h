// Host objects built by hand, as a host compiled elsewhere hands them over: a pointer to a table
// of functions in the slot order of the interface facts, with identifiers and record offsets
// written out here, never taken from our own VST3 headers. Each object counts its references
// and writes every call it receives into a shared log ("performEdit 0 0.25"). Test code only.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#if defined(_WIN32)
#define RAW_API __stdcall
#else
#define RAW_API
#endif

namespace raw {

using Bytes16 = unsigned char[16];
// Interface identifiers, Windows memory order.
extern const Bytes16 kIidFUnknown, kIidHostApplication, kIidComponentHandler, kIidComponentHandler3,
    kIidContextMenu, kIidPlugFrame, kIidStream, kIidParameterChanges, kIidParamValueQueue;
constexpr int32_t kOk = 0, kFalse = 1;
constexpr int32_t kNoInterface = static_cast<int32_t>(0x80004002);
constexpr int32_t kNotImplemented = static_cast<int32_t>(0x80004001);

std::vector<std::string>& Log();

// Calls slot `slot` of an object's table with the object as the first argument.
template <class R, class... Args>
R Call(void* object, int slot, Args... args) {
  using Fn = R(RAW_API*)(void*, Args...);
  void** table = *static_cast<void***>(object);
  return reinterpret_cast<Fn>(table[slot])(object, args...);
}

// What every raw object starts with: its table, then the identifier it answers besides
// FUnknown, another interface of the same host object, and the reference count.
struct Object {
  Object(void** table, const unsigned char* ownIid) : vtable(table), iid(ownIid) {}
  void* Interface() { return this; }
  void** vtable;
  const unsigned char* iid;
  Object* other = nullptr;
  const unsigned char* otherIid = nullptr;
  int32_t refs = 1;
};

struct HostApplication : Object {
  HostApplication();
};

struct ContextMenu : Object {
  ContextMenu();
};

struct ComponentHandler3 : Object {
  ComponentHandler3();
  ContextMenu menu;
};

// IComponentHandler, answering IComponentHandler3 with its second object.
struct ComponentHandler : Object {
  ComponentHandler();
  ComponentHandler3 third;
};

struct PlugFrame : Object {
  PlugFrame();
};

struct ParamValueQueue : Object {
  explicit ParamValueQueue(uint32_t parameterId);
  uint32_t id;
  std::vector<std::pair<int32_t, double>> points;
};

struct ParameterChanges : Object {
  ParameterChanges();
  std::vector<ParamValueQueue*> queues;  // not owned
};

// A byte stream in memory.
struct Stream : Object {
  Stream();
  std::vector<unsigned char> bytes;
  size_t position = 0;
};

}  // namespace raw
