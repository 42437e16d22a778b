// The component-object base: identifiers answered, references counted, one destruction, the
// process-wide count of live objects.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "aax/acf_unknown.h"

namespace {

constexpr AcfIID kIidTestFacing = AcfIID::FromText("{12345678-9ABC-DEF0-1122-334455667788}");

struct ITestFacing : IACFUnknown {
  virtual int32_t Answer() = 0;
};

std::vector<std::string> gEvents;

// A component as the library's bases build one: host-facing interface first, the base second.
class TestComponent final : public ITestFacing, public CACFUnknown {
 public:
  ~TestComponent() override { gEvents.push_back("destroyed"); }
  AAX_Result QueryInterface(const AcfIID& iid, void** out) override { return GetOuterUnknown()->QueryInterface(iid, out); }
  uint32_t AddRef() override { return GetOuterUnknown()->AddRef(); }
  uint32_t Release() override { return GetOuterUnknown()->Release(); }
  int32_t Answer() override { return 42; }

  void OnFinalRelease() override { gEvents.push_back("final release"); }
  AAX_Result InternalQueryInterface(const AcfIID& iid, void** out) override {
    if (out && iid == kIidTestFacing) {
      *out = static_cast<ITestFacing*>(this);
      static_cast<ITestFacing*>(this)->AddRef();
      return kAaxOk;
    }
    return CACFUnknown::InternalQueryInterface(iid, out);
  }
};

class AcfUnknownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gEvents.clear();
    ASSERT_EQ(ACFObjectCount.load(), 0);
  }
  void TearDown() override { EXPECT_EQ(ACFObjectCount.load(), 0); }
};

TEST_F(AcfUnknownTest, TheUnknownIdentifierGivesThePrivateUnknownWithOneReference) {
  auto* c = new TestComponent;
  ITestFacing* facing = c;
  void* out = nullptr;
  ASSERT_EQ(facing->QueryInterface(kIidAcfUnknown, &out), kAaxOk);
  EXPECT_EQ(out, c->GetPrivateUnknown());
  EXPECT_NE(out, static_cast<void*>(facing));
  // The reference taken by the query is the only one: releasing it destroys the object.
  EXPECT_EQ(static_cast<IACFUnknown*>(out)->Release(), 0u);
  EXPECT_EQ(gEvents, (std::vector<std::string>{"final release", "destroyed"}));
}

TEST_F(AcfUnknownTest, AnsweredIdentifierGivesTheHostFacingInterface) {
  auto* c = new TestComponent;
  void* out = nullptr;
  ASSERT_EQ(c->GetPrivateUnknown()->QueryInterface(kIidTestFacing, &out), kAaxOk);
  EXPECT_EQ(out, static_cast<void*>(static_cast<ITestFacing*>(c)));
  EXPECT_EQ(static_cast<ITestFacing*>(out)->Answer(), 42);
  EXPECT_EQ(static_cast<ITestFacing*>(out)->Release(), 0u);
}

TEST_F(AcfUnknownTest, UnsupportedIdentifiersAndNullOutPointersAreRefused) {
  auto* c = new TestComponent;
  c->AddRef();
  void* out = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(c->QueryInterface(kIidEffectGui, &out), kAcfNoInterface);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(c->QueryInterface(kIidAcfUnknown, nullptr), kAcfNoInterface);
  EXPECT_EQ(c->QueryInterface(kIidTestFacing, nullptr), kAcfNoInterface);
  // Neither refusal took a reference.
  EXPECT_EQ(c->Release(), 0u);
  EXPECT_EQ(gEvents.size(), 2u);
}

TEST_F(AcfUnknownTest, CountsReferencesAndDestroysOnceAtZero) {
  auto* c = new TestComponent;
  EXPECT_EQ(c->AddRef(), 1u);
  EXPECT_EQ(c->AddRef(), 2u);
  EXPECT_EQ(c->Release(), 1u);
  EXPECT_TRUE(gEvents.empty());
  EXPECT_EQ(c->Release(), 0u);
  EXPECT_EQ(gEvents, (std::vector<std::string>{"final release", "destroyed"}));
}

TEST_F(AcfUnknownTest, TheLiveCountFollowsConstructionAndDestruction) {
  auto* first = new TestComponent;
  EXPECT_EQ(ACFObjectCount.load(), 1);
  auto* second = new TestComponent;
  EXPECT_EQ(ACFObjectCount.load(), 2);
  first->AddRef();
  first->Release();
  EXPECT_EQ(ACFObjectCount.load(), 1);
  delete static_cast<CACFUnknown*>(second);  // the base's deleting destructor destroys it all
  EXPECT_EQ(ACFObjectCount.load(), 0);
  EXPECT_EQ(gEvents, (std::vector<std::string>{"final release", "destroyed", "destroyed"}));
}

TEST_F(AcfUnknownTest, AConstructorThatFailsPartWayLeavesNoLiveObject) {
  struct Failing final : CACFUnknown {
    Failing() { throw std::runtime_error("part way"); }
  };
  EXPECT_THROW(Failing(), std::runtime_error);
  EXPECT_EQ(ACFObjectCount.load(), 0);
}

TEST_F(AcfUnknownTest, ReservedOperationAnswersZero) {
  TestComponent c;
  EXPECT_EQ(c.ReservedOperation(), 0);
}

}  // namespace
