#include "tests/aax/stub_description.h"

#include <stdexcept>

#include "aax/acf_exports.h"
#include "tests/aax/test_effect.h"

namespace aax_stub {

Mode gMode = Mode::kDescribe;
AAX_Result gCode = 0;

// A creation procedure hands the host the host-facing interface with no reference counted.
void* CreateEffect() { return static_cast<AAX_IACFEffectParameters_V2*>(new aax_test::TestEffect); }
void* CreateGui() { return static_cast<AAX_IACFEffectGUI*>(new aax_test::TestGui); }
void* CreateThrowingEffect() {
  auto* e = new aax_test::TestEffect;
  e->throwInInit = true;
  return static_cast<AAX_IACFEffectParameters_V2*>(e);
}

}  // namespace aax_stub

AAX_Result DescribePlugIn(AAX_ICollection* collection) {
  using aax_stub::Mode;
  switch (aax_stub::gMode) {
    case Mode::kReturnCode: return aax_stub::gCode;
    case Mode::kThrow: throw std::runtime_error("description failed");
    case Mode::kNothing: return 0;
    case Mode::kDescribe: break;
  }
  AAX_IEffectDescriptor* effect = collection->NewDescriptor();
  if (!effect) return kAaxNoHostObject;
  AAX_Result r = effect->AddName("Test effect");
  r |= effect->AddProcPtr(reinterpret_cast<void*>(&aax_stub::CreateEffect), 0);
  r |= effect->AddProcPtr(reinterpret_cast<void*>(&aax_stub::CreateGui), 1);
  r |= effect->AddProcPtr(reinterpret_cast<void*>(&aax_stub::CreateThrowingEffect), 2);
  r |= collection->AddEffect("com.kavrotel.test.effect", effect);
  r |= collection->SetManufacturerName("Kavrotel tests");
  return r;
}
