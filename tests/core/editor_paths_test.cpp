#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/core/plug_fixtures.h"
#include "tests/support/fake_editor.h"

namespace {

using ::testing::ElementsAre;
using Call = TestBinding::HostCall;
using EditorCall = FakeEditor::Call;

std::unique_ptr<TestBinding> MakeTwoParamPlug() {
  auto plug = MakePlug("1-1", 0, 2);
  plug->GetParameter(0)->InitBool("On", false);
  plug->GetParameter(1)->InitDouble("Level", 0, 0, 10, 1, "", "", 2.0);
  return plug;
}

TEST(SetParameterFromGUI, SetsThenTellsTheHostThenNotifiesUnderTheLock) {
  auto plug = MakeTwoParamPlug();
  std::mutex orderMutex;
  std::vector<std::string> order;
  auto note = [&](const std::string& what) {
    std::lock_guard<std::mutex> hold(orderMutex);
    order.push_back(what);
  };
  std::thread other;
  double valueWhenSent = -1;
  plug->onCall = [&](const Call& call) {
    if (call.kind == Call::kSendParamToHost) {
      valueWhenSent = plug->GetParameter(1)->Value();
      // Another thread asks for the instance lock; it can only have it once the whole
      // operation has returned.
      other = std::thread([&] {
        LockGuard guard(plug->GetLock());
        note("other thread");
      });
      note("sent");
    } else if (call.kind == Call::kParameterChanged) {
      note("changed");
    }
  };
  plug->SetParameterFromGUI(1, 0.5);
  other.join();
  EXPECT_EQ(valueWhenSent, 2.5);  // 10 * 0.5^2: already set when the host hears of it
  EXPECT_THAT(plug->Calls(), ElementsAre(Call{Call::kSendParamToHost, 1, 0.5}, Call{Call::kParameterChanged, 1, 2.5}));
  EXPECT_THAT(order, ElementsAre("sent", "changed", "other thread"));
}

TEST(AttachEditor, PushesEveryNormalizedValueThenCreatesTheBitmaps) {
  auto plug = MakeTwoParamPlug();
  plug->GetParameter(0)->Set(1);
  plug->GetParameter(1)->Set(4);
  auto* editor = new FakeEditor(plug.get());
  int control = editor->AddControl(1);
  plug->AttachEditor(editor);
  EXPECT_THAT(editor->Calls(),
              ElementsAre(EditorCall{EditorCall::kUpdateParameterControls, 0, 1.0, true},
                          EditorCall{EditorCall::kUpdateParameterControls, 1, 0.6324555320336759, true},
                          EditorCall{EditorCall::kCreateDrawBitmaps}));
  EXPECT_EQ(plug->GetEditor(), editor);
  EXPECT_DOUBLE_EQ(editor->ControlAt(control)->value, plug->GetParameter(1)->GetNormalized());
}

TEST(AttachEditor, ASecondEditorReplacesAndDeletesTheFirst) {
  auto plug = MakeTwoParamPlug();
  int destroyed = 0;
  auto* first = new FakeEditor(plug.get());
  first->CountDestructionIn(&destroyed);
  plug->AttachEditor(first);
  plug->AttachEditor(first);  // the same editor again stays
  EXPECT_EQ(destroyed, 0);
  auto* second = new FakeEditor(plug.get());
  second->CountDestructionIn(&destroyed);
  plug->AttachEditor(second);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(plug->GetEditor(), second);
  plug.reset();
  EXPECT_EQ(destroyed, 2);
}

TEST(RefreshParamControls, PushesPlainValuesThatTheEditorNormalizes) {
  auto plug = MakeTwoParamPlug();
  auto* editor = new FakeEditor(plug.get());
  int control = editor->AddControl(1);
  plug->AttachEditor(editor);
  editor->ClearCalls();
  plug->GetParameter(1)->Set(9);
  plug->RefreshParamControls();
  EXPECT_THAT(editor->Calls(), ElementsAre(EditorCall{EditorCall::kUpdateParameterControls, 0, 0.0, false},
                                           EditorCall{EditorCall::kUpdateParameterControls, 1, 9.0, false}));
  EXPECT_DOUBLE_EQ(editor->ControlAt(control)->value, 0.9486832980505138);
  EXPECT_TRUE(editor->ControlAt(control)->dirty);
}

TEST(HostParameterChange, UpdatesTheBoundControlsThenNotifies) {
  auto plug = MakeTwoParamPlug();
  auto* editor = new FakeEditor(plug.get());
  int bound = editor->AddControl(0);
  int other = editor->AddControl(1);
  plug->AttachEditor(editor);
  plug->ClearCalls();
  EXPECT_TRUE(plug->SetParameterFromHost(0, 0.7));
  EXPECT_FALSE(plug->SetParameterFromHost(2, 0.7));
  EXPECT_EQ(editor->ControlAt(bound)->value, 0.7);
  EXPECT_EQ(editor->ControlAt(other)->value, 0.0);
  EXPECT_THAT(plug->Calls(), ElementsAre(Call{Call::kParameterChanged, 0, 1.0}));
}

TEST(NullEditor, EveryPathRunsWithoutOne) {
  auto plug = MakeTwoParamPlug();
  plug->AttachEditor(nullptr);
  EXPECT_EQ(plug->GetEditor(), nullptr);
  plug->SetParameterFromGUI(0, 1.0);
  plug->SetParameterFromHost(1, 0.2);
  plug->RefreshParamControls();
  IStateChunk chunk;
  EXPECT_TRUE(plug->SaveState(chunk));
  EXPECT_EQ(plug->RestoreState(chunk), 16);
  EXPECT_TRUE(plug->ApplyPreset(0));
  plug->Prepare();
  float sample = 1.0f;
  float* buffers[] = {&sample};
  EXPECT_TRUE(plug->ProcessHostBlock(buffers, 1, buffers, 1, 1));
}

TEST(FakeEditor, ControlIndicesOutsideTheListDoNothing) {
  FakeEditor editor;
  editor.AddControl(-1);
  editor.SetControlValue(-1, 0.5);
  editor.SetControlValue(1, 0.5);
  EXPECT_EQ(editor.GetControl(-1), nullptr);
  EXPECT_EQ(editor.GetControl(1), nullptr);
  ASSERT_NE(editor.GetControl(0), nullptr);
  editor.GetControl(0)->SetHidden(true);
  EXPECT_TRUE(editor.ControlAt(0)->hidden);
  EXPECT_EQ(editor.ControlAt(0)->value, 0.0);
}

TEST(PlugBase, MidiEventsArePassedOnToTheHost) {
  auto plug = MakePlug("1-1");
  IMidiEvent event;
  event.status = 0x90;
  plug->HandleMidiEvent(event);
  ASSERT_EQ(plug->midiSent.size(), 1u);
  EXPECT_EQ(plug->midiSent[0].status, 0x90);
  char name[32] = "x";
  EXPECT_FALSE(plug->GetMidiNoteName(60, name));
  EXPECT_STREQ(name, "");
}

}  // namespace
