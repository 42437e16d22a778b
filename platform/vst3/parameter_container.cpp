#include "platform/vst3/parameter_container.h"

#include <new>

namespace Steinberg {
namespace Vst {

Parameter* ParameterContainer::addParameter(std::unique_ptr<Parameter> parameter) {
  if (!parameter || getParameter(parameter->getInfo().id)) return nullptr;
  try {
    parameters_.push_back(std::move(parameter));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return parameters_.back().get();
}

Parameter* ParameterContainer::getParameterByIndex(int32 index) const {
  if (index < 0 || index >= getParameterCount()) return nullptr;
  return parameters_[static_cast<size_t>(index)].get();
}

Parameter* ParameterContainer::getParameter(ParamID id) const {
  for (const auto& p : parameters_)
    if (p->getInfo().id == id) return p.get();
  return nullptr;
}

}  // namespace Vst
}  // namespace Steinberg
