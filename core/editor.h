// The editor as the plug-in base, the amplifier and the bindings see it: the few operations
// they call on it. The full editor (IGraphics and its controls) implements these; until a
// plug-in has one, its editor is null and every caller checks for that first.
//
// SetControlValue, GetControl with SetHidden, and UpdateParameterControls may be called from
// the audio thread while the editor draws on the UI thread: they store plain values and flags
// (no lock, no allocation) that the editor's timer picks up on its next tick.
#pragma once

#include <cstdint>

#include "core/host_view_container.h"

class IEditorControl {
 public:
  // Stores the flag and marks the control dirty; a hidden control is neither drawn nor hit.
  virtual void SetHidden(bool hidden) = 0;

 protected:
  ~IEditorControl() = default;
};

class IEditor {
 public:
  virtual ~IEditor() = default;

  // Shows the value on every control bound to the parameter (a plain value is normalised
  // through the parameter first). The controls do not call the plug-in back.
  virtual void UpdateParameterControls(int32_t paramIdx, double value, bool isNormalized) = 0;
  // An index outside the control list does nothing.
  virtual void SetControlValue(int32_t controlIdx, double normalizedValue) = 0;
  // Null outside the control list.
  virtual IEditorControl* GetControl(int32_t controlIdx) = 0;
  // Creates the off-screen drawing bitmaps at the editor's size (once, on attach).
  virtual void CreateDrawBitmaps() = 0;

  // Opens the editor as a child of the host's window; returns its window handle, or null.
  virtual void* OpenWindow(void* parentWindow) = 0;
  // Closes the window; nothing when none is open.
  virtual void CloseWindow() = 0;

  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;

  // AAX only: the host's view container (not owned), stored before the window opens.
  virtual void SetViewContainer(IHostViewContainer* container) = 0;
};
