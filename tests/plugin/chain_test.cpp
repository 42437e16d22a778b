// The amplifier chain driven through the plug-in as a host drives it.
#include <cmath>
#include <cstring>
#include <limits>
#include <thread>

#include <gtest/gtest.h>

#include "tests/plugin/amp_fixture.h"
#include "tests/plugin/frequency_response.h"
#include "tests/support/fake_editor.h"

namespace {

using amp_test::GuitarSignal;
using amp_test::MakePrepared;
using amp_test::MaxDifference;
using amp_test::RunDouble;
using amp_test::RunFloat;
using amp_test::SetPlain;

std::vector<double> Sine(int samples, double amplitude, double hz = 220) {
  std::vector<double> out(samples);
  for (int i = 0; i < samples; ++i) out[i] = amplitude * std::sin(2 * 3.14159265358979323846 * hz * i / 44100);
  return out;
}

double Rms(const std::vector<double>& x, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += x[i] * x[i];
  return std::sqrt(sum / double(to - from));
}

// A plug-in with a fake editor holding the 26 controls of the layout.
FakeEditor* AttachFakeEditor(Kavrotel& plug) {
  auto* editor = new FakeEditor(&plug);
  for (int i = 0; i < 26; ++i) editor->AddControl(-1);
  plug.AttachEditor(editor);
  return editor;
}

TEST(Chain, UnpreparedInstanceIsSilent) {
  Kavrotel plug{PluginInstanceInfo{}};
  const std::vector<double> out = RunDouble(plug, GuitarSignal(2000), 64);
  for (double v : out) ASSERT_EQ(v, 0.0);
}

TEST(Chain, GateStaysOffAtMinus89AndBelow) {
  const std::vector<double> in = GuitarSignal(8000);
  auto plug = MakePrepared();
  const std::vector<double> atMinimum = RunDouble(*plug, in, 64);
  for (double threshold : {-89.0, -90.0}) {
    auto other = MakePrepared();
    SetPlain(*other, kParamThreshold, threshold);
    EXPECT_EQ(RunDouble(*other, in, 64), atMinimum) << threshold;
  }
  auto gated = MakePrepared();
  SetPlain(*gated, kParamThreshold, -88.99);
  EXPECT_NE(RunDouble(*gated, in, 64), atMinimum);
}

// At -40 dB (0.01) a signal at or below 0.01 fades out as the 10 Hz smoother settles; a louder
// one opens the gate again just as smoothly.
TEST(Chain, GateClosesOnQuietInputAndReopensOnLoud) {
  auto plug = MakePrepared();
  SetPlain(*plug, kParamThreshold, -40);
  SetPlain(*plug, kParamInput, 50);  // unit input gain: the input meter shows the gated input
  std::vector<double> in = Sine(44100, 0.01);
  const std::vector<double> loud = Sine(22050, 0.2);
  in.insert(in.end(), loud.begin(), loud.end());

  auto open = MakePrepared();
  const std::vector<double> ungated = RunDouble(*open, in, 64);
  const std::vector<double> out = RunDouble(*plug, in, 64);
  EXPECT_LT(Rms(out, 30000, 44100), 1e-3 * Rms(ungated, 30000, 44100));
  EXPECT_GT(Rms(out, 44100 + 11025, 66150), 0.5 * Rms(ungated, 44100 + 11025, 66150));
  // Smooth, not a switch: twenty samples into the loud part the gate is still nearly shut.
  EXPECT_LT(std::fabs(out[44100 + 20]), 0.5 * Rms(ungated, 44100 + 11025, 66150));
}

TEST(Chain, PedalStageFollowsPedalBypassAlone) {
  const std::vector<double> in = GuitarSignal(6000);
  auto plain = MakePrepared();
  const std::vector<double> withoutPedal = RunDouble(*plain, in, 64);

  // Off: the pedal's own values change nothing, bit for bit.
  auto offTuned = MakePrepared();
  SetPlain(*offTuned, kParamDjentGain, 90);
  SetPlain(*offTuned, kParamDjentTone, 5.5);
  SetPlain(*offTuned, kParamDjentTone2, 10);
  SetPlain(*offTuned, kParamPedal, 1);  // shows the controls only
  EXPECT_EQ(RunDouble(*offTuned, in, 64), withoutPedal);

  // On: the pedal runs whether its controls are shown or hidden.
  auto onHidden = MakePrepared();
  SetPlain(*onHidden, kParamPedalBypass, 1);
  const std::vector<double> pedalHidden = RunDouble(*onHidden, in, 64);
  auto onShown = MakePrepared();
  SetPlain(*onShown, kParamPedalBypass, 1);
  SetPlain(*onShown, kParamPedal, 1);
  EXPECT_EQ(RunDouble(*onShown, in, 64), pedalHidden);
  EXPECT_GT(MaxDifference(pedalHidden, withoutPedal), 1e-3);
}

TEST(Chain, PreampModelsSoundDifferent) {
  const std::vector<double> in = GuitarSignal(6000);
  auto borkan = MakePrepared();
  auto stygra = MakePrepared();
  SetPlain(*stygra, kParamPreamp, 1);
  EXPECT_GT(MaxDifference(RunDouble(*borkan, in, 64), RunDouble(*stygra, in, 64)), 1e-2);
}

TEST(Chain, CabinetSwitchChangesNothing) {
  const std::vector<double> in = GuitarSignal(8192);
  auto plain = MakePrepared();
  const std::vector<double> expected = RunDouble(*plain, in, 64);
  auto toggled = MakePrepared();
  const int loads = toggled->chain().modelLoadCount();
  std::vector<double> out;
  for (int part = 0; part < 4; ++part) {
    SetPlain(*toggled, kParamCabinetSwitch, part % 2 ? 0 : 1);
    const std::vector<double> piece(in.begin() + part * 2048, in.begin() + (part + 1) * 2048);
    const std::vector<double> o = RunDouble(*toggled, piece, 64);
    out.insert(out.end(), o.begin(), o.end());
  }
  EXPECT_EQ(out, expected);
  EXPECT_EQ(toggled->chain().modelLoadCount(), loads);
}

TEST(Chain, ModelSwitchesLoadTheirTables) {
  auto plug = MakePrepared();
  auto loaded = [](const ImpulseBuffer& buffer, const float* table) {
    return buffer.GetChannelCount() == 1 && buffer.GetLength(0) == kImpulseLength &&
           std::memcmp(buffer.GetChannel(0), table, sizeof(float) * kImpulseLength) == 0;
  };
  EXPECT_TRUE(loaded(plug->chain().preampImpulse(), kImpulseTables[kPreampTable0]));
  EXPECT_TRUE(loaded(plug->chain().cabinetImpulse(), kImpulseTables[kCabinetTable0]));

  int loads = plug->chain().modelLoadCount();
  SetPlain(*plug, kParamPreamp, 1);
  EXPECT_EQ(plug->chain().modelLoadCount(), ++loads);
  EXPECT_EQ(plug->preampModel(), 1);
  EXPECT_TRUE(loaded(plug->chain().preampImpulse(), kImpulseTables[kPreampTable1]));
  EXPECT_TRUE(loaded(plug->chain().cabinetImpulse(), kImpulseTables[kCabinetTable0]));

  for (int cabinet : {2, 1, 0}) {
    SetPlain(*plug, kParamCabinetModel, cabinet);
    EXPECT_EQ(plug->chain().modelLoadCount(), ++loads);  // both chains restarted every time
    EXPECT_TRUE(loaded(plug->chain().cabinetImpulse(), kImpulseTables[kCabinetTable0 + cabinet]));
    EXPECT_TRUE(loaded(plug->chain().preampImpulse(), kImpulseTables[kPreampTable1]));
  }
}

// A host's normalised values reach the models through the parameter's rounding.
TEST(Chain, HostChangesSelectModels) {
  auto plug = MakePrepared();
  ASSERT_TRUE(plug->SetParameterFromHost(kParamPreamp, 1.0));
  EXPECT_EQ(plug->preampModel(), 1);
  ASSERT_TRUE(plug->SetParameterFromHost(kParamCabinetModel, 0.74));  // 1.48 rounds to 1
  EXPECT_EQ(plug->cabinetModel(), 1);
  ASSERT_TRUE(plug->SetParameterFromHost(kParamCabinetModel, 0.75));  // 1.5 rounds up
  EXPECT_EQ(plug->cabinetModel(), 2);
  EXPECT_EQ(std::memcmp(plug->chain().cabinetImpulse().GetChannel(0),
                        kImpulseTables[kCabinetTable2], sizeof(float) * kImpulseLength),
            0);
  EXPECT_FALSE(plug->SetParameterFromHost(19, 0.5));
}

// The tone stack's fixed designs move with the preamp model.
TEST(Chain, PreampModelMovesTheToneStack) {
  auto plug = MakePrepared();
  const AmpStages::Sections& s = plug->chain().stages().sections();
  auto halfGainAt = [](const Biquad& f, double hz) {
    return std::fabs(Magnitude(f, hz) - 0.5) < 1e-9;
  };
  EXPECT_TRUE(halfGainAt(s.treble, 1539.2));
  EXPECT_TRUE(halfGainAt(s.mid, 289.373));
  EXPECT_TRUE(halfGainAt(s.bassLowPass, 200.222));
  SetPlain(*plug, kParamPreamp, 1);
  EXPECT_TRUE(halfGainAt(s.treble, 1591.549));
  EXPECT_TRUE(halfGainAt(s.mid, 221));
  EXPECT_TRUE(halfGainAt(s.lowMid, 221));
  EXPECT_TRUE(halfGainAt(s.bass, 6.5));
  EXPECT_TRUE(halfGainAt(s.bassLowPass, 313.92));
  SetPlain(*plug, kParamDjentTone, 6);
  EXPECT_TRUE(halfGainAt(s.pedalLowPass, 650));
  EXPECT_TRUE(halfGainAt(s.pedalHighPass, 6000));
}

// Every design assumes 44100 Hz: the host's rate changes nothing.
TEST(Chain, HostRateEntersNoDesign) {
  const std::vector<double> in = GuitarSignal(6000);
  auto at44100 = MakePrepared();
  SetPlain(*at44100, kParamPedalBypass, 1);
  SetPlain(*at44100, kParamThreshold, -60);
  const std::vector<double> expected = RunDouble(*at44100, in, 64);
  for (double rate : {22050.0, 48000.0, 96000.0}) {
    Kavrotel plug{PluginInstanceInfo{}};
    plug.Prepare(rate);
    SetPlain(plug, kParamPedalBypass, 1);
    SetPlain(plug, kParamThreshold, -60);
    EXPECT_EQ(RunDouble(plug, in, 64), expected) << rate;
  }
}

// Indices outside the 19 change nothing.
TEST(Chain, UnknownParameterIndexChangesNothing) {
  const std::vector<double> in = GuitarSignal(3000);
  auto plain = MakePrepared();
  auto poked = MakePrepared();
  const int loads = poked->chain().modelLoadCount();
  for (int32_t index : {-1, 19, 1000}) poked->ParameterChanged(index);
  EXPECT_EQ(poked->chain().modelLoadCount(), loads);
  EXPECT_EQ(RunDouble(*poked, in, 64), RunDouble(*plain, in, 64));
}

struct SplitCase {
  int block;
  bool floatPath;
};

class BlockSplit : public testing::TestWithParam<SplitCase> {};

// Only the per-block restart of the anti-denormal noise depends on the split.
TEST_P(BlockSplit, OutputDoesNotDependOnBlockSize) {
  const std::vector<double> in = GuitarSignal(8192);
  const SplitCase c = GetParam();
  auto run = [&c, &in](Kavrotel& plug, int block) {
    return c.floatPath ? RunFloat(plug, in, block) : RunDouble(plug, in, block);
  };
  auto whole = MakePrepared();
  const std::vector<double> expected = run(*whole, 8192);
  auto split = MakePrepared();
  const std::vector<double> out = run(*split, c.block);
  EXPECT_LT(MaxDifference(out, expected), 1e-5);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, BlockSplit,
    testing::Values(SplitCase{1, false}, SplitCase{2, false}, SplitCase{7, false},
                    SplitCase{63, false}, SplitCase{64, false}, SplitCase{100, false},
                    SplitCase{1024, false}, SplitCase{4096, false}, SplitCase{1, true},
                    SplitCase{32, true}, SplitCase{64, true}, SplitCase{257, true},
                    SplitCase{1024, true}, SplitCase{4096, true}));

TEST(Chain, InPlaceEqualsSeparateBuffersAndInputIsNeverWritten) {
  const std::vector<double> in = GuitarSignal(5000);
  auto separate = MakePrepared();
  std::vector<double> input = in;
  std::vector<double> out(in.size());
  for (size_t start = 0; start < in.size(); start += 100) {
    const int n = int(std::min<size_t>(100, in.size() - start));
    double* ins[1] = {input.data() + start};
    double* outs[1] = {out.data() + start};
    LockGuard guard(separate->GetLock());
    separate->ProcessBlock(ins, outs, n);
  }
  EXPECT_EQ(input, in);
  auto inPlace = MakePrepared();
  EXPECT_EQ(RunDouble(*inPlace, in, 100, true), out);
}

TEST(Chain, LoudInputNeverGivesNotANumber) {
  for (bool pedal : {false, true}) {
    auto plug = MakePrepared();
    SetPlain(*plug, kParamPedalBypass, pedal ? 1 : 0);
    SetPlain(*plug, kParamInput, 100);
    SetPlain(*plug, kParamGain, 100);
    SetPlain(*plug, kParamMaster, 100);
    std::vector<double> in = GuitarSignal(4000);
    for (double& v : in) v *= 1e30;
    for (double v : RunDouble(*plug, in, 64)) {
      ASSERT_TRUE(std::isfinite(v));
      ASSERT_LT(std::fabs(v), 100.0);
    }
  }
}

// A bad sample from a host (not a number, infinite, or so large that the input level would
// overflow) is taken as silence; it cannot poison the filter states or the meters.
TEST(Chain, BadInputIsTakenAsSilence) {
  std::vector<double> in = GuitarSignal(8000);
  std::vector<double> clean = in;
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity(), 1e308,
                        -std::numeric_limits<double>::max()};
  for (int k = 0; k < 5; ++k) {
    in[1000 + 1300 * k] = bad[k];
    clean[1000 + 1300 * k] = 0.0;
  }
  auto prepare = [] {
    auto plug = MakePrepared();
    SetPlain(*plug, kParamThreshold, -60);
    SetPlain(*plug, kParamPedalBypass, 1);
    SetPlain(*plug, kParamInput, 100);
    SetPlain(*plug, kParamDjentGain, 100);
    return plug;
  };
  auto plug = prepare();
  auto reference = prepare();
  const std::vector<double> out = RunDouble(*plug, in, 64);
  EXPECT_EQ(out, RunDouble(*reference, clean, 64));
  for (double v : out) ASSERT_TRUE(std::isfinite(v));
  EXPECT_EQ(plug->chain().InputMeterLevel(), reference->chain().InputMeterLevel());
}

