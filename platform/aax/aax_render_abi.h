// What the host's render call hands a process procedure: the context of one instance (one
// pointer-sized slot per described field), the MIDI node objects (the transport node among
// them) and their packet stream. Host objects in the Microsoft layout, as in aax_host_abi.h:
// a node's slot 0 is its deleting destructor, never called by us.
#pragma once

#include <cstdint>

#include "platform/aax/aax_host_abi.h"

struct AAX_CMidiPacket {
  int32_t timestamp;  // sample offset in the block
  int32_t length;
  unsigned char data[4];  // status, data 1, data 2
  int32_t reserved;
};
static_assert(sizeof(AAX_CMidiPacket) == 16 && offsetof(AAX_CMidiPacket, data) == 8, "host packet layout");

struct AAX_CMidiStream {
  uint32_t bufferSize;
  AAX_CMidiPacket* buffer;
};

class AAX_IMIDINode {
 public:
  virtual void* AbiDeletingDestructor(uint32_t flags) = 0;  // 0
  virtual AAX_CMidiStream* GetNodeBuffer() = 0;             // 1
  virtual AAX_ITransport* GetTransport() = 0;               // 2

 protected:
  ~AAX_IMIDINode() = default;
};

// Field indices of the render context as the binding describes it.
enum AAX_ERenderField : int32_t {
  kAaxFieldAudioIn = 0,
  kAaxFieldAudioOut = 1,
  kAaxFieldBufferLength = 2,
  kAaxFieldInputMidi = 4,
  kAaxFieldGlobalMidi = 5,
  kAaxFieldTransport = 6,
  kAaxFieldInstance = 7,
  kAaxFieldMeters = 8,
  kAaxFieldCount = 9
};

struct AAX_SRenderContext {
  void* fields[kAaxFieldCount];
};
