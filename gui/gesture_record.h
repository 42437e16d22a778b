// GestureRecord: the one gesture the editor has open with the host, so that every begin gets
// exactly one end and no end is sent without its begin (a click the host took, a double-click's
// second mouse-up, a popup menu that swallowed the mouse-up). [UI thread; no allocation]
#pragma once

#include <cstdint>

#include "core/iplug_base.h"

class GestureRecord {
 public:
  // Opens a gesture for paramIdx; one still open for another parameter is ended first.
  void Begin(IPlugBase* plug, int32_t paramIdx) {
    if (!plug || paramIdx < 0 || open_ == paramIdx) return;
    End(plug);
    plug->BeginParamGesture(paramIdx);
    open_ = paramIdx;
  }
  // Ends the open gesture, if any.
  void End(IPlugBase* plug) {
    if (open_ < 0) return;
    const int32_t paramIdx = open_;
    open_ = -1;
    if (plug) plug->EndParamGesture(paramIdx);
  }
  bool IsOpen() const { return open_ >= 0; }
  int32_t OpenParam() const { return open_; }

 private:
  int32_t open_ = -1;
};
