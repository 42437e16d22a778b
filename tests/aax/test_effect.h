// Small component objects on the library bases for the tests: an effect with an int "n"
// (0..10, 5), a bool "b" and a double "d" (0..100, 25), and an editor that records the calls
// its base makes. Either can be told to throw from the derived hooks. Test code only.
#pragma once

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "aax/aax_display_delegates.h"
#include "aax/aax_effect_gui.h"
#include "aax/aax_effect_parameters.h"
#include "tests/aax/test_parameters.h"

namespace aax_test {

inline AAX_IParameter* MakeInt(const char* id, int32_t def = 5) {
  return MakeIntParameter(id, "Int", def, 0, 10, AAX_CNumberDisplayDelegate<int32_t, 0, 0>()).release();
}
inline AAX_IParameter* MakeBool(const char* id) { return MakeBoolParameter(id, "Bool", "off", "on", false).release(); }
inline AAX_IParameter* MakeDouble(const char* id, double def = 25.0) {
  return MakeDoubleParameter(id, "Double", def, 0.0, 100.0, AAX_CNumberDisplayDelegate<double, 2, 0>()).release();
}

class TestEffect : public AAX_CEffectParameters {
 public:
  static TestEffect* Create() {
    auto* e = new TestEffect;
    e->AddRef();
    return e;
  }
  AAX_Result InitEffect() override {
    ++initEffectCalls;
    if (throwInInit) throw std::bad_alloc();
    if (initResult) return initResult;
    for (AAX_IParameter* p : {MakeInt("n"), MakeBool("b"), MakeDouble("d")}) Parameters().AddParameter(p);
    if (withBypass) Parameters().AddParameter(MakeBool(kMasterBypassID));
    return 0;
  }
  bool Add(AAX_IParameter* p) { return Parameters().AddParameter(p); }
  AAX_IParameter* Find(const char* id) { return Parameters().GetParameterByID(id); }
  AAX_CPacketRouter& Router() { return PacketRouter(); }
  const std::set<std::string>& Excluded() const { return ExcludedIdentifiers(); }

  int initEffectCalls = 0;
  bool throwInInit = false;
  bool withBypass = false;
  AAX_Result initResult = 0;
};

class TestGui : public AAX_CEffectGUI {
 public:
  static TestGui* Create() {
    auto* g = new TestGui;
    g->AddRef();
    return g;
  }
  void CreateViewContents() override {
    calls.push_back("CreateViewContents");
    if (throwInCreate) throw std::bad_alloc();
  }
  void CreateViewContainer() override {
    calls.push_back(std::string("CreateViewContainer") + (GetViewContainer() ? "" : " without container"));
  }
  void DeleteViewContainer() override {
    calls.push_back(std::string("DeleteViewContainer") + (GetViewContainer() ? " with container" : ""));
  }
  AAX_Result ParameterUpdated(const char* id) override {
    calls.push_back(std::string("ParameterUpdated ") + id);
    return 0;
  }

  std::vector<std::string> calls;
  bool throwInCreate = false;
};

}  // namespace aax_test
