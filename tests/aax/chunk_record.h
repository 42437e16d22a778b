// ChunkRecord: an AAX_SStateChunk on the heap, exactly 56 + capacity bytes long so that the
// sanitizer catches any byte read or written past it. Test helper.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/aax/aax_state_chunk.h"

class ChunkRecord {
 public:
  explicit ChunkRecord(size_t capacity)
      : bytes_(new unsigned char[AAX_SStateChunk::kHeaderBytes + capacity]()), capacity_(capacity) {}
  // A record holding these data bytes, its size field saying how many.
  static ChunkRecord WithData(const std::vector<uint8_t>& data, int32_t version = 0) {
    ChunkRecord r(data.size());
    r.Get()->size = static_cast<int32_t>(data.size());
    r.Get()->version = version;
    if (!data.empty()) std::memcpy(r.Get()->Data(), data.data(), data.size());
    return r;
  }

  AAX_SStateChunk* Get() { return reinterpret_cast<AAX_SStateChunk*>(bytes_.get()); }
  size_t Capacity() const { return capacity_; }
  std::vector<uint8_t> Data() {
    const size_t n = Get()->size < 0 ? 0 : static_cast<size_t>(Get()->size);
    return std::vector<uint8_t>(Get()->Data(), Get()->Data() + (n < capacity_ ? n : capacity_));
  }

 private:
  std::unique_ptr<unsigned char[]> bytes_;
  size_t capacity_;
};
