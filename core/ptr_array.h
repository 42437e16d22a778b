// PtrArray: a growable list of object pointers on a GrowBuffer of granularity 4096. It does not
// own its entries; owners that do call DeleteAll. Reads outside the list give null. Not locked:
// the owner guards it. Adding and inserting may allocate; reading never does.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/grow_buffer.h"

template <class T>
class PtrArray {
 public:
  PtrArray() : buffer_(4096) {}

  int32_t GetSize() const { return buffer_.GetSize() / static_cast<int32_t>(sizeof(T*)); }

  T* Get(int32_t index) const {
    T** entries = buffer_.GetAs<T*>();
    if (!entries || index < 0 || index >= GetSize()) return nullptr;
    return entries[index];
  }

  // Appends; null (and nothing changed) when the list cannot grow.
  T* Add(T* item) { return Insert(GetSize(), item); }

  // Inserts at the index clamped to 0..count; null (and nothing changed) when it cannot grow.
  T* Insert(int32_t index, T* item) {
    int32_t count = GetSize();
    if (!Grow(count + 1)) return nullptr;
    if (index < 0) index = 0;
    if (index > count) index = count;
    T** entries = buffer_.GetAs<T*>();
    std::memmove(entries + index + 1, entries + index, sizeof(T*) * static_cast<size_t>(count - index));
    entries[index] = item;
    return item;
  }

  // For owners: deletes entry index and moves the later entries down; nothing outside the list.
  void DeleteOwnedString(int32_t index) {
    int32_t count = GetSize();
    if (index < 0 || index >= count) return;
    T** entries = buffer_.GetAs<T*>();
    delete entries[index];
    std::memmove(entries + index, entries + index + 1, sizeof(T*) * static_cast<size_t>(count - index - 1));
    buffer_.Resize((count - 1) * static_cast<int32_t>(sizeof(T*)), false);
  }

  // For owners: deletes the entries from the last to the first, shrinking the list as it goes.
  void DeleteAll() {
    for (int32_t i = GetSize() - 1; i >= 0; --i) {
      delete Get(i);
      buffer_.Resize(i * static_cast<int32_t>(sizeof(T*)), false);
    }
    buffer_.Resize(0);
  }

 private:
  bool Grow(int32_t count) {
    if (count > INT32_MAX / static_cast<int32_t>(sizeof(T*))) return false;
    int32_t bytes = count * static_cast<int32_t>(sizeof(T*));
    buffer_.Resize(bytes, false);
    return buffer_.GetSize() == bytes;
  }

  GrowBuffer buffer_;
};
