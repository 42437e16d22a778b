#include "aax/aax_parameter_table.h"

#include <cstring>

bool AAX_CParameterTable::AddParameter(AAX_IParameter* parameter) {
  if (!parameter) return false;
  const char* id = parameter->Identifier();
  if (index_.find(id) != index_.end()) return false;
  // Room first, so that a failed allocation leaves the parameter with its caller.
  parameters_.reserve(parameters_.size() + 1);
  auto slot = index_.emplace(id, parameter).first;
  try {
    parameters_.emplace_back(parameter);
  } catch (...) {
    index_.erase(slot);
    throw;
  }
  parameter->SetAutomationDelegate(automation_);
  return true;
}

void AAX_CParameterTable::RemoveAllParameters() {
  index_.clear();
  for (auto& p : parameters_) p.reset();
  parameters_.clear();
}

AAX_IParameter* AAX_CParameterTable::GetParameterByID(const char* id) const {
  if (!id) return nullptr;
  auto it = index_.find(id);
  return it == index_.end() ? nullptr : it->second;
}

AAX_IParameter* AAX_CParameterTable::GetParameterAt(int32_t index) const {
  if (index < 0 || index >= NumParameters()) return nullptr;
  return parameters_[static_cast<size_t>(index)].get();
}

int32_t AAX_CParameterTable::GetParameterIndex(const char* id) const {
  if (!id) return -1;
  for (size_t i = 0; i < parameters_.size(); ++i) {
    if (std::strcmp(parameters_[i]->Identifier(), id) == 0) return static_cast<int32_t>(i);
  }
  return -1;
}