TEST(Chain, MetersRiseAndFallWithTheirBallistics) {
  auto plug = MakePrepared();
  FakeEditor* editor = AttachFakeEditor(*plug);
  SetPlain(*plug, kParamInput, 50);  // unit input gain: the block's input peak is 1.0
  const std::vector<double> ones(64, 1.0), silence(64, 0.0);
  const double rising[] = {0.6, 0.84, 0.936};
  for (double expected : rising) {
    RunDouble(*plug, ones, 64);
    EXPECT_NEAR(plug->chain().InputMeterLevel(), expected, 1e-15);
    EXPECT_NEAR(editor->ControlAt(Kavrotel::kInputMeterControl)->value, expected, 1e-15);
  }
  for (int i = 0; i < 60; ++i) RunDouble(*plug, ones, 64);
  EXPECT_NEAR(plug->chain().InputMeterLevel(), 1.0, 1e-15);
  for (double expected : {0.95, 0.9025}) {
    RunDouble(*plug, silence, 64);
    EXPECT_NEAR(plug->chain().InputMeterLevel(), expected, 1e-14);
  }
  // An empty block still takes one step with peaks of 0.
  {
    LockGuard guard(plug->GetLock());
    plug->ProcessBlock(plug->GetInputPointers(), plug->GetOutputPointers(), 0);
  }
  EXPECT_NEAR(plug->chain().InputMeterLevel(), 0.9025 * 0.95, 1e-14);
  EXPECT_GT(plug->chain().OutputMeterLevel(), 0.0);
  EXPECT_EQ(editor->ControlAt(Kavrotel::kOutputMeterControl)->value,
            plug->chain().OutputMeterLevel());
}

