// AAX_SStateChunk: the host's state-chunk record. A 56-byte header of native int32 fields and a
// 32-byte name, then the chunk's data; the host allocates 56 + data size bytes. Neutral layout,
// pinned below; the same record on every platform we build.
#pragma once

#include <cstddef>
#include <cstdint>

struct AAX_SStateChunk {
  int32_t size;        // bytes of data from offset 56
  int32_t version;
  int32_t unused[3];
  int32_t identifier;  // four-character chunk identifier
  char name[32];
  unsigned char data[4];  // the first data bytes; the record runs on for `size` bytes

  static constexpr size_t kHeaderBytes = 56;
  unsigned char* Data() { return reinterpret_cast<unsigned char*>(this) + kHeaderBytes; }
  const unsigned char* Data() const { return reinterpret_cast<const unsigned char*>(this) + kHeaderBytes; }
};

static_assert(offsetof(AAX_SStateChunk, size) == 0, "AAX_SStateChunk layout");
static_assert(offsetof(AAX_SStateChunk, version) == 4, "AAX_SStateChunk layout");
static_assert(offsetof(AAX_SStateChunk, identifier) == 20, "AAX_SStateChunk layout");
static_assert(offsetof(AAX_SStateChunk, name) == 24, "AAX_SStateChunk layout");
static_assert(offsetof(AAX_SStateChunk, data) == AAX_SStateChunk::kHeaderBytes, "AAX_SStateChunk layout");
