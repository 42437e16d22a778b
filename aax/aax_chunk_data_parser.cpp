#include "aax/aax_chunk_data_parser.h"

#include <cstring>

#include "aax/aax_host_services.h"

namespace {

constexpr uint32_t kMagic = 0x01010101;

int64_t RoundUp4(int64_t n) { return (n + 3) & ~int64_t{3}; }

// Big-endian by explicit shifts: this format is not the plug-in's little-endian state.
void PutBig(unsigned char* at, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<unsigned char>(value >> (8 * (bytes - 1 - i)));
}

uint64_t GetBig(const unsigned char* at, int bytes) {
  uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value = (value << 8) | at[i];
  return value;
}

const char* Prefix(int32_t type) {
  switch (type) {
    case AAX_CChunkDataParser::kFloat: return "f_";
    case AAX_CChunkDataParser::kInt32: return "l_";
    case AAX_CChunkDataParser::kDouble: return "d_";
    case AAX_CChunkDataParser::kInt16: return "s_";
    case AAX_CChunkDataParser::kText: return "r_";
    default: return nullptr;  // an unknown entry keeps two zero bytes
  }
}

// Bytes of an entry's value as laid out after its padded name.
int64_t ValueBytes(const AAX_CChunkDataParser::Entry& e) {
  switch (e.type) {
    case AAX_CChunkDataParser::kDouble: return 8;
    case AAX_CChunkDataParser::kFloat:
    case AAX_CChunkDataParser::kInt32:
    case AAX_CChunkDataParser::kInt16: return 4;
    case AAX_CChunkDataParser::kText: return RoundUp4(static_cast<int64_t>(e.text.size()) + 1);
    default: return 0;
  }
}

// The length of the NUL-terminated bytes at `from`, looking no further than `end`; -1 when
// there is no NUL before it.
int64_t TerminatedLength(const unsigned char* data, int64_t from, int64_t end) {
  const void* nul = std::memchr(data + from, 0, static_cast<size_t>(end - from));
  return nul ? static_cast<const unsigned char*>(nul) - (data + from) : -1;
}

}  // namespace

void AAX_CChunkDataParser::AddDouble(const char* name, double value) {
  Entry e;
  e.type = kDouble;
  e.name = name ? name : "";
  std::memcpy(&e.bits, &value, sizeof value);
  entries_.push_back(std::move(e));
}

void AAX_CChunkDataParser::AddInt32(const char* name, int32_t value) {
  Entry e;
  e.type = kInt32;
  e.name = name ? name : "";
  e.bits = static_cast<uint32_t>(value);
  entries_.push_back(std::move(e));
}

void AAX_CChunkDataParser::AddString(const char* name, const AAX_CString& text) {
  Entry e;
  e.type = kText;
  e.name = name ? name : "";
  e.text = text.Get();
  entries_.push_back(std::move(e));
}

bool AAX_CChunkDataParser::FindDouble(const char* name, double* out) {
  int32_t i = FindEntry(name);
  if (i < 0 || entries_[i].type != kDouble || !out) return false;
  std::memcpy(out, &entries_[i].bits, sizeof *out);
  return true;
}

bool AAX_CChunkDataParser::FindInt32(const char* name, int32_t* out) {
  int32_t i = FindEntry(name);
  if (i < 0 || entries_[i].type != kInt32 || !out) return false;
  *out = static_cast<int32_t>(static_cast<uint32_t>(entries_[i].bits));
  return true;
}

bool AAX_CChunkDataParser::FindString(const char* name, AAX_IString* out) {
  int32_t i = FindEntry(name);
  if (i < 0 || entries_[i].type != kText || !out) return false;
  out->Set(entries_[i].text.c_str());
  return true;
}

int32_t AAX_CChunkDataParser::FindEntry(const char* name) {
  if (!name) name = "";
  const int32_t count = static_cast<int32_t>(entries_.size());
  const int32_t start = cursor_ < count - 1 ? cursor_ : -1;
  for (int32_t i = start + 1; i < count; ++i) {
    if (std::strcmp(entries_[i].name.c_str(), name) == 0) return cursor_ = i;
  }
  for (int32_t i = 0; i <= start; ++i) {
    if (std::strcmp(entries_[i].name.c_str(), name) == 0) return cursor_ = i;
  }
  cursor_ = start;
  return -1;
}

