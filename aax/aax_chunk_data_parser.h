// AAX_CChunkDataParser: named, typed values to and from the data of a state chunk. The data is
// the magic 01 01 01 01, then entries on 4-byte boundaries: a two-letter type prefix, the name
// and a NUL, zero padding, then the value, big-endian ("l_" int32, "f_" float, "d_" double,
// "s_" int16 and two zero bytes, "r_" a NUL-terminated text padded to 4). Reading checks every
// entry against the data size the record states and takes nothing from a chunk that does not
// fit it. UI thread; allocates.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "aax/aax_string.h"
#include "platform/aax/aax_host_abi.h"
#include "platform/aax/aax_state_chunk.h"

class AAX_CChunkDataParser {
 public:
  enum EntryType : int32_t { kUnknown = 0, kFloat = 1, kInt32 = 2, kDouble = 3, kInt16 = 4, kText = 5 };

  struct Entry {
    int32_t type = kUnknown;
    std::string name;     // without the type prefix
    uint64_t bits = 0;    // the double's bits, or the float's, int32's or int16's in the low bytes
    std::string text;     // kText only
  };

  // GetChunkData's result when the entries do not fit the size it computed.
  static constexpr int32_t kOverflow = kAaxChunkOverflow;
  // The trace priority of that failure.
  static constexpr int32_t kTracePriority = 0x8000000;
  // Prefix, name and NUL of one entry are read from at most this many bytes.
  static constexpr int32_t kMaxPrefixedName = 255;

  AAX_CChunkDataParser() = default;
  virtual ~AAX_CChunkDataParser() = default;

  // Append an entry; no check for an existing name. A null name is the empty name.
  void AddDouble(const char* name, double value);
  void AddInt32(const char* name, int32_t value);
  void AddString(const char* name, const AAX_CString& text);

  // True and out written when the name's entry (searched from just after the last one found)
  // has the type asked for; otherwise false and out untouched.
  bool FindDouble(const char* name, double* out);
  bool FindInt32(const char* name, int32_t* out);
  bool FindString(const char* name, AAX_IString* out);
  int32_t FindEntry(const char* name);

  void Clear();
  int32_t GetChunkDataSize() const;
  // Writes the data size and the data into a record with room for 56 + GetChunkDataSize()
  // bytes. 0, or kOverflow (after a trace to the host) when an entry would pass the size; the
  // size field stays written.
  int32_t GetChunkData(AAX_SStateChunk* chunk) const;
  // Replaces the entries with the chunk's. A chunk whose size is below 5 or whose magic differs
  // gives no entries (its version is still taken). A chunk with an entry that runs past its data
  // size (a value cut short, a name or text without its NUL) is refused: false, nothing changed.
  bool LoadChunk(const AAX_SStateChunk* chunk);

  int32_t GetVersion() const { return version_; }
  const std::vector<Entry>& GetEntries() const { return entries_; }

 private:
  int32_t cursor_ = -1;
  int32_t version_ = -1;
  std::vector<Entry> entries_;
};
