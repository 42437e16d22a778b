#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aax/acf_unknown.h"
#include "tests/aax/effect_fixture.h"

namespace {

using testing::ElementsAre;

class GuiTest : public FakeHostTest {
 protected:
  void SetUp() override {
    liveBefore = ACFObjectCount.load();
    gui = aax_test::TestGui::Create();
  }
  void TearDown() override {
    if (gui) gui->Release();
    EXPECT_EQ(ACFObjectCount.load(), liveBefore);
    FakeHostTest::TearDown();
  }
  std::vector<std::string> Ids(int n) {
    std::vector<std::string> ids;
    for (int i = 0; i < n; ++i) ids.push_back(std::to_string(i + 1));
    return ids;
  }

  aax_test::TestGui* gui = nullptr;
  int32_t liveBefore = 0;
};

TEST_F(GuiTest, InitializeWithoutAHostCreatesNothing) {
  EXPECT_EQ(gui->Initialize(nullptr), -20011);
  EXPECT_TRUE(gui->calls.empty());
  EXPECT_EQ(gui->GetEffectParameters(), nullptr);
}

TEST_F(GuiTest, ParametersUpdatedOncePerIndexWhenAContainerArrives) {
  fake_aax::EffectParameters& effect = host.NewEffectParameters(Ids(19));
  host.AnswerEffectParameters(effect);
  fake_aax::ViewContainer& vc = host.NewViewContainer();
  vc.nativeWindow = &vc;
  ASSERT_EQ(gui->Initialize(Context()), 0);
  EXPECT_EQ(effect.refs, 1);
  EXPECT_EQ(gui->SetViewContainer(static_cast<IACFUnknown*>(vc.Ptr())), 0);
  EXPECT_EQ(vc.refs, 1);
  EXPECT_EQ(gui->GetNativeView(), &vc);
  std::vector<std::string> expected = {"CreateViewContents", "CreateViewContainer"};
  for (int i = 1; i <= 19; ++i) expected.push_back("ParameterUpdated " + std::to_string(i));
  EXPECT_EQ(gui->calls, expected);
  gui->calls.clear();
  EXPECT_EQ(gui->SetViewContainer(nullptr), 0);
  EXPECT_THAT(gui->calls, ElementsAre("DeleteViewContainer"));
  EXPECT_EQ(vc.refs, 0);
  EXPECT_EQ(gui->GetNativeView(), nullptr);
  EXPECT_EQ(gui->Uninitialize(), 0);
  EXPECT_EQ(effect.refs, 0);
  EXPECT_EQ(host.controller().refs, 0);
}

TEST_F(GuiTest, NullContainerCallsDeleteEvenWithoutOne) {
  EXPECT_EQ(gui->SetViewContainer(nullptr), 0);
  EXPECT_THAT(gui->calls, ElementsAre("DeleteViewContainer"));
}

TEST_F(GuiTest, AHostThatAnswersNothingLeavesNullFields) {
  fake_aax::ViewContainer& vc = host.NewViewContainer();
  vc.answers.clear();  // refuses the view-container query
  ASSERT_EQ(gui->Initialize(Context()), 0);
  EXPECT_EQ(gui->GetEffectParameters(), nullptr);
  EXPECT_EQ(gui->SetViewContainer(static_cast<IACFUnknown*>(vc.Ptr())), 0);
  EXPECT_EQ(gui->GetNativeView(), nullptr);
  EXPECT_THAT(gui->calls, ElementsAre("CreateViewContents", "CreateViewContainer"));
}

TEST_F(GuiTest, UninitializeTakesAContainerAwayAndReleasesEverythingOnce) {
  fake_aax::EffectParameters& effect = host.NewEffectParameters(Ids(2));
  host.AnswerEffectParameters(effect);
  fake_aax::ViewContainer& vc = host.NewViewContainer();
  fake_aax::ViewContainer& second = host.NewViewContainer();
  ASSERT_EQ(gui->Initialize(Context()), 0);
  ASSERT_EQ(gui->Initialize(Context()), 0);  // again: the first references go
  EXPECT_EQ(effect.refs, 1);
  EXPECT_EQ(host.controller().refs, 1);
  gui->SetViewContainer(static_cast<IACFUnknown*>(vc.Ptr()));
  gui->SetViewContainer(static_cast<IACFUnknown*>(second.Ptr()));  // replaces the first
  EXPECT_EQ(vc.refs, 0);
  EXPECT_EQ(second.refs, 1);
  gui->calls.clear();
  EXPECT_EQ(gui->Uninitialize(), 0);
  EXPECT_THAT(gui->calls, ElementsAre("DeleteViewContainer"));
  EXPECT_EQ(second.refs, 0);
  EXPECT_EQ(effect.refs, 0);
}

TEST_F(GuiTest, ReleasedWithoutUninitializeLeavesNoReference) {
  fake_aax::EffectParameters& effect = host.NewEffectParameters(Ids(2));
  host.AnswerEffectParameters(effect);
  fake_aax::ViewContainer& vc = host.NewViewContainer();
  ASSERT_EQ(gui->Initialize(Context()), 0);
  gui->SetViewContainer(static_cast<IACFUnknown*>(vc.Ptr()));
  // The fixture releases the editor; the ledgers must be back at zero.
}

TEST_F(GuiTest, AnExceptionFromTheDerivedClassAnswersUnexpected) {
  gui->throwInCreate = true;
  EXPECT_EQ(gui->Initialize(Context()), static_cast<AAX_Result>(0x8000FFFF));
}

TEST_F(GuiTest, UpdatesFromTheLibrarysOwnEffect) {
  aax_test::TestEffect* effect = aax_test::TestEffect::Create();
  ASSERT_EQ(effect->Initialize(Context()), 0);
  host.AnswerEffectParametersWith(static_cast<AAX_IACFEffectParameters*>(effect));
  fake_aax::ViewContainer& vc = host.NewViewContainer();
  ASSERT_EQ(gui->Initialize(Context()), 0);
  EXPECT_EQ(ACFObjectCount.load(), liveBefore + 2);
  gui->SetViewContainer(static_cast<IACFUnknown*>(vc.Ptr()));
  EXPECT_THAT(gui->calls, ElementsAre("CreateViewContents", "CreateViewContainer", "ParameterUpdated n",
                                      "ParameterUpdated b", "ParameterUpdated d"));
  EXPECT_EQ(gui->Uninitialize(), 0);
  EXPECT_EQ(effect->Uninitialize(), 0);
  EXPECT_EQ(effect->Release(), 0u);  // the editor's reference went with Uninitialize
}

}  // namespace
