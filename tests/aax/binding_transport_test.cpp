// The transport getters of the AAX binding, read by a small plug-in of its own from its block
// routine: the host's transport during a block (the fake host's: 120 bpm, 3/4, playing, tick
// 4800000, loop 0..3840000, sample 88200), zeros outside one and in a block without a transport
// node.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "tests/aax/binding_fixture.h"

namespace {

using testing::Contains;
using testing::Not;

PluginDescriptor ProbeFacts() {
  PluginDescriptor facts;
  facts.effectName = "Transport probe";
  facts.version = 0x10000;
  facts.uniqueId = 0x54505242;  // 'TPRB'
  facts.paramCount = 1;
  facts.channelIO = "1-1";
  return facts;
}

// What the four getters gave in the last block.
struct Reading {
  double tempo = -1.0;
  int32_t sample = -1;
  int32_t numerator = -1;
  int32_t denominator = -1;
  ITransportInfo info;
};

class TransportProbe final : public IPlugAAX {
 public:
  TransportProbe() : IPlugAAX(IPlugAAXInstanceInfo{}, ProbeFacts()) {
    GetParameter(0)->InitDouble("Level", 50.0, 0.0, 100.0, 0.01, "%", "");
  }
  void ProcessBlock(double** inputs, double** outputs, int32_t frames) override {
    ++blocks;
    Read(&inBlock);
    IPlugAAX::ProcessBlock(inputs, outputs, frames);
  }
  void Read(Reading* r) {
    r->tempo = GetTempo();
    r->sample = GetSamplePosition();
    GetTimeSignature(&r->numerator, &r->denominator);
    r->info = ITransportInfo{};
    r->info.lastBarStart = -7.0;  // left as it was
    GetTransport(&r->info);
  }

  int blocks = 0;
  Reading inBlock;
};

class AaxTransportTest : public AaxBindingTest {
 protected:
  void SetUp() override {
    AaxBindingTest::SetUp();
    probe = new TransportProbe;
    ASSERT_EQ(Adopt(probe), probe);
  }
  void Block(void* transportNode) {
    std::vector<float> in(64, 0.25f), out(64, 0.0f);
    float* ins[] = {in.data()};
    float* outs[] = {out.data()};
    RenderChannels(probe, ins, outs, 64, transportNode);
    EXPECT_EQ(out, in);  // the base's block routine copies
  }
  // Every field of a reading against the one expected.
  static void ExpectReading(const Reading& r, const Reading& e) {
    EXPECT_EQ(r.tempo, e.tempo);
    EXPECT_EQ(r.sample, e.sample);
    EXPECT_EQ(r.numerator, e.numerator);
    EXPECT_EQ(r.denominator, e.denominator);
    EXPECT_EQ(r.info.tempo, e.info.tempo);
    EXPECT_EQ(r.info.transportRunning, e.info.transportRunning);
    EXPECT_EQ(r.info.numerator, e.info.numerator);
    EXPECT_EQ(r.info.denominator, e.info.denominator);
    EXPECT_EQ(r.info.quarterNotePosition, e.info.quarterNotePosition);
    EXPECT_EQ(r.info.samplePosition, e.info.samplePosition);
    EXPECT_EQ(r.info.loopActive, e.info.loopActive);
    EXPECT_EQ(r.info.cycleStart, e.info.cycleStart);
    EXPECT_EQ(r.info.cycleEnd, e.info.cycleEnd);
    EXPECT_EQ(r.info.lastBarStart, e.info.lastBarStart);
  }
  // Zeros everywhere; the last bar start left as it was.
  static Reading Zeros() {
    Reading z;
    z.tempo = 0.0;
    z.sample = z.numerator = z.denominator = 0;
    z.info = ITransportInfo{};
    z.info.lastBarStart = -7.0;
    return z;
  }
  static void ExpectZeros(const Reading& r) { ExpectReading(r, Zeros()); }
  TransportProbe* probe = nullptr;
};

TEST_F(AaxTransportTest, DuringABlockTheHostsTransport) {
  Block(&node);
  ASSERT_EQ(probe->blocks, 1);
  Reading host = Zeros();  // the fake host's transport
  host.tempo = host.info.tempo = 120.0;
  host.sample = 88200;
  host.info.samplePosition = 88200.0;
  host.numerator = host.info.numerator = 3;
  host.denominator = host.info.denominator = 4;
  host.info.transportRunning = true;
  host.info.quarterNotePosition = 5.0;  // tick 4800000 / 960000
  host.info.loopActive = true;
  host.info.cycleEnd = 4.0;  // loop end 3840000 / 960000
  ExpectReading(probe->inBlock, host);
  EXPECT_THAT(transport.log, Not(Contains("destructor")));
}

TEST_F(AaxTransportTest, ZerosOutsideABlockAndWithoutANode) {
  Reading before;
  probe->Read(&before);
  ExpectZeros(before);
  Block(&node);
  Reading after;
  probe->Read(&after);
  ExpectZeros(after);
  transport.log.clear();
  Block(nullptr);
  ASSERT_EQ(probe->blocks, 2);
  ExpectZeros(probe->inBlock);
  EXPECT_TRUE(transport.log.empty());
}

}  // namespace
