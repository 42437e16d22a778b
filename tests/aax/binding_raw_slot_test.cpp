// The deliverable's effect called as the host calls it, through raw table slots by number: the
// master bypass's identifier (7), the host's update (29), the private field of the render
// context (32), the state chunk (33 to 38, its data checked byte by byte) and the change count
// (39).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "tests/aax/binding_fixture.h"
#include "tests/aax/chunk_record.h"

namespace {

using fake_aax::Call;
using testing::Each;

// A new instance's state: the 19 defaults as little-endian doubles, in index order.
const char* const kDefaultState[] = {
    "0000000000004440",  // Gain 40
    "0000000000003940",  // Input 25
    "0000000000003940",  // Master 25
    "000000000094d140",  // Lowpass 18000
    "0000000000004440",  // Highpass 40
    "0000000000805140",  // Bass 70
    "0000000000003e40",  // Mid 30
    "0000000000805140",  // Treb 70
    "0000000000805140",  // Presence 70
    "0000000000405040",  // Depth 65
    "0000000000000000",  // Preamp 0
    "0000000000000000",  // Cabinet (model) 0
    "00000000008056c0",  // Threshold -90
    "0000000000000000",  // Cabinet (switch) 0
    "0000000000000000",  // Pedal 0
    "b81e85eb51b84840",  // DjentGain 49.44
    "8fc2f5285c8f0840",  // DjentTone 3.07
    "3333333333334940",  // DjentTone2 50.4
    "0000000000000000",  // PedalBypass 0
};

std::vector<uint8_t> DefaultState() {
  std::vector<uint8_t> bytes;
  for (const char* row : kDefaultState)
    for (int i = 0; i < 16; i += 2) bytes.push_back(static_cast<uint8_t>(std::stoul(std::string(row + i, 2), nullptr, 16)));
  return bytes;
}

std::vector<uint8_t> Encode(const std::vector<double>& values) {
  std::vector<uint8_t> bytes(8 * values.size());
  if (!values.empty()) std::memcpy(bytes.data(), values.data(), bytes.size());  // x86: little-endian
  return bytes;
}

class AaxBindingSlotTest : public AaxBindingTest {
 protected:
  void SetUp() override {
    AaxBindingTest::SetUp();
    Create();
    o = Interface(plug);
  }
  int32_t ChangeCount() {
    int32_t n = -1;
    EXPECT_EQ(Call<int32_t>(o, 39, &n), 0);
    return n;
  }
  std::vector<double> Values() {
    std::vector<double> v;
    for (int32_t i = 0; i < plug->GetParameterCount(); ++i) v.push_back(plug->GetParameter(i)->Value());
    return v;
  }
  // The identifiers of the set-value requests in the log, in order.
  std::vector<std::string> Posted() {
    const std::string op = "automation.PostSetValueRequest ";
    std::vector<std::string> ids;
    for (const std::string& line : Log())
      if (line.rfind(op, 0) == 0) ids.push_back(line.substr(op.size(), line.find(' ', op.size()) - op.size()));
    return ids;
  }
  void* o = nullptr;
};

TEST_F(AaxBindingSlotTest, MasterBypassIdentifierAndHostUpdates) {
  fake_aax::HostString s;
  EXPECT_EQ(Call<int32_t>(o, 7, static_cast<void*>(&s)), 0);
  EXPECT_EQ(s.text, "MasterBypassID");
  const int32_t changes = ChangeCount();
  EXPECT_EQ(Call<int32_t>(o, 29, "1", 0.5, int32_t{0}), 0);
  EXPECT_NEAR(plug->GetParameter(0)->Value(), 25.15, 1e-12);  // 0.2 + 99.8 x 0.5^2
  EXPECT_EQ(Call<int32_t>(o, 22, "1", static_cast<void*>(&s), int32_t{32}), 0);
  EXPECT_EQ(s.text, "25.15%");
  EXPECT_EQ(Call<int32_t>(o, 29, "MasterBypassID", 1.0, int32_t{0}), 0);
  EXPECT_TRUE(plug->MasterBypassOn());
  EXPECT_NEAR(plug->GetParameter(0)->Value(), 25.15, 1e-12);
  EXPECT_EQ(Call<int32_t>(o, 29, "20", 0.5, int32_t{0}), -20001);
  EXPECT_EQ(ChangeCount(), changes + 2);
}

TEST_F(AaxBindingSlotTest, PrivateFieldsOfTheRenderContext) {
  alignas(8) unsigned char instance[8];
  std::memset(instance, 0xEE, sizeof instance);
  EXPECT_EQ(Call<int32_t>(o, 32, int32_t{7}, static_cast<void*>(instance), uint32_t{8}), 0);
  AAX_CIPlugParameters* stored = nullptr;
  std::memcpy(&stored, instance, sizeof stored);
  EXPECT_EQ(stored, static_cast<AAX_CIPlugParameters*>(plug));
  unsigned char tooSmall[4] = {0xEE, 0xEE, 0xEE, 0xEE};
  EXPECT_NE(Call<int32_t>(o, 32, int32_t{7}, static_cast<void*>(tooSmall), uint32_t{4}), 0);
  EXPECT_THAT(tooSmall, Each(0xEE));
  for (int32_t field : {4, 5, 8}) {
    unsigned char block[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(Call<int32_t>(o, 32, field, static_cast<void*>(block), uint32_t{4}), 0);
    EXPECT_THAT(block, Each(0)) << field;
  }
}

TEST_F(AaxBindingSlotTest, ChunkOfANewInstanceByteByByte) {
  int32_t n = -1;
  EXPECT_EQ(Call<int32_t>(o, 33, &n), 0);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(Call<int32_t>(o, 34, int32_t{0}, &n), 0);
  EXPECT_EQ(n, kKvrl);
  EXPECT_EQ(Call<int32_t>(o, 35, kKvrl, &n), 0);
  EXPECT_EQ(n, 152);
  ChunkRecord r(152);
  std::memset(r.Get(), 0xAB, AAX_SStateChunk::kHeaderBytes);  // the header as the host left it
  EXPECT_EQ(Call<int32_t>(o, 36, kKvrl, static_cast<void*>(r.Get())), 0);
  EXPECT_EQ(r.Get()->size, 152);
  EXPECT_EQ(r.Data(), DefaultState());
  const auto* header = reinterpret_cast<const unsigned char*>(r.Get());
  for (size_t i = 4; i < AAX_SStateChunk::kHeaderBytes; ++i) EXPECT_EQ(header[i], 0xAB) << "header byte " << i;
}

TEST_F(AaxBindingSlotTest, CompareChunk) {
  const std::vector<uint8_t> state = DefaultState();
  ChunkRecord whole = ChunkRecord::WithData(state);
  ChunkRecord head = ChunkRecord::WithData(std::vector<uint8_t>(state.begin(), state.begin() + 80));
  ChunkRecord foreign = ChunkRecord::WithData({1, 2, 3});
  whole.Get()->identifier = head.Get()->identifier = kKvrl;
  foreign.Get()->identifier = 0x656C636B;  // 'elck'
  struct Case {
    ChunkRecord* record;
    bool moved;  // Gain moved first
    bool equal;
  };
  for (const Case& c : {Case{&whole, false, true}, Case{&head, false, false}, Case{&foreign, false, true},
                        Case{&whole, true, false}, Case{&foreign, true, true}}) {
    if (c.moved) {
      ASSERT_EQ(Call<int32_t>(o, 29, "1", 0.9, int32_t{0}), 0);
    }
    bool equal = !c.equal;
    EXPECT_EQ(Call<int32_t>(o, 38, static_cast<void*>(c.record->Get()), &equal), 0);
    EXPECT_EQ(equal, c.equal) << c.record->Get()->size << (c.moved ? " moved" : "");
  }
}

TEST_F(AaxBindingSlotTest, SetChunkWholeShortAndRefused) {
  // A whole state: every value restored, each posted to the host once, one change.
  const std::vector<double> stored = {60, 30, 35, 12000, 100, 50, 40, 60, 55, 45, 1, 2, -50, 1, 1, 20, 2, 30, 1};
  ChunkRecord whole = ChunkRecord::WithData(Encode(stored));
  int32_t changes = ChangeCount();
  Log().clear();
  EXPECT_EQ(Call<int32_t>(o, 37, kKvrl, static_cast<void*>(whole.Get())), 0);
  EXPECT_EQ(Values(), stored);
  std::vector<std::string> ids;
  for (int i = 1; i <= 19; ++i) ids.push_back(std::to_string(i));
  EXPECT_EQ(Posted(), ids);
  EXPECT_EQ(ChangeCount(), changes + 1);

  // 80 bytes, a state of ten values, is refused whole like the others below.
  const std::vector<double> ten = {45, 20, 20, 9000, 60, 10, 20, 30, 40, 50};
  ChunkRecord shortRecord = ChunkRecord::WithData(Encode(ten));
  changes = ChangeCount();
  Log().clear();
  EXPECT_EQ(Call<int32_t>(o, 37, kKvrl, static_cast<void*>(shortRecord.Get())), -20008);
  const std::vector<double> expected = stored;
  EXPECT_EQ(Values(), expected);
  EXPECT_TRUE(Posted().empty());
  EXPECT_EQ(ChangeCount(), changes);

  // Refused: nothing changed, nothing posted, no change counted.
  struct Refusal {
    int32_t chunkId;
    int32_t size;  // of the whole record's size field
    bool record;
    int32_t result;
  };
  for (const Refusal& r : {Refusal{kKvrl, -1, true, -20008}, Refusal{kKvrl, INT_MIN, true, -20008}, Refusal{kKvrl, 151, true, -20008},
                           Refusal{0x656C636B, 152, true, -20007}, Refusal{kKvrl, 152, false, -20002}}) {
    whole.Get()->size = r.size;
    changes = ChangeCount();
    Log().clear();
    EXPECT_EQ(Call<int32_t>(o, 37, r.chunkId, r.record ? static_cast<void*>(whole.Get()) : nullptr), r.result)
        << r.chunkId << " " << r.size;
    EXPECT_EQ(Values(), expected);
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(ChangeCount(), changes);
  }
}

}  // namespace
