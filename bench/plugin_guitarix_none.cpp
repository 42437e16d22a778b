// The Windows benchmark: no Guitarix to compare with.
#include "bench/plugin_guitarix.h"

struct GuitarixAmp::State {};

bool GuitarixAmp::InThisBuild() { return false; }
std::unique_ptr<GuitarixAmp> GuitarixAmp::Load(double, int, std::string* failure) {
  *failure = "not in the Windows benchmark";
  return nullptr;
}
GuitarixAmp::GuitarixAmp(std::unique_ptr<State> state) : state_(std::move(state)) {}
GuitarixAmp::~GuitarixAmp() = default;
void GuitarixAmp::Process(const float*, float*, int) {}
