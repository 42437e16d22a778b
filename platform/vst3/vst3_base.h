// The root of our own VST3 interface layer: basic types, result codes, interface identifiers
// and FUnknown. Binary facts only: identifiers in Windows (COM) byte order and COM result codes
// on every platform, since the only module we ship is a Windows DLL and the native build exists
// to test these same bytes. No interface has a virtual destructor; slot order is declaration order.
#pragma once

#include <cstdint>
#include <cstddef>
#include <cstring>

#if defined(_WIN32)
#define PLUGIN_API __stdcall
#else
#define PLUGIN_API
#endif

namespace Steinberg {

using int8 = char;
using uint8 = uint8_t;
using int16 = int16_t;
using uint16 = uint16_t;
using int32 = int32_t;
using uint32 = uint32_t;
using int64 = int64_t;
using uint64 = uint64_t;
using tresult = int32;
using TBool = uint8;
using char8 = char;
using char16 = char16_t;
using TChar = char16;
using String128 = char16[128];
using TUID = char[16];
using FIDString = const char*;
using TSize = int64;
using UCoord = int32;

// COM HRESULT values, as Windows hosts expect them.
enum : tresult {
  kResultOk = 0,
  kResultTrue = 0,
  kResultFalse = 1,
  kInvalidArgument = static_cast<tresult>(0x80070057),
  kNotImplemented = static_cast<tresult>(0x80004001),
  kInternalError = static_cast<tresult>(0x80004005),
  kNotInitialized = static_cast<tresult>(0x8000FFFF),
  kOutOfMemory = static_cast<tresult>(0x8007000E),
  kNoInterface = static_cast<tresult>(0x80004002),
};

// Sixteen identifier bytes. Built from the four declared words in COM GUID memory order:
// l1 little-endian, the two halves of l2 each little-endian, then l3 and l4 big-endian.
struct Uid {
  char bytes[16];

  static constexpr Uid FromWords(uint32 l1, uint32 l2, uint32 l3, uint32 l4) {
    Uid u{};
    for (int i = 0; i < 4; ++i) u.bytes[i] = static_cast<char>((l1 >> (8 * i)) & 0xFF);
    u.bytes[4] = static_cast<char>((l2 >> 16) & 0xFF);
    u.bytes[5] = static_cast<char>((l2 >> 24) & 0xFF);
    u.bytes[6] = static_cast<char>(l2 & 0xFF);
    u.bytes[7] = static_cast<char>((l2 >> 8) & 0xFF);
    for (int i = 0; i < 4; ++i) u.bytes[8 + i] = static_cast<char>((l3 >> (24 - 8 * i)) & 0xFF);
    for (int i = 0; i < 4; ++i) u.bytes[12 + i] = static_cast<char>((l4 >> (24 - 8 * i)) & 0xFF);
    return u;
  }

  // Compares with 16 raw bytes from a caller; a null pointer matches nothing.
  bool Matches(const char* other) const { return other && std::memcmp(bytes, other, 16) == 0; }
};

#define KV_VST3_IID(l1, l2, l3, l4) \
  static constexpr ::Steinberg::Uid iid = ::Steinberg::Uid::FromWords(l1, l2, l3, l4)

class FUnknown {
 public:
  virtual tresult PLUGIN_API queryInterface(const TUID iid, void** obj) = 0;
  virtual uint32 PLUGIN_API addRef() = 0;
  virtual uint32 PLUGIN_API release() = 0;
  KV_VST3_IID(0x00000000, 0x00000000, 0xC0000000, 0x00000046);
};

}  // namespace Steinberg
