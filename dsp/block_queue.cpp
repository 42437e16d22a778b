#include "dsp/block_queue.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/heap.h"

namespace {

BlockQueue::Block* AllocateBlock(int32_t capacity) {
  void* memory = heap::Allocate(sizeof(BlockQueue::Block) + static_cast<size_t>(capacity));
  if (!memory) return nullptr;
  auto* block = static_cast<BlockQueue::Block*>(memory);
  block->capacity = capacity;
  block->used = 0;
  return block;
}

}  // namespace

BlockQueue::Block* BlockQueue::List::Get(int32_t index) const {
  if (index < 0 || index >= Size()) return nullptr;
  return entries_.GetAs<Block*>()[index];
}

bool BlockQueue::List::PushBack(Block* block) {
  const int32_t bytes = (Size() + 1) * static_cast<int32_t>(sizeof(Block*));
  entries_.Resize(bytes, false);
  if (entries_.GetSize() != bytes) return false;
  entries_.GetAs<Block*>()[Size() - 1] = block;
  return true;
}

BlockQueue::Block* BlockQueue::List::PopBack() {
  const int32_t count = Size();
  if (count == 0) return nullptr;
  Block* block = Get(count - 1);
  entries_.Resize((count - 1) * static_cast<int32_t>(sizeof(Block*)), false);
  return block;
}

BlockQueue::Block* BlockQueue::List::PopFront() {
  const int32_t count = Size();
  if (count == 0) return nullptr;
  Block** entries = entries_.GetAs<Block*>();
  Block* block = entries[0];
  std::memmove(entries, entries + 1, sizeof(Block*) * static_cast<size_t>(count - 1));
  entries_.Resize((count - 1) * static_cast<int32_t>(sizeof(Block*)), false);
  return block;
}

BlockQueue::~BlockQueue() {
  while (Block* block = blocks_.PopBack()) heap::Free(block);
  while (Block* block = freeBlocks_.PopBack()) heap::Free(block);
}

BlockQueue::Block* BlockQueue::StartBlock(int32_t bytes) {
  Block* block = freeBlocks_.PopBack();
  if (block && block->capacity < bytes) {
    heap::Free(block);
    block = nullptr;
  }
  if (!block) block = AllocateBlock(std::max(blockSize_, bytes));
  if (!block) return nullptr;
  block->used = 0;
  if (!blocks_.PushBack(block)) {
    Recycle(block, freeLimit_);
    return nullptr;
  }
  return block;
}

void BlockQueue::AddToNewBlock(const void* source, int32_t bytes) {
  if (bytes <= 0 || bytes > INT32_MAX - queued_) return;
  if (Block* block = StartBlock(bytes)) Append(block, source, bytes);
}

void BlockQueue::Reserve(int32_t spareBlocks, int32_t capacity) {
  while (freeBlocks_.Size() < spareBlocks) {
    Block* block = AllocateBlock(std::max(blockSize_, capacity));
    if (!block) return;
    if (!freeBlocks_.PushBack(block)) {
      heap::Free(block);
      return;
    }
  }
}

void BlockQueue::Recycle(Block* block, int32_t limit) {
  if ((limit < 0 || freeBlocks_.Size() < limit) && freeBlocks_.PushBack(block)) return;
  heap::Free(block);
}

int32_t BlockQueue::Clear(int32_t limit) {
  if (limit < 0) limit = freeLimit_;
  while (Block* block = blocks_.PopBack()) Recycle(block, limit);
  readOffset_ = 0;
  queued_ = 0;
  return limit;
}

void BlockQueue::Advance(int32_t bytes) {
  readOffset_ += bytes;
  queued_ = std::max(0, queued_ - bytes);
  while (Block* first = blocks_.Get(0)) {
    if (readOffset_ < first->used) break;
    readOffset_ -= first->used;
    Recycle(blocks_.PopFront(), freeLimit_);
  }
  if (blocks_.Size() == 0 || readOffset_ < 0) readOffset_ = 0;
}

int32_t BlockQueue::GetToBuffer(int32_t offset, void* destination, int32_t bytes) const {
  char* out = static_cast<char*>(destination);
  int32_t copied = 0;
  int32_t skip = readOffset_ + std::max(0, offset);
  for (int32_t i = 0; i < blocks_.Size() && copied < bytes; ++i) {
    Block* block = blocks_.Get(i);
    if (skip >= block->used) {
      skip -= block->used;
      continue;
    }
    const int32_t take = std::min(block->used - skip, bytes - copied);
    std::memcpy(out + copied, block->Data() + skip, static_cast<size_t>(take));
    copied += take;
    skip = 0;
  }
  return copied;
}

bool BlockQueue::DiffersFrom(const float* floats, int32_t bytes) const {
  if (bytes <= 0) return false;
  if (queued_ < bytes) return true;
  int32_t skip = readOffset_;
  int32_t compared = 0;
  const int32_t count = bytes / 4;
  for (int32_t i = 0; i < blocks_.Size() && compared < count; ++i) {
    Block* block = blocks_.Get(i);
    if (skip >= block->used) {
      skip -= block->used;
      continue;
    }
    const int32_t available = std::min((block->used - skip) / 4, count - compared);
    const char* data = block->Data() + skip;
    for (int32_t k = 0; k < available; ++k, ++compared) {
      float queuedValue;
      std::memcpy(&queuedValue, data + 4 * k, sizeof queuedValue);
      // Written so that a NaN on either side differs: sharing must not hand one channel's
      // samples to a channel whose own sample is a NaN, or the reverse.
      if (!(std::fabs(queuedValue - floats[compared]) <= 1e-7)) return true;
    }
    skip = 0;
  }
  return false;
}
