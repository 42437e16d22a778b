#include "core/state_chunk.h"

#include <cstring>

void IStateChunk::EncodeDouble(double value, uint8_t* bytes) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof(bits));
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
}

double IStateChunk::DecodeDouble(const uint8_t* bytes) {
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(bytes[i]) << (8 * i);
  double value;
  std::memcpy(&value, &bits, sizeof(value));
  return value;
}

void IStateChunk::EncodeInt32(int32_t value, uint8_t* bytes) {
  uint32_t bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
}

int32_t IStateChunk::DecodeInt32(const uint8_t* bytes) {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(bytes[i]) << (8 * i);
  return static_cast<int32_t>(bits);
}

uint8_t* IStateChunk::Extend(int32_t count) {
  int32_t old = Size();
  if (count < 0 || count > INT32_MAX - old) return nullptr;
  buffer_.Resize(old + count, true);
  if (buffer_.GetSize() != old + count) return nullptr;
  return count > 0 ? Data() + old : Data();
}

bool IStateChunk::Reserve(int32_t count) {
  if (count == 0) return true;
  if (!Extend(count)) return false;
  buffer_.Resize(Size() - count, false);  // without shrinking: the allocation stays
  return true;
}

bool IStateChunk::PutBytes(const void* bytes, int32_t count) {
  if (count == 0) return true;
  if (!bytes) return false;
  uint8_t* at = Extend(count);
  if (!at) return false;
  std::memcpy(at, bytes, static_cast<size_t>(count));
  return true;
}

bool IStateChunk::PutInt32(int32_t value) {
  uint8_t* at = Extend(4);
  if (!at) return false;
  EncodeInt32(value, at);
  return true;
}

bool IStateChunk::PutDouble(double value) {
  uint8_t* at = Extend(8);
  if (!at) return false;
  EncodeDouble(value, at);
  return true;
}

int32_t IStateChunk::GetBytes(void* bytes, int32_t count, int32_t position) const {
  if (position < 0 || count < 0 || count > Size() - position) return -1;
  if (count > 0) std::memcpy(bytes, Data() + position, static_cast<size_t>(count));
  return position + count;
}

int32_t IStateChunk::GetInt32(int32_t* value, int32_t position) const {
  if (position < 0 || 4 > Size() - position) return -1;
  *value = DecodeInt32(Data() + position);
  return position + 4;
}

int32_t IStateChunk::GetDouble(double* value, int32_t position) const {
  if (position < 0 || 8 > Size() - position) return -1;
  *value = DecodeDouble(Data() + position);
  return position + 8;
}
