#include "gui/win_file_dialog_text.h"

#include <cstring>

#include "core/text.h"

namespace {
// Appends bytes to the buffer; false when it cannot grow.
bool Append(GrowBuffer* out, const char* bytes, int32_t count) {
  int32_t old = out->GetSize();
  if (count > INT32_MAX - old) return false;
  out->Resize(old + count, false);
  if (out->GetSize() != old + count) return false;
  std::memcpy(out->GetAs<char>() + old, bytes, static_cast<size_t>(count));
  return true;
}

// "*.x;*.y" for the list, without terminator.
bool AppendPatterns(const char* extensions, GrowBuffer* out) {
  const char* start = extensions;
  for (;;) {
    const char* blank = std::strchr(start, ' ');
    size_t length = blank ? static_cast<size_t>(blank - start) : std::strlen(start);
    if (length > INT32_MAX / 2) return false;
    if (!Append(out, "*.", 2) || !Append(out, start, static_cast<int32_t>(length))) return false;
    if (!blank) return true;
    if (!Append(out, ";", 1)) return false;
    start = blank + 1;
  }
}
}  // namespace

bool BuildFileDialogFilter(const char* extensions, GrowBuffer* out) {
  if (!out) return false;
  out->Resize(0);
  if (!extensions || !extensions[0]) return true;
  GrowBuffer patterns(256);
  bool built = AppendPatterns(extensions, &patterns) && Append(&patterns, "", 1);
  // description, terminator, pattern, terminator, and the list's closing terminator
  built = built && Append(out, patterns.GetAs<char>(), patterns.GetSize()) &&
          Append(out, patterns.GetAs<char>(), patterns.GetSize()) && Append(out, "", 1);
  if (!built) out->Resize(0);
  return built;
}

void FileDialogDefaultExtension(const char* extensions, char* out, size_t capacity) {
  if (!out || capacity == 0) return;
  out[0] = 0;
  if (!extensions) return;
  size_t length = std::strcspn(extensions, " ");
  if (length > capacity - 1) length = capacity - 1;
  std::memcpy(out, extensions, length);
  out[length] = 0;
}

void FolderOfPath(const char* path, char* out, size_t capacity) {
  if (!out || capacity == 0) return;
  out[0] = 0;
  if (!path) return;
  const char* last = std::strrchr(path, '\\');
  if (!last) return;
  size_t length = static_cast<size_t>(last - path) + 1;
  if (length > capacity - 1) length = capacity - 1;
  std::memcpy(out, path, length);
  out[length] = 0;
}
