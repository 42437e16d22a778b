// AAX_CParameterTable: the effect's host-visible parameters, owned, in the order they were
// added, found by identifier through an ordered index (byte order) or by position. Every
// parameter added is handed the table's automation delegate. Filled while the host initialises
// the effect and read afterwards, so no lock. Adding allocates.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "aax/aax_parameter.h"

class AAX_CParameterTable {
 public:
  AAX_CParameterTable() = default;
  AAX_CParameterTable(const AAX_CParameterTable&) = delete;
  AAX_CParameterTable& operator=(const AAX_CParameterTable&) = delete;
  ~AAX_CParameterTable() { RemoveAllParameters(); }

  // The delegate given to parameters added from now on (not owned; null detaches none).
  void SetAutomationDelegate(AAX_IAutomationDelegate* delegate) { automation_ = delegate; }
  // Takes ownership and returns true; a null parameter or one whose identifier is already in
  // the table is refused (false) and stays the caller's.
  bool AddParameter(AAX_IParameter* parameter);
  // Deletes the parameters in the order they were added.
  void RemoveAllParameters();

  int32_t NumParameters() const { return static_cast<int32_t>(parameters_.size()); }
  AAX_IParameter* GetParameterByID(const char* id) const;
  AAX_IParameter* GetParameterAt(int32_t index) const;  // null out of range
  int32_t GetParameterIndex(const char* id) const;       // -1 when absent or null

 private:
  AAX_IAutomationDelegate* automation_ = nullptr;
  std::vector<std::unique_ptr<AAX_IParameter>> parameters_;
  std::map<std::string, AAX_IParameter*, std::less<>> index_;  // found without a copy of the key
};
