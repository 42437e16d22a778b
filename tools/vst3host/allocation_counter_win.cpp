#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "tools/vst3host/allocation_counter.h"

namespace vst3host {

namespace {

std::atomic<long long> calls{0};

// The originals, as the module's import table held them.
void* (*originalMalloc)(size_t);
void* (*originalCalloc)(size_t, size_t);
void* (*originalRealloc)(void*, size_t);
void (*originalFree)(void*);
char* (*originalStrdup)(const char*);
void* (*originalRecalloc)(void*, size_t, size_t);
void* (*originalAlignedMalloc)(size_t, size_t);
void* (*originalAlignedOffsetMalloc)(size_t, size_t, size_t);
void* (*originalAlignedRealloc)(void*, size_t, size_t);
void (*originalAlignedFree)(void*);
LPVOID(WINAPI* originalHeapAlloc)(HANDLE, DWORD, SIZE_T);
LPVOID(WINAPI* originalHeapReAlloc)(HANDLE, DWORD, LPVOID, SIZE_T);
BOOL(WINAPI* originalHeapFree)(HANDLE, DWORD, LPVOID);
HLOCAL(WINAPI* originalLocalAlloc)(UINT, SIZE_T);
HLOCAL(WINAPI* originalLocalFree)(HLOCAL);
HGLOBAL(WINAPI* originalGlobalAlloc)(UINT, SIZE_T);
HGLOBAL(WINAPI* originalGlobalFree)(HGLOBAL);
LPVOID(WINAPI* originalVirtualAlloc)(LPVOID, SIZE_T, DWORD, DWORD);
BOOL(WINAPI* originalVirtualFree)(LPVOID, SIZE_T, DWORD);

template <class Function, class... Args>
auto Counted(Function* original, Args... args) {
  calls.fetch_add(1);
  return (*original)(args...);
}

void* CountMalloc(size_t n) { return Counted(originalMalloc, n); }
void* CountCalloc(size_t n, size_t size) { return Counted(originalCalloc, n, size); }
void* CountRealloc(void* p, size_t n) { return Counted(originalRealloc, p, n); }
void CountFree(void* p) { Counted(originalFree, p); }
char* CountStrdup(const char* s) { return Counted(originalStrdup, s); }
void* CountRecalloc(void* p, size_t n, size_t size) { return Counted(originalRecalloc, p, n, size); }
void* CountAlignedMalloc(size_t n, size_t a) { return Counted(originalAlignedMalloc, n, a); }
void* CountAlignedOffsetMalloc(size_t n, size_t a, size_t o) { return Counted(originalAlignedOffsetMalloc, n, a, o); }
void* CountAlignedRealloc(void* p, size_t n, size_t a) { return Counted(originalAlignedRealloc, p, n, a); }
void CountAlignedFree(void* p) { Counted(originalAlignedFree, p); }
LPVOID WINAPI CountHeapAlloc(HANDLE h, DWORD f, SIZE_T n) { return Counted(originalHeapAlloc, h, f, n); }
LPVOID WINAPI CountHeapReAlloc(HANDLE h, DWORD f, LPVOID p, SIZE_T n) { return Counted(originalHeapReAlloc, h, f, p, n); }
BOOL WINAPI CountHeapFree(HANDLE h, DWORD f, LPVOID p) { return Counted(originalHeapFree, h, f, p); }
HLOCAL WINAPI CountLocalAlloc(UINT f, SIZE_T n) { return Counted(originalLocalAlloc, f, n); }
HLOCAL WINAPI CountLocalFree(HLOCAL p) { return Counted(originalLocalFree, p); }
HGLOBAL WINAPI CountGlobalAlloc(UINT f, SIZE_T n) { return Counted(originalGlobalAlloc, f, n); }
HGLOBAL WINAPI CountGlobalFree(HGLOBAL p) { return Counted(originalGlobalFree, p); }
LPVOID WINAPI CountVirtualAlloc(LPVOID p, SIZE_T n, DWORD t, DWORD f) { return Counted(originalVirtualAlloc, p, n, t, f); }
BOOL WINAPI CountVirtualFree(LPVOID p, SIZE_T n, DWORD t) { return Counted(originalVirtualFree, p, n, t); }

struct Stand {
  const char* name;
  void* stub;
  void** original;
};

template <class Function>
Stand Entry(const char* name, Function* stub, Function** original) {
  return {name, reinterpret_cast<void*>(stub), reinterpret_cast<void**>(original)};
}

const Stand* FindStand(const char* name) {
  static const Stand stands[] = {
      Entry("malloc", CountMalloc, &originalMalloc),
      Entry("calloc", CountCalloc, &originalCalloc),
      Entry("realloc", CountRealloc, &originalRealloc),
      Entry("free", CountFree, &originalFree),
      Entry("_strdup", CountStrdup, &originalStrdup),
      Entry("strdup", CountStrdup, &originalStrdup),
      Entry("_recalloc", CountRecalloc, &originalRecalloc),
      Entry("_aligned_malloc", CountAlignedMalloc, &originalAlignedMalloc),
      Entry("_aligned_offset_malloc", CountAlignedOffsetMalloc, &originalAlignedOffsetMalloc),
      Entry("_aligned_realloc", CountAlignedRealloc, &originalAlignedRealloc),
      Entry("_aligned_free", CountAlignedFree, &originalAlignedFree),
      Entry("HeapAlloc", CountHeapAlloc, &originalHeapAlloc),
      Entry("HeapReAlloc", CountHeapReAlloc, &originalHeapReAlloc),
      Entry("HeapFree", CountHeapFree, &originalHeapFree),
      Entry("LocalAlloc", CountLocalAlloc, &originalLocalAlloc),
      Entry("LocalFree", CountLocalFree, &originalLocalFree),
      Entry("GlobalAlloc", CountGlobalAlloc, &originalGlobalAlloc),
      Entry("GlobalFree", CountGlobalFree, &originalGlobalFree),
      Entry("VirtualAlloc", CountVirtualAlloc, &originalVirtualAlloc),
      Entry("VirtualFree", CountVirtualFree, &originalVirtualFree),
  };
  for (const Stand& stand : stands) {
    if (std::strcmp(stand.name, name) == 0) return &stand;
  }
  return nullptr;
}

// An import-address-table entry: 64 bits in an x86-64 image, 32 in an i386 one.
using Slot = decltype(IMAGE_THUNK_DATA{}.u1.Function);

void WriteSlot(Slot* slot, void* value) {
  DWORD protection = 0;
  if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) return;
  *slot = reinterpret_cast<Slot>(value);
  VirtualProtect(slot, sizeof *slot, protection, &protection);
}

// Visits every import by name of the module: visit(name, address-table slot).
template <class Visit>
void ForEachImport(HMODULE module, Visit visit) {
  auto* base = reinterpret_cast<BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
    const DWORD lookup = d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + lookup);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      visit(reinterpret_cast<const char*>(byName->Name), &slots->u1.Function);
    }
  }
}

HMODULE LoadedModule(const std::string& path) {
  int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
  if (n <= 0) return nullptr;
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, &wide[0], n);
  return GetModuleHandleW(wide.c_str());
}

}  // namespace

std::vector<std::string> AllocationCounter::Hook(const std::string& dllPath) {
  Unhook();
  std::vector<std::string> hooked;
  HMODULE module = LoadedModule(dllPath);
  if (!module) return hooked;
  ForEachImport(module, [&](const char* name, Slot* slot) {
    const Stand* stand = FindStand(name);
    if (!stand) return;
    *stand->original = reinterpret_cast<void*>(*slot);
    WriteSlot(slot, stand->stub);
    hooked.push_back(name);
  });
  module_ = module;
  calls = 0;
  return hooked;
}

void AllocationCounter::Unhook() {
  if (!module_) return;
  ForEachImport(static_cast<HMODULE>(module_), [](const char* name, Slot* slot) {
    if (const Stand* stand = FindStand(name)) WriteSlot(slot, *stand->original);
  });
  module_ = nullptr;
}

long long AllocationCounter::Calls() const { return calls.load(); }

}  // namespace vst3host
