// The deliverable's editor object as the host drives it through its raw slots: made by creation
// procedure 1, initialised with the host's answer for the effect (the plug-in's own object),
// its view size, the plug-in's editor (headless on every platform here) opened in the host's
// view container and closed again, clicks offered to the host first and drags reaching the
// framework only through the host's automation.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gui/igraphics_headless.h"
#include "gui/make_editor.h"
#include "tests/aax/binding_fixture.h"

namespace {

using fake_aax::Call;
using testing::Contains;
using testing::ElementsAreArray;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;

constexpr int32_t kGainKnob = 3;  // the editor's control of parameter "1"

// A host's stand-in for the effect, handed to the editor instead of the effect itself: its own
// identity and ledger, every query passed on to the effect, and the two operations the editor
// base calls (the parameter count, an identifier by index) answered by the effect's and
// recorded with whether the editor window was open at the time.
struct EffectStandIn {
  explicit EffectStandIn(void* effect) : vtable(Table()), effect(effect) {}
  static void** Table() {
    static void* unexpected = reinterpret_cast<void*>(+[](EffectStandIn* self) -> int32_t {
      self->calls.push_back("unexpected");
      return -20004;
    });
    static void* table[19] = {
        reinterpret_cast<void*>(+[](EffectStandIn* self, const void* iid, void** out) -> int32_t {
          return Call<int32_t>(self->effect, 0, iid, out);
        }),
        reinterpret_cast<void*>(+[](EffectStandIn* self) -> uint32_t { return static_cast<uint32_t>(++self->refs); }),
        reinterpret_cast<void*>(+[](EffectStandIn* self) -> uint32_t { return static_cast<uint32_t>(--self->refs); }),
        unexpected, unexpected, unexpected,
        reinterpret_cast<void*>(+[](EffectStandIn* self, int32_t* count) -> int32_t {
          self->calls.push_back("GetNumberOfParameters" + self->WindowState());
          return Call<int32_t>(self->effect, 6, count);
        }),
        unexpected, unexpected, unexpected, unexpected, unexpected, unexpected, unexpected, unexpected, unexpected,
        unexpected, unexpected,
        reinterpret_cast<void*>(+[](EffectStandIn* self, int32_t index, void* text) -> int32_t {
          const int32_t r = Call<int32_t>(self->effect, 18, index, text);
          if (r == 0) self->calls.push_back(Call<const char*>(text, 3) + self->WindowState());  // the string's Get
          return r;
        }),
    };
    return table;
  }
  std::string WindowState() const { return editor && editor->GetWindow() ? " (open)" : " (closed)"; }

  void** vtable;
  void* effect;
  int32_t refs = 0;
  IGraphicsHeadless* editor = nullptr;
  std::vector<std::string> calls;
};

class AaxEditorTest : public AaxBindingTest {
 protected:
  void SetUp() override {
    SetPlatformEditorsHeadless(true);
    AaxBindingTest::SetUp();
  }
  void TearDown() override {
    CloseGui();
    AaxBindingTest::TearDown();
    SetPlatformEditorsHeadless(false);
  }
  // Creation procedure 1, the host's first reference, then Initialize.
  void OpenGui() {
    gui = AAX_CEffectGUI_IPLUG::Create();
    ASSERT_NE(gui, nullptr);
    EXPECT_EQ(Call<uint32_t>(gui, 1), 1u);
    ASSERT_EQ(Call<int32_t>(gui, 3, host.Context()), 0);
  }
  void CloseGui() {
    if (!gui) return;
    EXPECT_EQ(Call<int32_t>(gui, 4), 0);
    EXPECT_EQ(Call<uint32_t>(gui, 2), 0u);
    gui = nullptr;
  }
  // The plug-in, the editor object on it, and a container with a native window set into it.
  void OpenEditorInContainer(int32_t hostTakesClicks) {
    Create();
    host.AnswerEffectParametersWith(Interface(plug));
    OpenGui();
    container = &host.NewViewContainer();
    container->nativeWindow = container;
    container->mouseDownResult = hostTakesClicks ? 0 : 1;
    ASSERT_EQ(Call<int32_t>(gui, 6, container->Ptr()), 0);
    ASSERT_NE(Editor(), nullptr);
    ASSERT_NE(Editor()->GetWindow(), nullptr);
  }
  IGraphicsHeadless* Editor() { return dynamic_cast<IGraphicsHeadless*>(plug->GetEditor()); }
  // A left click on the control's centre, dragged up 20 pixels in two moves, and let go.
  void DragUp(int32_t controlIdx) {
    IGraphicsHeadless* editor = Editor();
    const IRectangle& r = editor->GetControl(controlIdx)->GetRECT();
    const int32_t x = (r.L + r.R) / 2;
    const int32_t y = (r.T + r.B) / 2;
    const IMouseModifiers left(true, false);
    editor->OnMouseDown(x, y, left);
    editor->OnMouseDrag(x, y - 10, left);
    editor->OnMouseDrag(x, y - 20, left);
    editor->OnMouseUp(x, y - 20, left);
  }
  // The automation delegate's calls for one identifier since the log was cleared, by name.
  std::vector<std::string> AutomationOf(const std::string& id) {
    std::vector<std::string> ops;
    for (const std::string& line : Log()) {
      if (line.rfind("automation.", 0) != 0) continue;
      const size_t space = line.find(' ');
      const std::string rest = line.substr(space + 1);
      if (rest == id || rest.rfind(id + " ", 0) == 0) ops.push_back(line.substr(11, space - 11));
    }
    return ops;
  }
  double KnobValue() { return Editor()->GetControl(kGainKnob)->GetValue(); }