void AAX_CChunkDataParser::Clear() {
  cursor_ = -1;
  version_ = -1;
  entries_.clear();
}

int32_t AAX_CChunkDataParser::GetChunkDataSize() const {
  int64_t size = 4;
  for (const Entry& e : entries_) {
    if (e.type == kUnknown) continue;
    size += RoundUp4(static_cast<int64_t>(e.name.size()) + 3) + ValueBytes(e);
  }
  return size > INT32_MAX ? -1 : static_cast<int32_t>(size);
}

int32_t AAX_CChunkDataParser::GetChunkData(AAX_SStateChunk* chunk) const {
  if (!chunk) return kOverflow;
  const int32_t size = GetChunkDataSize();
  chunk->size = size;
  if (size < 1) return size;
  unsigned char* data = chunk->Data();
  std::memset(data, 0, static_cast<size_t>(size));
  PutBig(data, kMagic, 4);
  int64_t position = 4;
  for (const Entry& e : entries_) {
    // The entry's whole extent, padding included: an unknown entry, which the size leaves out,
    // must not push a later one past the end of the host's record.
    const int64_t value_at = RoundUp4(position + 2 + static_cast<int64_t>(e.name.size()) + 1);
    if (value_at + ValueBytes(e) > size) {
      AAX_TraceToHost(kTracePriority, "AAX_CChunkDataParser::GetChunkData ERROR: %s",
                      "aborting: chunk data will overflow buffer");
      return kOverflow;
    }
    if (const char* prefix = Prefix(e.type)) std::memcpy(data + position, prefix, 2);
    std::memcpy(data + position + 2, e.name.data(), e.name.size());
    position = value_at;
    switch (e.type) {
      case kDouble: PutBig(data + position, e.bits, 8); break;
      case kFloat:
      case kInt32: PutBig(data + position, e.bits & 0xFFFFFFFFu, 4); break;
      case kInt16: PutBig(data + position, e.bits & 0xFFFFu, 2); break;
      case kText: std::memcpy(data + position, e.text.data(), e.text.size()); break;
      default: break;
    }
    position += ValueBytes(e);
  }
  return 0;
}

bool AAX_CChunkDataParser::LoadChunk(const AAX_SStateChunk* chunk) {
  if (!chunk) return false;
  std::vector<Entry> read;
  const int64_t size = chunk->size;
  const unsigned char* data = chunk->Data();
  if (size >= 5 && GetBig(data, 4) == kMagic) {
    int64_t position = 4;
    while (position < size) {
      Entry e;
      const int64_t name_end = position + kMaxPrefixedName < size ? position + kMaxPrefixedName : size;
      const int64_t length = TerminatedLength(data, position, name_end);
      if (length < 0) return false;
      const unsigned char kind = data[position];
      if (length > 2) e.name.assign(reinterpret_cast<const char*>(data + position + 2), static_cast<size_t>(length - 2));
      position = RoundUp4(position + length + 1);
      const int64_t left = size - position;
      switch (kind) {
        case 'd':
          if (left < 8) return false;
          e.type = kDouble;
          e.bits = GetBig(data + position, 8);
          position += 8;
          break;
        case 'f':
        case 'l':
          if (left < 4) return false;
          e.type = kind == 'f' ? kFloat : kInt32;
          e.bits = GetBig(data + position, 4);
          position += 4;
          break;
        case 's':
          if (left < 2) return false;
          e.type = kInt16;
          e.bits = GetBig(data + position, 2);
          position += 4;
          break;
        case 'r': {
          const int64_t text = left > 0 ? TerminatedLength(data, position, size) : -1;
          if (text < 0) return false;
          e.type = kText;
          e.text.assign(reinterpret_cast<const char*>(data + position), static_cast<size_t>(text));
          position = RoundUp4(position + text + 1);
          break;
        }
        default:
          break;
      }
      read.push_back(std::move(e));
    }
  }
  cursor_ = -1;
  version_ = chunk->version;
  entries_ = std::move(read);
  return true;
}
