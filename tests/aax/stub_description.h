// The description a test plug-in file gives the host: one effect, "com.kavrotel.test.effect",
// with creation procedures 0 (the test effect), 1 (the test editor) and 2 (an effect whose
// InitEffect throws). Natively the tests can make the description fail instead. Test code only.
#pragma once

#include "platform/aax/aax_host_abi.h"

namespace aax_stub {

enum class Mode { kDescribe, kReturnCode, kThrow, kNothing };
extern Mode gMode;
extern AAX_Result gCode;

void* CreateEffect();
void* CreateGui();
void* CreateThrowingEffect();

}  // namespace aax_stub
