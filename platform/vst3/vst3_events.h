// The host's event list (notes and other events of one block) and the event record. The list
// is the host's, valid during the process call that carries it, read on the audio thread.
#pragma once

#include <cstddef>

#include "platform/vst3/vst3_vst_types.h"

namespace Steinberg {
namespace Vst {

struct NoteOnEvent {
  int16 channel;
  int16 pitch;
  float tuning;
  float velocity;
  int32 length;
  int32 noteId;
};

struct NoteOffEvent {
  int16 channel;
  int16 pitch;
  float velocity;
  int32 noteId;
  float tuning;
};

struct DataEvent {
  uint32 size;
  uint32 type;
  const uint8* bytes;
};

struct NoteExpressionTextEvent {
  uint32 typeId;
  int32 noteId;
  uint32 textLen;
  const TChar* text;
};

struct Event {
  enum EventTypes : uint16 { kNoteOnEvent = 0, kNoteOffEvent = 1, kDataEvent = 2 };
  int32 busIndex;
  int32 sampleOffset;
  TQuarterNotes ppqPosition;
  uint16 flags;
  uint16 type;
  union {
    NoteOnEvent noteOn;
    NoteOffEvent noteOff;
    DataEvent data;
    NoteExpressionTextEvent noteExpressionText;  // the largest member: fixes the union's size
  };
};

static_assert(sizeof(NoteOnEvent) == 20 && sizeof(NoteOffEvent) == 16 && sizeof(DataEvent) == 16,
              "note and data event layouts");
static_assert(sizeof(Event) == 48 && alignof(Event) == 8 && offsetof(Event, type) == 18 &&
                  offsetof(Event, noteOn) == 24,
              "Event layout");

class IEventList : public FUnknown {
 public:
  virtual int32 PLUGIN_API getEventCount() = 0;
  virtual tresult PLUGIN_API getEvent(int32 index, Event& e) = 0;
  virtual tresult PLUGIN_API addEvent(Event& e) = 0;
  KV_VST3_IID(0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44);
};

}  // namespace Vst
}  // namespace Steinberg
