// ParameterContainer: the controller's host-visible parameters in the order the host lists
// them, found by index or by identifier. Owns them. Built in set-up, read on any thread after.
#pragma once

#include <memory>
#include <vector>

#include "platform/vst3/parameter.h"

namespace Steinberg {
namespace Vst {

class ParameterContainer {
 public:
  // Set-up; takes ownership. Returns the parameter, or null (and frees it) when the list
  // cannot grow or the identifier is taken.
  Parameter* addParameter(std::unique_ptr<Parameter> parameter);
  int32 getParameterCount() const { return static_cast<int32>(parameters_.size()); }
  Parameter* getParameterByIndex(int32 index) const;
  Parameter* getParameter(ParamID id) const;
  void removeAll() { parameters_.clear(); }

 private:
  std::vector<std::unique_ptr<Parameter>> parameters_;
};

}  // namespace Vst
}  // namespace Steinberg
