// Builds without lilv (the Windows benchmark): no Guitarix to compare with.
#include "bench/plugin_guitarix.h"

struct GuitarixAmp::State {};

std::unique_ptr<GuitarixAmp> GuitarixAmp::Load(double, int) { return nullptr; }
GuitarixAmp::GuitarixAmp(std::unique_ptr<State> state) : state_(std::move(state)) {}
GuitarixAmp::~GuitarixAmp() = default;
void GuitarixAmp::Process(const float*, float*, int) {}
