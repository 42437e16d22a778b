#include "tests/vst3/fixture_hooks.h"

#include "tests/support/fake_editor.h"
#include "tests/vst3/fixture_plug.h"

void FixtureAttachEditor() {
  if (gLastFixture) gLastFixture->AttachEditor(new FakeEditor(gLastFixture));
}

void FixtureCallHost(int32_t paramIdx) {
  if (!gLastFixture) return;
  gLastFixture->BeginParamGesture(paramIdx);
  gLastFixture->SendParamToHost(paramIdx, 0.25);
  gLastFixture->EndParamGesture(paramIdx);
  gLastFixture->PopupHostContextMenu(paramIdx, 5, 6);
  gLastFixture->SetLatency(3);
  gLastFixture->ResizeEditor(600, 700);
}
