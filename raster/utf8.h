// UTF-8 helpers of the cached font. Both stop at the bound they are given, so a sequence cut by
// the end of the text decodes as single bytes rather than reading past it.
// [any thread; no allocation]
#pragma once

// Decodes the character at bytes, of which at most available (>= 1) may be read: 2- and 3-byte
// sequences give their character, a 4-byte sequence a space (0x20), anything else the byte's own
// value. Stores it in *character when that is not null; returns the bytes used (1 to 4).
int LICE_DecodeUTF8Char(const unsigned char* bytes, int available, int* character);

// True when text (length bytes, or up to its zero with -1) holds a 2-byte lead followed by a
// continuation byte, or a lead 0xC2..0xF4 followed by two. False for null text.
bool LICE_HasMultiByteUTF8(const char* text, int length);
