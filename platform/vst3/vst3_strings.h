// Text helpers of the VST3 layer: ASCII widened to and narrowed from the host's UTF-16 strings,
// and the bounded copy that fills fixed-size record fields. None allocates.
#pragma once

#include "platform/vst3/vst3_base.h"

namespace Steinberg {

// Widens unit by unit into at most capacity units, always terminated (so at most
// capacity - 1 characters). A null source gives the empty string.
void WidenAscii(char16* dest, int32 capacity, const char8* source);

// Keeps the low byte of each unit; at most capacity - 1 characters, always terminated.
void NarrowToAscii(char8* dest, int32 capacity, const char16* source);

// For texts that are parsed (a host's typed value): false, with dest empty, when a unit is not
// ASCII (its low byte could read as a digit) or no terminator comes within capacity units (a
// cut text could read as another number). Reads at most capacity units of source.
bool NarrowAsciiText(char8* dest, int32 capacity, const char16* source);

// Copies up to size characters and zero-fills the rest; a text as long as the field keeps no
// terminator (the records' own convention).
void BoundedCopy(char8* dest, int32 size, const char8* source);

// Copies at most 127 units of a terminated UTF-16 text into a String128, always terminated.
// A null source gives the empty string.
void CopyString128(char16* dest, const char16* source);

}  // namespace Steinberg
