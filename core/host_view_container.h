// The host's view container as the editor sees it. Only the AAX host has one: its wrapper
// (AAX_VViewContainer) implements this, so the editor needs nothing of the AAX library.
// Host-owned; the editor keeps a plain pointer, null outside AAX. Called on the UI thread.
#pragma once

#include <cstdint>

class IHostViewContainer {
 public:
  // Writes the host's modifier-key bits; the result is the host's (0 on success).
  virtual int32_t GetModifiers(uint32_t* modifiers) = 0;
  // 0 means the host took the click and the editor does nothing more with it.
  virtual int32_t HandleParameterMouseDown(const char* paramId, uint32_t modifiers) = 0;

 protected:
  ~IHostViewContainer() = default;
};
