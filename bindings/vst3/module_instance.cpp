#include "bindings/vst3/module_instance.h"

namespace {
void* gModuleInstance = nullptr;
}

void SetModuleInstance(void* instance) { gModuleInstance = instance; }
void* ModuleInstance() { return gModuleInstance; }
