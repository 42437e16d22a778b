// Where the raw test finds the effect's entry: the shipped DLL under Wine, or natively the same
// code linked in. Plain names and pointers only, so the test includes nothing of the layer.
#pragma once

namespace raw_entry {
bool Load();             // false when the module cannot be loaded
const char* Describe();  // what was loaded, or why not
void* Symbol(const char* name);
void Unload();
}  // namespace raw_entry