  void* gui = nullptr;
  fake_aax::ViewContainer* container = nullptr;
};

TEST_F(AaxEditorTest, OpensInTheHostsContainerAndClosesAgain) {
  Create();
  host.AnswerEffectParametersWith(Interface(plug));
  OpenGui();
  AAX_Point size{-1.0f, -1.0f};
  EXPECT_EQ(Call<int32_t>(gui, 7, &size), 0);
  EXPECT_EQ(size.horizontal, 541.0f);
  EXPECT_EQ(size.vertical, 580.0f);
  IGraphicsHeadless* editor = Editor();
  ASSERT_NE(editor, nullptr);

  // A container without a native window: nothing to open the editor in.
  fake_aax::ViewContainer& windowless = host.NewViewContainer();
  EXPECT_EQ(Call<int32_t>(gui, 6, windowless.Ptr()), 0);
  EXPECT_EQ(editor->GetWindow(), nullptr);
  EXPECT_EQ(editor->GetViewContainer(), nullptr);
  EXPECT_EQ(Call<int32_t>(gui, 6, static_cast<void*>(nullptr)), 0);
  EXPECT_EQ(windowless.refs, 0);

  fake_aax::ViewContainer& vc = host.NewViewContainer();
  vc.nativeWindow = &vc;
  EXPECT_EQ(Call<int32_t>(gui, 6, vc.Ptr()), 0);
  EXPECT_NE(editor->GetWindow(), nullptr);
  EXPECT_NE(editor->GetViewContainer(), nullptr);
  Log().clear();
  plug->ResizeEditor(541, 580);  // through the plug-in's own record of the container
  EXPECT_THAT(Log(), Contains("viewContainer.SetViewSize 580 541"));

  EXPECT_EQ(Call<int32_t>(gui, 6, static_cast<void*>(nullptr)), 0);
  EXPECT_EQ(editor->GetWindow(), nullptr);
  EXPECT_EQ(editor->GetViewContainer(), nullptr);
  EXPECT_EQ(vc.refs, 0);
  Log().clear();
  plug->ResizeEditor(541, 580);
  EXPECT_THAT(Log(), Not(Contains(HasSubstr("SetViewSize"))));
}

TEST_F(AaxEditorTest, WithoutTheEffectThereIsNoEditorAndNoSize) {
  Create();  // the host does not answer the effect-parameters identifier
  OpenGui();
  AAX_Point size{-1.0f, -1.0f};
  EXPECT_EQ(Call<int32_t>(gui, 7, &size), 0);
  EXPECT_EQ(size.horizontal, -1.0f);
  EXPECT_EQ(size.vertical, -1.0f);
  fake_aax::ViewContainer& vc = host.NewViewContainer();
  vc.nativeWindow = &vc;
  EXPECT_EQ(Call<int32_t>(gui, 6, vc.Ptr()), 0);
  EXPECT_EQ(Editor()->GetWindow(), nullptr);
  EXPECT_EQ(Editor()->GetViewContainer(), nullptr);
  EXPECT_EQ(Call<int32_t>(gui, 6, static_cast<void*>(nullptr)), 0);
}

TEST_F(AaxEditorTest, EveryParameterUpdatedOnceAfterTheEditorOpens) {
  Create();
  EffectStandIn standIn(Interface(plug));
  standIn.editor = Editor();
  host.AnswerEffectParametersWith(&standIn);
  OpenGui();
  AAX_Point size{-1.0f, -1.0f};
  EXPECT_EQ(Call<int32_t>(gui, 7, &size), 0);
  EXPECT_EQ(size.horizontal, 541.0f);  // the editor was found behind the stand-in
  fake_aax::ViewContainer& vc = host.NewViewContainer();
  vc.nativeWindow = &vc;
  EXPECT_EQ(Call<int32_t>(gui, 6, vc.Ptr()), 0);
  std::vector<std::string> expected = {"GetNumberOfParameters (open)", "MasterBypassID (open)"};
  for (int i = 1; i <= 19; ++i) expected.push_back(std::to_string(i) + " (open)");
  EXPECT_THAT(standIn.calls, ElementsAreArray(expected));
  EXPECT_EQ(Call<int32_t>(gui, 6, static_cast<void*>(nullptr)), 0);
  CloseGui();
  EXPECT_EQ(standIn.refs, 0);  // the fixture checks the effect's own references
}

TEST_F(AaxEditorTest, AClickTheHostTakesBeginsNoGesture) {
  OpenEditorInContainer(true);
  const double before = plug->GetParameter(0)->Value();
  Log().clear();
  DragUp(kGainKnob);
  EXPECT_THAT(Log(), Contains("viewContainer.HandleParameterMouseDown 1 0"));
  EXPECT_THAT(AutomationOf("1"), IsEmpty());
  EXPECT_EQ(plug->GetParameter(0)->Value(), before);
  EXPECT_EQ(Call<int32_t>(gui, 6, static_cast<void*>(nullptr)), 0);
}

TEST_F(AaxEditorTest, DragsReachTheFrameworkOnlyThroughTheHost) {
  OpenEditorInContainer(false);
  IParameter* gain = plug->GetParameter(0);
  const double before = gain->GetNormalized();

  // Nobody answers: a balanced gesture with requests, and the framework unchanged.
  Log().clear();
  DragUp(kGainKnob);
  EXPECT_THAT(Log(), Contains("viewContainer.HandleParameterMouseDown 1 0"));
  const std::vector<std::string> ops = AutomationOf("1");
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops.front(), "PostTouchRequest");
  EXPECT_EQ(ops.back(), "PostReleaseRequest");
  EXPECT_EQ(std::count(ops.begin(), ops.end(), "PostTouchRequest"),
            std::count(ops.begin(), ops.end(), "PostReleaseRequest"));
  EXPECT_GE(std::count(ops.begin(), ops.end(), "PostSetValueRequest"), 1);
  EXPECT_EQ(gain->GetNormalized(), before);
  EXPECT_GT(KnobValue(), before);

  // A host that answers at once: the value the knob sent.
  host.SetAutomation(fake_aax::FakeHost::Automation::kEcho, Interface(plug));
  DragUp(kGainKnob);
  EXPECT_EQ(gain->GetNormalized(), KnobValue());
  const double echoed = gain->GetNormalized();
  EXPECT_GT(echoed, before);

  // A host that answers later: unchanged until then.
  host.SetAutomation(fake_aax::FakeHost::Automation::kDefer, Interface(plug));
  DragUp(kGainKnob);
  EXPECT_EQ(gain->GetNormalized(), echoed);
  EXPECT_GT(host.DeliverRequests(), 0u);
  EXPECT_EQ(gain->GetNormalized(), KnobValue());
  EXPECT_GT(gain->GetNormalized(), echoed);
  host.SetAutomation(fake_aax::FakeHost::Automation::kRecord);
  EXPECT_EQ(Call<int32_t>(gui, 6, static_cast<void*>(nullptr)), 0);
}

}  // namespace
