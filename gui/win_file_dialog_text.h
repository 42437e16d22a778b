// The texts the editor's file dialog and folder queries are built from, without the dialogs:
// the filter of an extension list, its default extension, the folder of a module's path, and
// the bounded copies into the dialog's fixed buffers. [UI thread; the filter allocates]
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/grow_buffer.h"

// Characters of the dialog's file and folder buffers, terminator included.
constexpr int32_t kFileDialogBufferChars = 256;

// The dialog filter for a blank-separated extension list: every blank starts a new pattern,
// each extension x becomes *.x, and the patterns joined by ';' are both the description and
// the pattern ("wav aif" gives "*.wav;*.aif\0*.wav;*.aif\0\0"; two blanks in a row give an
// empty "*." between them). An empty or null list gives no filter (size 0). False when the
// buffer cannot grow.
bool BuildFileDialogFilter(const char* extensions, GrowBuffer* out);

// The first extension of the list (the text before its first blank), cut to capacity - 1.
void FileDialogDefaultExtension(const char* extensions, char* out, size_t capacity);

// The folder of a path: the text up to and including its last backslash; empty when it has
// none.
void FolderOfPath(const char* path, char* out, size_t capacity);
