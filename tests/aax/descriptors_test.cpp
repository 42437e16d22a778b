// The effect and component descriptors against the fake host: forwarding, wrapper arguments
// passed as their host objects, ownership of what they create, the property-map copy.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "aax/aax_component_descriptor.h"
#include "aax/aax_effect_descriptor.h"
#include "tests/aax/fake_host_fixture.h"

namespace {

using ::testing::ElementsAre;

using DescriptorTest = FakeHostTest;

void Render(void* const*, void* const*) {}
void* Create() { return nullptr; }

TEST_F(DescriptorTest, EffectDescriptorForwardsAndPassesHostObjects) {
  {
    AAX_VEffectDescriptor effect(Context());
    EXPECT_EQ(host.context().refs, 1);
    ASSERT_EQ(host.Made("effectDescriptor").size(), 1u);
    auto* hostEffect = static_cast<fake_aax::EffectDescriptor*>(host.Made("effectDescriptor")[0]);
    Log().clear();
    AAX_IComponentDescriptor* component = effect.NewComponentDescriptor();
    ASSERT_NE(component, nullptr);
    EXPECT_EQ(effect.AddComponent(component), kAaxOk);
    EXPECT_EQ(effect.AddComponent(nullptr), kAaxOk);  // a null component goes to the host as null
    EXPECT_EQ(effect.AddName("Kavrotel"), kAaxOk);
    EXPECT_EQ(effect.AddCategory(0), kAaxOk);
    EXPECT_EQ(effect.AddProcPtr(reinterpret_cast<void*>(&Create), 0), kAaxOk);
    AAX_IPropertyMap* map = effect.NewPropertyMap();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(effect.SetProperties(map), kAaxOk);
    hostEffect->result = -20009;
    EXPECT_EQ(effect.AddName("again"), -20009);
    EXPECT_EQ(hostEffect->procedures[0], reinterpret_cast<void*>(&Create));
  }
  EXPECT_THAT(Log(), ElementsAre("factory.CreateInstance", "effectDescriptor0.AddComponent componentDescriptor0",
                                 "effectDescriptor0.AddComponent null", "effectDescriptor0.AddName Kavrotel",
                                 "effectDescriptor0.AddCategory 0", "effectDescriptor0.AddProcPtr 0",
                                 "factory.CreateInstance", "effectDescriptor0.SetProperties propertyMap0",
                                 "effectDescriptor0.AddName again"));
}

TEST_F(DescriptorTest, ARefusedEffectStillOwnsWhatItCreated) {
  host.RefuseClass("{89872C2D-75BC-423F-401B-F9A1BAAD0CCA}");
  {
    AAX_VEffectDescriptor effect(Context());
    EXPECT_EQ(effect.HostObject(), nullptr);
    EXPECT_EQ(effect.AddName("Kavrotel"), kAaxNoHostObject);
    EXPECT_EQ(effect.AddCategory(0), kAaxNoHostObject);
    EXPECT_EQ(effect.AddProcPtr(nullptr, 1), kAaxNoHostObject);
    EXPECT_EQ(effect.SetProperties(nullptr), kAaxNoHostObject);
    AAX_IComponentDescriptor* component = effect.NewComponentDescriptor();
    ASSERT_NE(component, nullptr);
    EXPECT_EQ(effect.AddComponent(component), kAaxNoHostObject);
    EXPECT_EQ(host.Made("componentDescriptor").size(), 1u);
    EXPECT_EQ(host.Made("componentDescriptor")[0]->refs, 1);
    EXPECT_EQ(host.context().refs, 2);  // taken whether or not the factory made the object
  }
  // The ledger check at the end shows the component and the context were released.
}

TEST_F(DescriptorTest, OnANullHostNothingIsTouched) {
  AAX_VEffectDescriptor effect(nullptr);
  EXPECT_EQ(effect.AddName("x"), kAaxNoHostObject);
  AAX_IComponentDescriptor* component = effect.NewComponentDescriptor();
  ASSERT_NE(component, nullptr);
  EXPECT_EQ(component->AddAudioIn(0), kAaxNoHostObject);
  EXPECT_EQ(component->NewPropertyMap()->AddProperty(1, 1), kAaxNoHostObject);
}

TEST_F(DescriptorTest, ComponentDescriptorForwardsEveryField) {
  {
    AAX_VComponentDescriptor c(Context());
    ASSERT_EQ(host.Made("componentDescriptor").size(), 1u);
    auto* hostComponent = static_cast<fake_aax::ComponentDescriptor*>(host.Made("componentDescriptor")[0]);
    Log().clear();
    EXPECT_EQ(c.AddAudioIn(0), kAaxOk);
    EXPECT_EQ(c.AddAudioOut(1), kAaxOk);
    EXPECT_EQ(c.AddAudioBufferLength(2), kAaxOk);
    EXPECT_EQ(c.AddAuxOutputStem(0, 1, "aux"), kAaxOk);
    EXPECT_EQ(c.AddPrivateData(7, 8, 0), kAaxOk);
    const uint32_t meters[2] = {0x496E7075, 0x4F757470};
    EXPECT_EQ(c.AddMeters(3, meters, 2), kAaxOk);
    EXPECT_EQ(c.AddMIDINode(6, 3, "Transport", 0xffff), kAaxOk);
    AAX_IPropertyMap* map = c.NewPropertyMap();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(c.AddProcessProc(reinterpret_cast<void*>(&Render), map, nullptr, nullptr, nullptr), kAaxOk);
    EXPECT_EQ(hostComponent->renderProc, reinterpret_cast<void*>(&Render));
    EXPECT_EQ(hostComponent->renderProperties, map->HostObject());
  }
  EXPECT_THAT(Log(), ElementsAre("componentDescriptor0.AddAudioIn 0", "componentDescriptor0.AddAudioOut 1",
                                 "componentDescriptor0.AddAudioBufferLength 2", "componentDescriptor0.AddAuxOutputStem 0 1 aux",
                                 "componentDescriptor0.AddPrivateData 7 8 0",
                                 "componentDescriptor0.AddMeters 3 1231974517 1333097584",
                                 "componentDescriptor0.AddMIDINode 6 3 Transport 65535", "factory.CreateInstance",
                                 "componentDescriptor0.AddProcessProc propertyMap0"));
}

TEST_F(DescriptorTest, CopyPropertyMapCopiesTenTo351Only) {
  AAX_VComponentDescriptor c(Context());
  AAX_IPropertyMap* source = c.NewPropertyMap();
  ASSERT_NE(source, nullptr);
  for (int32_t p : {5, 10, 351, 352}) source->AddProperty(p, p * 2);
  AAX_IPropertyMap* copy = c.CopyPropertyMap(*source);
  ASSERT_NE(copy, nullptr);
  ASSERT_NE(copy, source);
  const auto maps = host.Made("propertyMap");
  ASSERT_EQ(maps.size(), 2u);
  EXPECT_EQ(static_cast<fake_aax::PropertyMap*>(maps[1])->properties, (std::map<int32_t, int32_t>{{10, 20}, {351, 702}}));
}

TEST_F(DescriptorTest, ComponentWithoutHostObjectOrNewerInterface) {
  host.RefuseClass("{94872C3D-95BC-413D-D0DB-D9B12AAD0CCA}");
  AAX_VComponentDescriptor c(Context());
  EXPECT_EQ(c.HostObject(), nullptr);
  EXPECT_EQ(c.AddAudioIn(0), kAaxNoHostObject);
  EXPECT_EQ(c.AddAudioOut(1), kAaxNoHostObject);
  EXPECT_EQ(c.AddAudioBufferLength(2), kAaxNoHostObject);
  EXPECT_EQ(c.AddAuxOutputStem(0, 1, "a"), kAaxNoHostObject);
  EXPECT_EQ(c.AddPrivateData(1, 4, 0), kAaxNoHostObject);
  EXPECT_EQ(c.AddMeters(1, nullptr, 0), kAaxNoHostObject);
  EXPECT_EQ(c.AddMIDINode(1, 3, "n", 1), kAaxNoHostObject);
  EXPECT_EQ(c.AddProcessProc(nullptr, nullptr, nullptr, nullptr, nullptr), kAaxNoHostObject);
}

}  // namespace
