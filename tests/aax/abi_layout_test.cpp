// The records and codes the library shares with the host, pinned at compile time, and every
// identifier constant checked byte for byte against its registry text, turned into bytes by
// the fake host's own reading of the Windows GUID layout.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "platform/aax/aax_host_abi.h"
#include "tools/aaxhost/fake_host.h"

namespace {

static_assert(sizeof(AcfIID) == 16 && alignof(AcfIID) == 4, "identifier record");
static_assert(offsetof(AcfIID, data1) == 0 && offsetof(AcfIID, data2) == 4 && offsetof(AcfIID, data3) == 6 &&
                  offsetof(AcfIID, data4) == 8,
              "identifier fields");
static_assert(std::is_standard_layout_v<AcfIID> && std::is_trivially_copyable_v<AcfIID>, "identifier is plain data");
static_assert(sizeof(AAX_Point) == 8 && offsetof(AAX_Point, vertical) == 0 && offsetof(AAX_Point, horizontal) == 4,
              "point: vertical first");
static_assert(sizeof(AAX_Result) == 4 && sizeof(bool) == 1, "result and flag sizes");
// Every interface is a table pointer and nothing else: no destructor slot crept in as a member.
static_assert(sizeof(IACFUnknown) == sizeof(void*) && sizeof(IACFClassFactory) == sizeof(void*) &&
                  sizeof(AAX_IACFController) == sizeof(void*) && sizeof(AAX_IACFViewContainer) == sizeof(void*) &&
                  sizeof(AAX_IString) == sizeof(void*) && sizeof(AAX_ITransport) == sizeof(void*),
              "interfaces are one table pointer");
// Interfaces the host calls or implements never carry a C++ virtual destructor (g++ would give
// it two slots where the host's compiler gives one).
static_assert(!std::has_virtual_destructor_v<IACFUnknown> && !std::has_virtual_destructor_v<AAX_IString> &&
                  !std::has_virtual_destructor_v<AAX_ITransport> && !std::has_virtual_destructor_v<AAX_IACFCollection> &&
                  !std::has_virtual_destructor_v<AAX_IACFComponentDescriptor>,
              "no virtual destructor crosses the boundary");

static_assert(kAaxOk == 0 && kAaxUnknownParameter == -20001 && kAaxTextNotConvertible == -20002 &&
                  kAaxNoHostObject == -20004 && kAaxChunkIndexOutOfRange == -20006 && kAaxUnknownChunk == -20007 &&
                  kAaxChunkSizeInvalid == -20008 && kAaxNotSupported == -20009 && kAaxEditorWithoutHost == -20011 &&
                  kAaxNegativeSteps == -20033 && kAaxChunkOverflow == -333,
              "library result codes");
static_assert(static_cast<uint32_t>(kAcfNoInterface) == 0x80000004u && static_cast<uint32_t>(kAcfUnexpected) == 0x8000FFFFu,
              "component-model codes");

static_assert(kIidAcfUnknown.data1 == 0 && kIidAcfUnknown.data4[0] == 0xC0 && kIidAcfUnknown.data4[7] == 0x46, "unknown");
static_assert(kIidEffectParameters.data1 == 0x964E333D && kIidEffectParameters.data2 == 0x334C &&
                  kIidEffectParameters.data3 == 0x533F && kIidEffectParameters.data4[0] == 0xC2 &&
                  kIidEffectParameters.data4[7] == 0x3E,
              "fields parsed in order");
static_assert(kIidEffectParameters != kIidEffectGui && kIidEffectParameters == kIidEffectParameters, "compared by field");

struct Case {
  const AcfIID* id;
  const char* text;
};
const Case kCases[] = {
    {&kIidAcfUnknown, "{00000000-0000-0000-C000-000000000046}"},
    {&kIidPluginDefinition, "{00EEF015-7FD0-11D6-8485-00306542A024}"},
    {&kIidEffectParameters, "{964E333D-334C-533F-C2C7-3834C3C23E3E}"},
    {&kIidEffectParametersV2, "{F1F47D06-308F-4CC5-9C7C-50A83F8AB813}"},
    {&kIidEffectGui, "{964E323D-424C-5E1A-2227-282423222E1E}"},
    {&kIidViewContainer, "{22DA0BBC-D550-4D5E-8CC6-734483B8837F}"},
    {&kIidClassFactory, "{382B6A96-7FD0-11D6-BCFE-00306542A024}"},
    {&kIidController, "{9D5E3E3D-52DC-5EFB-2018-DE1DE2E63F4E}"},
    {&kIidControllerV2, "{4C59AA0E-D7C0-4205-8B6C-32468D42D202}"},
    {&kIidTransport, "{5CEE4EF4-6337-4359-B63B-FE58DC36543A}"},
    {&kIidTransportV2, "{203CBD9F-982C-4FE6-A827-07480257AEC3}"},
    {&kIidAutomationDelegate, "{9D5E3D3D-42DC-5EFA-2217-EEE2E8E53E2E}"},
    {&kClsidHostServices, "{88882C2D-EBBC-42EF-C0AB-8981B0BD0CCA}"},
    {&kIidHostServices, "{96D42C2D-EBBC-41EF-B0AB-9991A0ED0CCA}"},
    {&kClsidPropertyMap, "{A587AD3D-D53C-4ADC-D0DD-D9D12DDDDCDA}"},
    {&kIidPropertyMap, "{96EE2C2D-EECC-5EFF-E2D7-E849E3E2EEEE}"},
    {&kIidPropertyMapV2, "{7177DF80-7C9C-11E2-B92A-0800200C9A66}"},
    {&kClsidCollection, "{89882C2D-77BC-42EF-707B-7981B7BD0CCA}"},
    {&kIidCollection, "{96D42C2D-EBBC-41DF-B1AB-9991A2EE0CCA}"},
    {&kClsidEffectDescriptor, "{89872C2D-75BC-423F-401B-F9A1BAAD0CCA}"},
    {&kIidEffectDescriptor, "{96D42C2D-EBBC-41EF-D1CB-499442E40FDA}"},
    {&kIidEffectDescriptorV2, "{41ECCC52-416B-4072-84BD-40B05210A74C}"},
    {&kClsidComponentDescriptor, "{94872C3D-95BC-413D-D0DB-D9B12AAD0CCA}"},
    {&kIidComponentDescriptor, "{96E42C2D-E2BC-51EF-61C7-48994AEB0CDA}"},
    {&kIidComponentDescriptorV2, "{1895259E-AAA9-4F0F-A985-149837B76F89}"},
};

TEST(AbiLayout, EveryIdentifierHasTheBytesOfItsRegistryText) {
  for (const Case& c : kCases) {
    EXPECT_TRUE(fake_aax::SameIid(c.id, c.text)) << c.text;
  }
}

TEST(AbiLayout, IdentifiersAreDistinct) {
  for (const Case& a : kCases)
    for (const Case& b : kCases)
      if (&a != &b) {
        EXPECT_NE(*a.id, *b.id) << a.text << " " << b.text;
      }
}

TEST(AbiLayout, TheBytesOfOneIdentifierInMemoryOrder) {
  const unsigned char expected[16] = {0x3D, 0x33, 0x4E, 0x96, 0x4C, 0x33, 0x3F, 0x53,
                                      0xC2, 0xC7, 0x38, 0x34, 0xC3, 0xC2, 0x3E, 0x3E};
  EXPECT_EQ(std::memcmp(&kIidEffectParameters, expected, 16), 0);
}

}  // namespace
