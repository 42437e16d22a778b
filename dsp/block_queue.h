// BlockQueue: a queue of bytes held in a list of heap blocks (65472 bytes, or larger for one big
// append), used for the FFT engine's input. Emptied blocks go to a free list (no limit) and are
// reused, so a queue that has reached its working size no longer allocates. One append never
// spans two blocks; reads cross block boundaries. Not locked: its owner guards it.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/grow_buffer.h"

class BlockQueue {
 public:
  // One heap allocation: this header, then capacity bytes of data.
  struct Block {
    int32_t capacity;
    int32_t used;
    char* Data() { return reinterpret_cast<char*>(this + 1); }
  };

  static constexpr int32_t kBlockSize = 0xFFC0;

  BlockQueue() = default;
  ~BlockQueue();
  BlockQueue(const BlockQueue&) = delete;
  BlockQueue& operator=(const BlockQueue&) = delete;

  // [owner's thread; allocates only when no free block fits] Appends bytes (zeros without a
  // source) to the last block, or to a new one when it lacks room. On allocation failure
  // nothing is queued.
  void Add(const void* source, int32_t bytes) {
    Block* last = blocks_.Last();
    if (last && bytes > 0 && bytes <= last->capacity - last->used && bytes <= INT32_MAX - queued_) {
      Append(last, source, bytes);
    } else {
      AddToNewBlock(source, bytes);
    }
  }

  // [owner's thread; allocates] Tops the free list up to spareBlocks blocks, each new one with
  // room for at least capacity bytes, so that later appends of up to that size find one.
  void Reserve(int32_t spareBlocks, int32_t capacity);

  // [owner's thread; frees only beyond the limit] Moves every block, last first, to the free list
  // while it holds fewer than limit blocks (a negative limit: the queue's own, unlimited), frees
  // the rest and empties the queue. Returns the limit used.
  int32_t Clear(int32_t limit);

  // [owner's thread, no allocation] Consumes bytes; emptied blocks are recycled as in Clear.
  void Advance(int32_t bytes);

  // [owner's thread, no allocation] Copies up to bytes, starting offset bytes past the read
  // position, into destination. Returns the bytes copied.
  int32_t GetToBuffer(int32_t offset, void* destination, int32_t bytes) const;

  // [owner's thread, no allocation] True when fewer than bytes are queued, or when a queued float
  // differs from the given one by more than 1e-7 (a NaN on either side differs).
  bool DiffersFrom(const float* floats, int32_t bytes) const;

  Block* GetBlock(int32_t index) const { return blocks_.Get(index); }
  int32_t GetBlockCount() const { return blocks_.Size(); }
  int32_t GetFreeBlockCount() const { return freeBlocks_.Size(); }
  int32_t GetQueuedBytes() const { return queued_; }

 private:
  // A list of block pointers with removal at both ends.
  class List {
   public:
    int32_t Size() const { return entries_.GetSize() / static_cast<int32_t>(sizeof(Block*)); }
    Block* Get(int32_t index) const;
    Block* Last() const {
      const int32_t count = Size();
      return count > 0 ? entries_.GetAs<Block*>()[count - 1] : nullptr;
    }
    bool PushBack(Block* block);
    Block* PopBack();
    Block* PopFront();

   private:
    GrowBuffer entries_{4096};
  };

  void AddToNewBlock(const void* source, int32_t bytes);
  void Append(Block* block, const void* source, int32_t bytes) {
    char* destination = block->Data() + block->used;
    if (source && bytes == 4) {
      std::memcpy(destination, source, 4);  // one sample, the common case at tiny blocks: no call
    } else if (source) {
      std::memcpy(destination, source, static_cast<size_t>(bytes));
    } else {
      std::memset(destination, 0, static_cast<size_t>(bytes));
    }
    block->used += bytes;
    queued_ += bytes;
  }
  Block* StartBlock(int32_t bytes);
  void Recycle(Block* block, int32_t limit);

  List blocks_;
  List freeBlocks_;
  int32_t readOffset_ = 0;
  int32_t queued_ = 0;
  int32_t blockSize_ = kBlockSize;
  int32_t freeLimit_ = -1;
};