TEST(Chain, PedalSwitchHidesItsControlsAndBypassLightsTheLamp) {
  auto plug = MakePrepared();
  FakeEditor* editor = AttachFakeEditor(*plug);
  plug->NotifyAllParamChanges();  // "Pedal" off
  for (int i = 0; i < 26; ++i) {
    const bool inGroup = i == 18 || (i >= 20 && i <= 24);
    EXPECT_EQ(editor->ControlAt(i)->hidden, inGroup) << i;
  }
  SetPlain(*plug, kParamPedal, 1);
  for (int i = 0; i < 26; ++i) EXPECT_FALSE(editor->ControlAt(i)->hidden) << i;
  SetPlain(*plug, kParamPedalBypass, 1);
  EXPECT_EQ(editor->ControlAt(24)->value, 1.0);
  SetPlain(*plug, kParamPedalBypass, 0.49);
  EXPECT_EQ(editor->ControlAt(24)->value, 0.0);
}

TEST(Chain, StateRestoreReloadsModelsTwice) {
  auto plug = MakePrepared();
  SetPlain(*plug, kParamCabinetModel, 2);
  IStateChunk chunk;
  ASSERT_TRUE(plug->SaveState(chunk));
  auto restored = MakePrepared();
  const int loads = restored->chain().modelLoadCount();
  EXPECT_EQ(restored->RestoreState(chunk), 152);
  EXPECT_EQ(restored->chain().modelLoadCount(), loads + 2);
  EXPECT_EQ(restored->cabinetModel(), 2);
  const std::vector<double> in = GuitarSignal(3000);
  EXPECT_EQ(RunDouble(*restored, in, 64), RunDouble(*plug, in, 64));
}

