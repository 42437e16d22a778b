// A model change selects prepared chains and restarts them; what is heard must be what
// rebuilding both chains gave, bit for bit. The twin below loads models the way the amplifier
// did before its chains were prepared (both chains built afresh from the tables and primed with
// the block size), and both are driven through the same changes at the same block boundaries.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "plugin/amp_chain.h"
#include "plugin/impulse_tables.h"
#include "tests/plugin/amp_fixture.h"

namespace {

class RebuildingTwin {
 public:
  AmpStages& stages() { return stages_; }

  void LoadModels(int preampModel, int cabinetModel, int blockSize) {
    stages_.DesignPreampModel(preampModel);
    Load(preampImpulse_, preampChain_, PreampImpulse(preampModel), blockSize);
    Load(cabinetImpulse_, cabinetChain_, CabinetImpulse(cabinetModel), blockSize);
  }

  void Process(const double* in, double* out, int n, const BlockControls& controls) {
    stages_.RunFirstPass(in, out, n, controls);
    Convolve(preampChain_, out, n);
    Convolve(cabinetChain_, out, n);
    stages_.RunSecondPass(out, n);
  }

 private:
  static void Load(ImpulseBuffer& impulse, ConvolutionChain& chain, const float* table, int blockSize) {
    if (impulse.SetLength(kImpulseLength) == kImpulseLength && table) {
      std::memcpy(impulse.GetChannel(0), table, sizeof(float) * kImpulseLength);
    }
    chain.SetImpulse(impulse, 0, 0, 0, 0, 0);
    chain.Add(nullptr, blockSize, 1);
    chain.Advance(chain.SamplesReady(blockSize));
  }

  static void Convolve(ConvolutionChain& chain, double* io, int n) {
    std::vector<float> narrowed(io, io + n);
    float* channels[1] = {narrowed.data()};
    chain.Add(channels, n, 1);
    ASSERT_EQ(chain.SamplesReady(n), n);
    for (int i = 0; i < n; ++i) io[i] = chain.Get()[0][i];
    chain.Advance(n);
  }

  AmpStages stages_;
  ImpulseBuffer preampImpulse_, cabinetImpulse_;
  ConvolutionChain preampChain_, cabinetChain_;
};

void Configure(AmpStages& stages) {
  stages.SetGain(70);
  stages.SetInput(60);
  stages.SetMaster(80);
  stages.SetLowpass(9000);
  stages.SetHighpass(60);
  stages.SetBass(55);
  stages.SetMid(45);
  stages.SetTreble(65);
  stages.SetPresence(40);
  stages.SetDepth(30);
  stages.SetThreshold(-70);
  stages.SetPedalTone(3);
}

struct SwitchCase {
  const char* name;
  int blockSize;               // the announced block size the chains are prepared for
  std::vector<int> blocks;     // block lengths, repeated
};

class ModelSwitch : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(ModelSwitch, SoundsAsRebuildingBothChains) {
  const SwitchCase& c = GetParam();
  const struct {
    int preamp, cabinet;
  } kModels[] = {{0, 0}, {1, 0}, {1, 2}, {0, 1}, {0, 1}, {1, 1}, {0, 2}, {1, 2}};
  const std::vector<double> in = amp_test::GuitarSignal(40000);
  BlockControls controls;
  controls.thresholdDb = -70;
  controls.pedalOn = true;
  controls.djentGain = 40;
  controls.djentTone = 3;
  controls.djentTone2 = 50;

  AmpChain chain;
  RebuildingTwin twin;
  Configure(chain.stages());
  Configure(twin.stages());
  chain.Install(PreparedModels::Build(c.blockSize));
  std::vector<double> out(in.size()), expected(in.size());
  size_t start = 0;
  int block = 0;
  for (const auto& models : kModels) {
    chain.SelectModels(models.preamp, models.cabinet);
    twin.LoadModels(models.preamp, models.cabinet, c.blockSize);
    for (int b = 0; b < 7 && start < in.size(); ++b, ++block) {
      const int n = static_cast<int>(std::min<size_t>(c.blocks[block % c.blocks.size()], in.size() - start));
      chain.Process(in.data() + start, out.data() + start, n, controls);
      twin.Process(in.data() + start, expected.data() + start, n, controls);
      start += static_cast<size_t>(n);
    }
  }
  ASSERT_GT(start, 0u);
  EXPECT_EQ(std::memcmp(out.data(), expected.data(), sizeof(double) * start), 0);
  double loudest = 0;
  for (size_t i = 0; i < start; ++i) loudest = std::max(loudest, std::fabs(out[i]));
  EXPECT_GT(loudest, 1e-3);  // the comparison is of sound, not of silence
}

INSTANTIATE_TEST_SUITE_P(BlockSizes, ModelSwitch,
                         ::testing::Values(SwitchCase{"Single", 1, {1}}, SwitchCase{"Block64", 64, {64}},
                                           SwitchCase{"Block100", 100, {100}},
                                           SwitchCase{"Varying1024", 1024, {1024, 1, 17, 333, 64, 1000, 2}},
                                           SwitchCase{"Shorter512", 512, {333, 511, 100}}),
                         [](const ::testing::TestParamInfo<SwitchCase>& info) { return info.param.name; });

// A second Reset for the same block size keeps the prepared chains; another block size gets
// new ones (built while the old still exist, so at another address).
TEST(ModelSwitch, ResetRebuildsOnlyForANewBlockSize) {
  auto plug = amp_test::MakePrepared();
  const ImpulseBuffer* prepared = &plug->chain().preampImpulse();
  plug->Reset();
  EXPECT_EQ(&plug->chain().preampImpulse(), prepared);
  EXPECT_TRUE(plug->chain().IsPreparedFor(plug->GetBlockSize()));
  plug->SetBlockSize(256);
  plug->Reset();
  EXPECT_NE(&plug->chain().preampImpulse(), prepared);
  EXPECT_TRUE(plug->chain().IsPreparedFor(256));
}

}  // namespace
