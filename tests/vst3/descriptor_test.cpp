// Kavrotel's record of facts is what the host sees: the VST3 factory's information records and
// the plug-in base of an instance made by the deliverable's create function both carry it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "bindings/vst3/iplug_vst3.h"
#include "bindings/vst3/vst3_factory.h"
#include "plugin/kavrotel_descriptor.h"

namespace {

using namespace Steinberg;

// The factory's records, read through its interfaces as a host reads them.
struct FactoryRecords {
  PFactoryInfo factory{};
  PClassInfo2 cls{};
  PClassInfoW wide{};
};

FactoryRecords ReadFactory() {
  FactoryRecords r;
  IPluginFactory* factory = vst3_binding::GetFactory();
  EXPECT_EQ(factory->getFactoryInfo(&r.factory), kResultOk);
  IPluginFactory3* f3 = nullptr;
  EXPECT_EQ(factory->queryInterface(IPluginFactory3::iid.bytes, reinterpret_cast<void**>(&f3)), kResultOk);
  if (f3) {
    EXPECT_EQ(f3->getClassInfo2(0, &r.cls), kResultOk);
    EXPECT_EQ(f3->getClassInfoUnicode(0, &r.wide), kResultOk);
    f3->release();
  }
  factory->release();
  return r;
}

// ASCII out of a UTF-16 field (the record's texts are ASCII).
std::string Narrow(const char16* text) {
  std::string out;
  while (*text) out += static_cast<char>(*text++);
  return out;
}

struct TextCase {
  const char* field;
  std::string (*read)(const FactoryRecords&);
  const char* const PluginDescriptor::*expected;
};

const TextCase kTexts[] = {
    {"FactoryVendor", [](const FactoryRecords& r) { return std::string(r.factory.vendor); }, &PluginDescriptor::vendorName},
    {"FactoryUrl", [](const FactoryRecords& r) { return std::string(r.factory.url); }, &PluginDescriptor::vendorUrl},
    {"FactoryEmail", [](const FactoryRecords& r) { return std::string(r.factory.email); }, &PluginDescriptor::vendorEmail},
    {"ClassName", [](const FactoryRecords& r) { return std::string(r.cls.name); }, &PluginDescriptor::effectName},
    {"ClassSubCategories", [](const FactoryRecords& r) { return std::string(r.cls.subCategories); },
     &PluginDescriptor::vst3SubCategories},
    {"ClassVersion", [](const FactoryRecords& r) { return std::string(r.cls.version); }, &PluginDescriptor::versionText},
    {"UnicodeName", [](const FactoryRecords& r) { return Narrow(r.wide.name); }, &PluginDescriptor::effectName},
    {"UnicodeVersion", [](const FactoryRecords& r) { return Narrow(r.wide.version); }, &PluginDescriptor::versionText},
};

class FactoryText : public ::testing::TestWithParam<TextCase> {};

TEST_P(FactoryText, IsTheRecords) {
  const TextCase& c = GetParam();
  const char* expected = kKavrotelDescriptor.*c.expected;
  ASSERT_NE(expected[0], '\0') << "the record leaves " << c.field << " empty";
  EXPECT_EQ(c.read(ReadFactory()), expected);
}

INSTANTIATE_TEST_SUITE_P(Kavrotel, FactoryText, ::testing::ValuesIn(kTexts),
                         [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.field); });

TEST(FactoryClassId, IsTheRecordsAndSpellsTheMakerAndProductCodes) {
  static_assert(sizeof(kKavrotelDescriptor.vst3ClassId) == sizeof(TUID), "a class id is 16 bytes");
  const FactoryRecords r = ReadFactory();
  const unsigned char* id = kKavrotelDescriptor.vst3ClassId.data();
  EXPECT_EQ(std::memcmp(r.cls.cid, id, 16), 0);
  EXPECT_EQ(std::memcmp(r.wide.cid, id, 16), 0);
  for (int i = 0; i < 4; ++i) {
    const int shift = 24 - 8 * i;
    EXPECT_EQ(id[8 + i], (uint32_t(kKavrotelDescriptor.makerId) >> shift) & 0xFF) << i;
    EXPECT_EQ(id[12 + i], (uint32_t(kKavrotelDescriptor.uniqueId) >> shift) & 0xFF) << i;
  }
}

TEST(PlugInBase, IdentityLayoutAndFlagsAreTheRecords) {
  const PluginDescriptor& d = kKavrotelDescriptor;
  IPlugVST3* plug = CreateVST3Plugin();
  ASSERT_NE(plug, nullptr);
  EXPECT_STREQ(plug->GetEffectName(), d.effectName);
  EXPECT_STREQ(plug->GetProductName(), d.productName);
  EXPECT_STREQ(plug->GetMakerName(), d.vendorName);
  EXPECT_EQ(plug->GetVersion(), d.version);
  EXPECT_EQ(plug->GetUniqueId(), d.uniqueId);
  EXPECT_EQ(plug->GetMakerId(), d.makerId);
  EXPECT_EQ(plug->GetParameterCount(), d.paramCount);
  EXPECT_EQ(plug->GetPresetCount(), d.presetCount);
  ASSERT_EQ(plug->GetChannelIOCount(), 1);
  const std::string io = std::to_string(plug->GetChannelIO(0)->inputs) + "-" +
                         std::to_string(plug->GetChannelIO(0)->outputs);
  EXPECT_EQ(io, d.channelIO);
  EXPECT_EQ(plug->GetLatency(), d.latency);
  EXPECT_EQ(plug->DoesMidi(), d.doesMidi);
  EXPECT_EQ(plug->DoesStateChunks(), d.doesStateChunks);
  EXPECT_EQ(plug->IsInstrument(), d.isInstrument);
  EXPECT_EQ(plug->GetPluginApi(), IPlugBase::kApiVst3);
  EXPECT_EQ(plug->release(), 0u);
}

}  // namespace