TEST(Chain, ManyInstancesAtOnceSoundAlike) {
  const std::vector<double> in = GuitarSignal(3200);
  auto single = MakePrepared();
  const std::vector<double> expected = RunDouble(*single, in, 32);
  std::vector<std::unique_ptr<Kavrotel>> plugs;
  for (int i = 0; i < 4; ++i) plugs.push_back(MakePrepared());
  std::vector<std::vector<double>> outs(plugs.size());
  for (size_t start = 0; start < in.size(); start += 32) {  // interleaved, block by block
    const std::vector<double> piece(in.begin() + start, in.begin() + start + 32);
    for (size_t p = 0; p < plugs.size(); ++p) {
      const std::vector<double> o = RunDouble(*plugs[p], piece, 32);
      outs[p].insert(outs[p].end(), o.begin(), o.end());
    }
  }
  for (const auto& o : outs) EXPECT_EQ(o, expected);
}

TEST(Chain, ManyInstancesOnTheirOwnThreadsSoundAlike) {
  const std::vector<double> in = GuitarSignal(3200);
  std::vector<std::unique_ptr<Kavrotel>> threaded;
  for (int i = 0; i < 4; ++i) threaded.push_back(MakePrepared());
  std::vector<std::vector<double>> threadOuts(threaded.size());
  std::vector<std::thread> threads;
  for (size_t p = 0; p < threaded.size(); ++p) {
    threads.emplace_back([&, p] { threadOuts[p] = RunFloat(*threaded[p], in, 64); });
  }
  for (auto& thread : threads) thread.join();
  auto reference = MakePrepared();
  const std::vector<double> floatExpected = RunFloat(*reference, in, 64);
  for (const auto& o : threadOuts) EXPECT_EQ(o, floatExpected);
}

}  // namespace
