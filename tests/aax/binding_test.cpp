// The AAX deliverable's effect on the fake host: its description, creation, parameters, the
// host's automation round trip, the render procedure and the state chunk.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "aax/aax_collection.h"
#include "aax/acf_exports.h"
#include "aax/acf_unknown.h"
#include "bindings/aax/iplug_aax.h"
#include "tests/aax/chunk_record.h"
#include "tests/aax/binding_fixture.h"

namespace {

using testing::Contains;
using testing::Not;

TEST_F(AaxBindingTest, DescriptionOfTheOneConfiguration) {
  {
    AAX_VCollection collection(Context());
    ASSERT_EQ(DescribePlugIn(&collection), 0);
  }
  auto& log = Log();
  EXPECT_THAT(log, Contains("effectDescriptor0.AddName Kavrotel"));
  EXPECT_THAT(log, Contains("collection0.AddEffect com.Quenvald.aax.Kavrotel effectDescriptor0"));
  EXPECT_THAT(log, Contains("collection0.SetManufacturerName Quenvald"));
  EXPECT_THAT(log, Contains("componentDescriptor0.AddMIDINode 6 3 Transport 65535"));
  for (const char* f : {"AddPrivateData 4 4 0", "AddPrivateData 5 4 0", "AddPrivateData 8 4 0", "AddPrivateData 7 8 0"})
    EXPECT_THAT(log, Contains(std::string("componentDescriptor0.") + f));
  EXPECT_THAT(log, Not(Contains("componentDescriptor0.AddMIDINode 4 0 Kavrotel Midi 1")));
  auto maps = host.Made("propertyMap");
  ASSERT_EQ(maps.size(), 1u);
  const auto& props = static_cast<fake_aax::PropertyMap*>(maps[0])->properties;
  const std::map<int32_t, int32_t> expected = {{11, 0x514E5644}, {12, 0x4B56524C}, {13, 0x45464E31}, {14, 0x45464131},
                                               {51, 1},          {52, 1},          {56, 0},          {60, 1}};
  EXPECT_EQ(props, expected);
  auto* descriptor = static_cast<fake_aax::EffectDescriptor*>(host.Made("effectDescriptor")[0]);
  EXPECT_EQ(descriptor->procedures.at(0), reinterpret_cast<void*>(&AAX_CIPlugParameters::Create));
  EXPECT_EQ(descriptor->procedures.at(1), reinterpret_cast<void*>(&AAX_CEffectGUI_IPLUG::Create));
}

TEST_F(AaxBindingTest, ConstructionAndParameters) {
  Create();
  EXPECT_EQ(plug->GetHostId(), 2);
  EXPECT_EQ(plug->GetPluginApi(), 4);
  EXPECT_EQ(plug->GetBlockSize(), 1024);
  EXPECT_TRUE(plug->IsInputConnected(0));
  EXPECT_TRUE(plug->IsOutputConnected(0));
  EXPECT_EQ(plug->GetSampleRate(), 48000.0);
  int32_t count = 0;
  ASSERT_EQ(plug->GetNumberOfParameters(&count), 0);
  EXPECT_EQ(count, plug->GetParameterCount() + 1);
  ASSERT_NE(plug->MasterBypass(), nullptr);
  for (int32_t i = 0; i < plug->GetParameterCount(); ++i)
    EXPECT_STREQ(plug->ParamIdentifier(i), std::to_string(i + 1).c_str());
  // A second initialisation starts the identifiers over.
  plug->Uninitialize();
  EXPECT_EQ(plug->MasterBypass(), nullptr);
  ASSERT_EQ(plug->Initialize(Context()), 0);
  EXPECT_STREQ(plug->ParamIdentifier(plug->GetParameterCount()), "");
  EXPECT_STREQ(plug->ParamIdentifier(0), "1");
}

TEST_F(AaxBindingTest, TaperOfTheFramework) {
  AAX_CIPlugTaperDelegate<double> taper(0.1, 100.0, 2.0);
  EXPECT_NEAR(taper.NormalizedToReal(0.5), 25.075, 1e-12);
  EXPECT_NEAR(taper.RealToNormalized(25.075), 0.5, 1e-12);
  EXPECT_EQ(taper.NormalizedToReal(-0.5), 0.1);
  EXPECT_EQ(taper.NormalizedToReal(1.5), 100.0);
  EXPECT_EQ(taper.RealToNormalized(500.0), 1.0);
  EXPECT_EQ(taper.NormalizedToReal(std::nan("")), 0.1);
}

TEST_F(AaxBindingTest, HostUpdatesReachTheFramework) {
  Create();
  IParameter* gain = plug->GetParameter(0);
  int32_t changes = 0;
  plug->GetChangeCount(&changes);
  ASSERT_EQ(plug->UpdateParameterNormalizedValue("1", 0.5, 0), 0);
  EXPECT_NEAR(gain->GetNormalized(), 0.5, 1e-9);
  const double before = gain->Value();
  EXPECT_EQ(plug->UpdateParameterNormalizedValue("1", std::nan(""), 0), 0);
  EXPECT_EQ(gain->Value(), before);
  EXPECT_EQ(plug->UpdateParameterNormalizedValue("1", 7.0, 0), 0);
  EXPECT_EQ(gain->GetNormalized(), 1.0);
  EXPECT_EQ(plug->UpdateParameterNormalizedValue("nope", 0.5, 0), -20001);
  ASSERT_EQ(plug->UpdateParameterNormalizedValue("MasterBypassID", 1.0, 0), 0);
  EXPECT_TRUE(plug->MasterBypassOn());
  int32_t after = 0;
  plug->GetChangeCount(&after);
  EXPECT_EQ(after, changes + 3);
}

TEST_F(AaxBindingTest, EditorChangesWaitForTheHost) {
  Create();
  IParameter* gain = plug->GetParameter(0);
  const double before = gain->Value();
  Log().clear();
  plug->BeginParamGesture(0);
  plug->SetParameterFromGUI(0, 0.25);
  plug->EndParamGesture(0);
  EXPECT_EQ(gain->Value(), before);
  EXPECT_THAT(Log(), Contains("automation.PostTouchRequest 1"));
  EXPECT_THAT(Log(), Contains("automation.PostSetValueRequest 1 0.25"));
  EXPECT_THAT(Log(), Contains("automation.PostReleaseRequest 1"));
  Log().clear();
  plug->EndParamGesture(0);  // the host took the click: no gesture began
  EXPECT_THAT(Log(), Not(Contains("automation.PostReleaseRequest 1")));
  ASSERT_EQ(plug->UpdateParameterNormalizedValue("1", 0.25, 0), 0);
  EXPECT_NEAR(gain->GetNormalized(), 0.25, 1e-9);
}

TEST_F(AaxBindingTest, RenderNewInstanceIsNotSilentAndBypassCopies) {
  Create();
  std::vector<float> in(1024), out(1024, 0.0f);
  for (size_t i = 0; i < in.size(); ++i) in[i] = 0.3f * std::sin(0.05f * static_cast<float>(i));
  Render(in, out);
  double energy = 0.0;
  for (float v : out) energy += v * v;
  EXPECT_GT(energy, 1e-6);
  plug->UpdateParameterNormalizedValue("MasterBypassID", 1.0, 0);
  Render(in, out);
  EXPECT_EQ(out, in);
  // Outside a block the transport reads zeros.
  EXPECT_EQ(plug->GetTempo(), 0.0);
  EXPECT_EQ(plug->GetSamplePosition(), 0);
}

TEST_F(AaxBindingTest, StereoStemsConnectOnlyTheDeclaredChannel) {
  Create();
  IPlugAAX* mono = Adopt(FromProcedure());
  ASSERT_NE(mono, nullptr);
  constexpr int32_t kFrames = 512;
  constexpr float kMarker = 1234.5f;
  std::vector<float> in(kFrames), second(kFrames), reference(kFrames, 0.0f), out(kFrames, 0.0f), marker(kFrames, kMarker);
  for (int32_t i = 0; i < kFrames; ++i) {
    in[i] = 0.3f * std::sin(0.05f * static_cast<float>(i));
    second[i] = 0.7f * std::cos(0.11f * static_cast<float>(i));
  }
  const std::vector<float> secondBefore = second;
  float* monoIns[] = {in.data()};
  float* monoOuts[] = {reference.data()};
  RenderChannels(mono, monoIns, monoOuts, kFrames);
  host.SetStemFormats(0x00010002, 0x00010002);
  float* stereoIns[] = {in.data(), second.data()};
  float* stereoOuts[] = {out.data(), marker.data()};
  RenderChannels(plug, stereoIns, stereoOuts, kFrames);
  double energy = 0.0;
  for (float v : reference) energy += v * v;
  EXPECT_GT(energy, 1e-6);
  EXPECT_EQ(out, reference);
  EXPECT_THAT(marker, testing::Each(kMarker));
  EXPECT_EQ(second, secondBefore);
}

TEST_F(AaxBindingTest, NullInstanceContextIsSkipped) {
  AAX_SRenderContext context{};
  AAX_SRenderContext* list[] = {&context, nullptr};
  AAX_CIPlugParameters::StaticRender(list, list + 2);
}

TEST_F(AaxBindingTest, StateChunkRoundTripAndHostileRecords) {
  Create();
  const int32_t n = plug->GetParameterCount();
  int32_t size = -1;
  ASSERT_EQ(plug->GetChunkSize(kKvrl, &size), 0);
  EXPECT_EQ(size, 8 * n);
  EXPECT_EQ(plug->GetChunkSize(1234, &size), -20007);
  EXPECT_EQ(size, 0);
  int32_t id = 0;
  EXPECT_EQ(plug->GetChunkIDFromIndex(0, &id), 0);
  EXPECT_EQ(id, kKvrl);
  EXPECT_EQ(plug->GetChunkIDFromIndex(1, &id), -20006);

  ChunkRecord saved(static_cast<size_t>(8 * n));
  ASSERT_EQ(plug->GetChunk(kKvrl, saved.Get()), 0);
  saved.Get()->identifier = kKvrl;
  EXPECT_EQ(saved.Get()->size, 8 * n);
  bool equal = false;
  ASSERT_EQ(plug->CompareChunk(saved.Get(), &equal), 0);
  EXPECT_TRUE(equal);
  // Gain 40 is stored first, little-endian.
  EXPECT_EQ(std::memcmp(saved.Get()->Data(), "\0\0\0\0\0\0\x44\x40", 8), 0);

  plug->UpdateParameterNormalizedValue("1", 0.9, 0);
  ASSERT_EQ(plug->CompareChunk(saved.Get(), &equal), 0);
  EXPECT_FALSE(equal);
  Log().clear();
  ASSERT_EQ(plug->SetChunk(kKvrl, saved.Get()), 0);
  EXPECT_EQ(plug->GetParameter(0)->Value(), 40.0);
  int posted = 0;
  for (const auto& line : Log()) posted += line.rfind("automation.PostSetValueRequest", 0) == 0;
  EXPECT_EQ(posted, n);

  // Short, negative and foreign records change nothing.
  plug->UpdateParameterNormalizedValue("1", 0.9, 0);
  const double moved = plug->GetParameter(0)->Value();
  ChunkRecord shortRecord(80);
  std::memcpy(shortRecord.Get()->Data(), saved.Get()->Data(), 80);
  shortRecord.Get()->size = 80;
  shortRecord.Get()->identifier = kKvrl;
  EXPECT_EQ(plug->SetChunk(kKvrl, shortRecord.Get()), -20008);
  shortRecord.Get()->size = -5;
  EXPECT_EQ(plug->SetChunk(kKvrl, shortRecord.Get()), -20008);
  EXPECT_EQ(plug->SetChunk(99, saved.Get()), -20007);
  EXPECT_EQ(plug->GetParameter(0)->Value(), moved);
  shortRecord.Get()->size = 80;
  ASSERT_EQ(plug->CompareChunk(shortRecord.Get(), &equal), 0);
  EXPECT_FALSE(equal);
  shortRecord.Get()->identifier = 1;
  ASSERT_EQ(plug->CompareChunk(shortRecord.Get(), &equal), 0);
  EXPECT_TRUE(equal);
}

}  // namespace
