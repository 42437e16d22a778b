#include "core/module_instance.h"

namespace {
void* gModuleInstance = nullptr;
}

void SetModuleInstance(void* instance) { gModuleInstance = instance; }
void* ModuleInstance() { return gModuleInstance; }
