// A host thread pushing meter levels, parameter values and hidden flags while the editor's
// thread ticks and paints: no lock is taken, and (under ThreadSanitizer) no race is reported.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "gui/controls.h"
#include "tests/gui/gui_fixture.h"

namespace {

TEST(EditorThreadsTest, HostPushesWhileTheEditorTicksAndPaints) {
  GuiFixture f(TestBinding::kApiTest, 200, 100);
  f.loader.images[1] = {30, 31 * 30, 0};
  const IBitmapStrip strip = f.editor->LoadBitmapStrip(1, "m.png", 31);
  std::vector<IControl*> controls;
  for (int32_t i = 0; i < 6; ++i) {
    auto* c = new IKnobMultiControl(&f.plug, IRectangle(i * 32, 0, i * 32 + 30, 30), i < 3 ? i : -1, strip);
    f.editor->AddControl(c);
    controls.push_back(c);
  }
  std::atomic<bool> done{false};
  std::thread host([&] {
    for (int n = 0; n < 20000; ++n) {
      const double v = (n % 101) / 100.0;
      f.editor->SetControlValue(3 + n % 3, v);  // meters
      f.editor->UpdateParameterControls(n % 3, v, true);
      if (IEditorControl* c = f.editor->GetControl(5)) c->SetHidden(n % 2 == 0);
    }
    done = true;
  });
  int ticks = 0;
  while (!done || ticks < 10) {
    f.editor->Tick();
    f.editor->painted.clear();
    ++ticks;
  }
  host.join();
  for (IControl* c : controls) {
    EXPECT_GE(c->GetValue(), 0.0);
    EXPECT_LE(c->GetValue(), 1.0);
  }
  // Once the host stops, two ticks settle everything.
  f.editor->Tick();
  f.editor->Tick();
  EXPECT_FALSE(f.editor->Tick());
}

}  // namespace
