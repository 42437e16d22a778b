// The description a test plug-in file gives the host: one effect, "com.kavrotel.test.effect",
// with creation procedures 0 (the test effect) and 1 (the test editor). Natively the tests can
// make it fail instead. Test code only.
#pragma once

#include "platform/aax/aax_host_abi.h"

namespace aax_stub {

enum class Mode { kDescribe, kReturnCode, kThrow, kNothing };
extern Mode gMode;
extern AAX_Result gCode;

void* CreateEffect();
void* CreateGui();

}  // namespace aax_stub
