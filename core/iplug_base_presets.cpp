// IPlugBase: presets, the 8-byte chunk header and the bank of all presets. A bank entry is
// int32 name length, the name's bytes, a byte "initialised", then (when initialised) the
// preset's state bytes.
#include <cstdio>
#include <cstring>

#include "core/iplug_base.h"
#include "core/text.h"
#include "core/trace.h"

namespace {
constexpr int32_t kChunkMagic = 0x70666674;  // "tffp" in little-endian bytes
constexpr int32_t kChunkVersion = 0x00010000;
constexpr char kUserPreset[] = "user preset";
}  // namespace

int32_t IPlugBase::CountPresetsNamed(const char* text) const {
  int32_t count = 0;
  for (int32_t i = 0; i < GetPresetCount(); ++i) {
    if (std::strstr(GetPreset(i)->name, text)) ++count;
  }
  return count;
}

void IPlugBase::MakeUserPresetName(char* out) const {
  std::snprintf(out, IPreset::kNameCapacity, "%s %d", kUserPreset, 1 + CountPresetsNamed(kUserPreset));
}

const char* IPlugBase::GetPresetName(int32_t index) const {
  const IPreset* preset = GetPreset(index);
  return preset ? preset->name : "";
}

bool IPlugBase::ApplyPreset(int32_t index) {
  TRACE_OP("IPlugBase::ApplyPreset");
  IPreset* preset = GetPreset(index);
  if (!preset) return false;
  bool ok;
  if (preset->initialized) {
    ok = ReadState(preset->chunk, 0) > 0;
  } else {
    // A state that could not be written whole is not kept, and the preset keeps its name.
    char name[IPreset::kNameCapacity];
    MakeUserPresetName(name);
    preset->chunk.Clear();
    ok = WriteState(preset->chunk);
    if (ok) {
      preset->initialized = true;
      CopyText(preset->name, sizeof(preset->name), name);
    } else {
      preset->chunk.Clear();
    }
  }
  if (ok) {
    SetCurrentPresetIndex(index);
    OnHostPresetChange();
    RefreshParamControls();
  }
  return ok;
}

void IPlugBase::FillEmptyPresets(int32_t count) {
  TRACE_OP("IPlugBase::FillEmptyPresets");
  for (int32_t n = 0; n < count; ++n) {
    IPreset* empty = nullptr;
    for (int32_t i = 0; i < GetPresetCount() && !empty; ++i) {
      if (!GetPreset(i)->initialized) empty = GetPreset(i);
    }
    if (!empty) return;
    empty->initialized = true;
    CopyText(empty->name, sizeof(empty->name), "Empty");
    empty->chunk.Clear();
    WriteState(empty->chunk);
  }
}

void IPlugBase::StoreCurrentPreset(const char* name) {
  TRACE_OP("IPlugBase::StoreCurrentPreset");
  IPreset* preset = GetPreset(GetCurrentPresetIndex());
  if (!preset) return;
  preset->chunk.Clear();
  WriteState(preset->chunk);
  if (name && name[0]) CopyText(preset->name, sizeof(preset->name), name);
}

bool IPlugBase::WriteChunkHeader(IStateChunk& chunk) const {
  chunk.Clear();
  return chunk.PutInt32(kChunkMagic) && chunk.PutInt32(kChunkVersion);
}

int32_t IPlugBase::ReadChunkHeader(const IStateChunk& chunk, int32_t* position) const {
  int32_t magic = 0;
  int32_t at = chunk.GetInt32(&magic, *position);
  if (at < 0 || magic != kChunkMagic) return 0;
  int32_t version = 0;
  at = chunk.GetInt32(&version, at);
  *position = at;
  return at < 0 ? 0 : version;
}

bool IPlugBase::WriteAllPresets(IStateChunk& chunk) {
  TRACE_OP("IPlugBase::WriteAllPresets");
  bool ok = true;
  for (int32_t i = 0; i < GetPresetCount() && ok; ++i) {
    const IPreset* preset = GetPreset(i);
    int32_t length = static_cast<int32_t>(std::strlen(preset->name));
    uint8_t initialized = preset->initialized ? 1 : 0;
    // Every append is checked: a chunk that stopped growing must not report success.
    ok = chunk.PutInt32(length) && chunk.PutBytes(preset->name, length) && chunk.PutBytes(&initialized, 1);
    if (ok && preset->initialized) ok = chunk.PutBytes(preset->chunk.Data(), preset->chunk.Size());
  }
  return ok;
}

int32_t IPlugBase::ReadAllPresets(const IStateChunk& chunk, int32_t position) {
  TRACE_OP("IPlugBase::ReadAllPresets");
  for (int32_t i = 0; i < GetPresetCount() && position != -1; ++i) {
    IPreset* preset = GetPreset(i);
    int32_t length = 0;
    position = chunk.GetInt32(&length, position);
    if (position < 0 || length < 0 || length > chunk.Size() - position) {
      position = -1;
      break;
    }
    int32_t kept = length < IPreset::kNameCapacity ? length : IPreset::kNameCapacity - 1;
    if (kept > 0) std::memcpy(preset->name, chunk.Data() + position, static_cast<size_t>(kept));
    preset->name[kept] = 0;
    position += length;

    uint8_t initialized = 0;
    position = chunk.GetBytes(&initialized, 1, position);
    if (position < 0) break;
    if (!initialized) {
      preset->initialized = false;
      continue;
    }
    position = ReadState(chunk, position);
    // A state cut short is not this preset's: it keeps its flag and the state it held.
    if (position <= 0) {
      position = -1;
      break;
    }
    preset->initialized = true;
    preset->chunk.Clear();
    WriteState(preset->chunk);
  }
  ApplyPreset(GetCurrentPresetIndex());
  return position;
}
