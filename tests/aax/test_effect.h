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
#include "aax/aax_taper_delegates.h"

namespace aax_test {

class LinearTaper final : public AAX_ITaperDelegate<double> {
 public:
  LinearTaper(double lo, double hi) : lo_(lo), hi_(hi) {}
  LinearTaper* Clone() const override { return new LinearTaper(*this); }
  double GetMaximumValue() const override { return hi_; }
  double GetMinimumValue() const override { return lo_; }
  double ConstrainRealValue(double v) const override { return v > hi_ ? hi_ : (v < lo_ ? lo_ : v); }
  double NormalizedToReal(double x) const override { return ConstrainRealValue(lo_ + (hi_ - lo_) * x); }
  double RealToNormalized(double v) const override { return (ConstrainRealValue(v) - lo_) / (hi_ - lo_); }

 private:
  double lo_, hi_;
};

inline AAX_IParameter* MakeInt(const char* id, int32_t def = 5) {
  return new AAX_CParameter<int32_t>(id, AAX_CString("Int"), def, AAX_CLinearTaperDelegate<int32_t, 0>(0, 10),
                                     AAX_CNumberDisplayDelegate<int32_t, 0, 0>(), true);
}
inline AAX_IParameter* MakeBool(const char* id) {
  return new AAX_CParameter<bool>(id, AAX_CString("Bool"), false, AAX_CBinaryTaperDelegate<bool>(),
                                  AAX_CBinaryDisplayDelegate<bool>("off", "on"), false);
}
inline AAX_IParameter* MakeDouble(const char* id, double def = 25.0) {
  return new AAX_CParameter<double>(id, AAX_CString("Double"), def, LinearTaper(0.0, 100.0),
                                    AAX_CNumberDisplayDelegate<double, 2, 0>(), true);
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
