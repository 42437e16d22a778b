// Programs and banks of the amplifier as chunks, byte by byte, and every chunk a host may
// hand back: good ones restore, while short, malformed, hostile or unallocatable ones answer 0
// and change nothing (no parameter, no preset name, no redraw).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "tests/dsp/counting_heap.h"
#include "tests/support/fake_editor.h"
#include "tests/vst2/hosted_effect.h"

namespace {

using namespace vst2;
using Bytes = std::vector<uint8_t>;

constexpr double kDefaults[19] = {40, 25, 25, 18000, 40, 70, 30, 70, 70, 65, 0, 0, -90, 0, 0, 49.44, 3.07, 50.4, 0};

Bytes GetChunk(HostedEffect& e, VstInt32 index) {
  void* data = nullptr;
  const VstIntPtr size = e.Dispatch(effGetChunk, index, 0, &data);
  if (size <= 0 || !data) return {};
  const auto* bytes = static_cast<const uint8_t*>(data);
  return Bytes(bytes, bytes + size);
}

VstIntPtr SetChunk(HostedEffect& e, VstInt32 index, Bytes bytes) {
  return e.Dispatch(effSetChunk, index, static_cast<VstIntPtr>(bytes.size()), bytes.data());
}

void PutDouble(Bytes& bytes, size_t at, double v) { std::memcpy(bytes.data() + at, &v, 8); }
double GetDouble(const Bytes& bytes, size_t at) {
  double v;
  std::memcpy(&v, bytes.data() + at, 8);
  return v;
}

// Everything a refused chunk must leave as it was.
struct Snapshot {
  explicit Snapshot(HostedEffect& e) : program(GetChunk(e, 1)), name(e.Plug()->GetPresetName(0)) {}
  bool operator==(const Snapshot& o) const { return program == o.program && name == o.name; }
  Bytes program;
  std::string name;
};

TEST(Vst2AmpChunks, TheProgramChunkIsTheHeaderAndTheDefaults) {
  HostedEffect e;
  Bytes program = GetChunk(e, 1);
  ASSERT_EQ(program.size(), 160u);
  EXPECT_EQ(Bytes(program.begin(), program.begin() + 8), (Bytes{0x74, 0x66, 0x66, 0x70, 0x00, 0x00, 0x01, 0x00}));
  for (int i = 0; i < 19; ++i) EXPECT_EQ(GetDouble(program, 8 + 8 * i), kDefaults[i]) << i;
  EXPECT_EQ(Bytes(program.begin() + 8, program.begin() + 16), (Bytes{0, 0, 0, 0, 0, 0, 0x44, 0x40}));  // 40.0
  EXPECT_EQ(Bytes(program.begin() + 104, program.begin() + 112), (Bytes{0, 0, 0, 0, 0, 0x80, 0x56, 0xC0}));  // -90
  EXPECT_EQ(e.Dispatch(effGetChunk, 1, 0, nullptr), 0);
}

TEST(Vst2AmpChunks, TheBankChunkHoldsTheOnePreset) {
  HostedEffect e;
  Bytes bank = GetChunk(e, 0);
  ASSERT_EQ(bank.size(), 170u);
  EXPECT_EQ(Bytes(bank.begin() + 8, bank.begin() + 18), (Bytes{5, 0, 0, 0, 'E', 'm', 'p', 't', 'y', 1}));
  const Bytes program = GetChunk(e, 1);
  EXPECT_EQ(Bytes(bank.begin() + 18, bank.end()), Bytes(program.begin() + 8, program.end()));
}

TEST(Vst2AmpChunks, AProgramRestoresInAnotherInstance) {
  HostedEffect a, b;
  a.effect->setParameter(a.effect, 0, 0.8f);
  a.effect->setParameter(a.effect, 10, 1.0f);
  Bytes program = GetChunk(a, 1);
  auto* editor = new FakeEditor(b.Plug());
  b.Plug()->AttachEditor(editor);
  editor->ClearCalls();
  EXPECT_EQ(SetChunk(b, 1, program), 1);
  EXPECT_EQ(GetChunk(b, 1), program);
  size_t redrawn = 0;
  for (const FakeEditor::Call& call : editor->Calls()) redrawn += call.kind == FakeEditor::Call::kUpdateParameterControls;
  EXPECT_EQ(redrawn, 19u);  // every parameter's controls redrawn
  EXPECT_EQ(b.Plug()->GetPreset(0)->chunk.Size(), 152);  // the current preset holds it
  EXPECT_EQ(GetDouble(Bytes(b.Plug()->GetPreset(0)->chunk.Data(), b.Plug()->GetPreset(0)->chunk.Data() + 152), 80),
            1.0);
}

TEST(Vst2AmpChunks, ABankRestoresNamesAndStatesInAnotherInstance) {
  HostedEffect a, b;
  a.effect->setParameter(a.effect, 3, 0.3f);
  char name[] = "Crunch";
  a.Dispatch(effSetProgramName, 0, 0, name);
  Bytes bank = GetChunk(a, 0);
  EXPECT_EQ(SetChunk(b, 0, bank), 1);
  EXPECT_STREQ(b.Plug()->GetPresetName(0), "Crunch");
  EXPECT_EQ(GetChunk(b, 1), GetChunk(a, 1));
  EXPECT_EQ(GetChunk(b, 0), bank);
}

// Older headers, or none, announce a bare state; a program chunk is always one.
TEST(Vst2AmpChunks, BareStatesAreRead) {
  HostedEffect a, b, c;
  a.effect->setParameter(a.effect, 1, 0.9f);
  Bytes program = GetChunk(a, 1);
  Bytes old = program;
  old[4] = 0xFF, old[5] = 0xFF, old[6] = 0, old[7] = 0;
  EXPECT_EQ(SetChunk(b, 0, old), 1);
  EXPECT_EQ(GetChunk(b, 1), program);
  EXPECT_EQ(SetChunk(c, 0, Bytes(program.begin() + 8, program.end())), 1);
  EXPECT_EQ(GetChunk(c, 1), program);
}

// A chunk that would make the binding read outside it, or apply half of it, is refused whole.
TEST(Vst2AmpChunks, RefusedChunksChangeNothing) {
  HostedEffect donor;
  donor.effect->setParameter(donor.effect, 0, 0.9f);
  const Bytes program = GetChunk(donor, 1);
  const Bytes bank = GetChunk(donor, 0);

  auto cut = [](const Bytes& b, size_t n) { return Bytes(b.begin(), b.begin() + static_cast<long>(n)); };
  Bytes hugeName = bank;
  hugeName[8] = 0xF0, hugeName[9] = 0xFF, hugeName[10] = 0xFF, hugeName[11] = 0x7F;
  Bytes negativeName = bank;
  negativeName[11] = 0x80;
  Bytes notANumber = program;
  PutDouble(notANumber, 8 + 8 * 5, std::nan(""));
  Bytes infiniteInBank = bank;
  PutDouble(infiniteInBank, 18 + 8 * 2, INFINITY);
  struct Case {
    const char* what;
    VstInt32 index;
    Bytes bytes;
  };
  const Case cases[] = {
      {"the header cut short", 1, Bytes{0x74, 0x66, 0x66, 0x70, 0, 0, 1}},
      {"a program with 12 of its 19 values", 1, cut(program, 8 + 96)},
      {"a program cut inside a value", 1, cut(program, 100)},
      {"a program with a value that is no number", 1, notANumber},
      {"a bank cut inside the name", 0, cut(bank, 14)},
      {"a bank cut before the flag", 0, cut(bank, 17)},
      {"a bank cut inside the state", 0, cut(bank, 100)},
      {"a bank whose name length runs past the end", 0, hugeName},
      {"a bank with a negative name length", 0, negativeName},
      {"a bank with an infinite value", 0, infiniteInBank},
      {"a bare state cut short", 0, cut(Bytes(program.begin() + 8, program.end()), 151)},
  };
  for (const Case& c : cases) {
    HostedEffect e;
    auto* editor = new FakeEditor(e.Plug());
    e.Plug()->AttachEditor(editor);
    const Snapshot before(e);
    editor->ClearCalls();
    EXPECT_EQ(SetChunk(e, c.index, c.bytes), 0) << c.what;
    EXPECT_TRUE(Snapshot(e) == before) << c.what;
    EXPECT_TRUE(editor->Calls().empty()) << c.what;
  }
}

TEST(Vst2AmpChunks, SizesThatAreNoSizeAreRefusedBeforeAnythingIsCopied) {
  HostedEffect e;
  const Snapshot before(e);
  Bytes program = GetChunk(e, 1);
  for (VstIntPtr size : {VstIntPtr{0}, VstIntPtr{-1}, VstIntPtr{-160}, static_cast<VstIntPtr>(INT32_MIN)}) {
    EXPECT_EQ(e.Dispatch(effSetChunk, 1, size, program.data()), 0) << size;
    EXPECT_EQ(e.Dispatch(effSetChunk, 0, size, program.data()), 0) << size;
  }
  EXPECT_EQ(e.Dispatch(effSetChunk, 1, 160, nullptr), 0);
  EXPECT_TRUE(Snapshot(e) == before);
}

// A chunk the heap cannot hold is refused; nothing is copied into a chunk of the wrong size.
TEST(Vst2AmpChunks, AChunkThatCannotGrowIsRefused) {
  HostedEffect a, b;
  a.effect->setParameter(a.effect, 0, 0.9f);
  Bytes big = GetChunk(a, 1);
  big.resize(100000, 0);  // trailing bytes are allowed, but must be held
  const Snapshot before(b);
  counting_heap::FailAfter(1, 1000);  // the current state is sized; the chunk cannot grow
  const VstIntPtr answer = SetChunk(b, 1, big);
  counting_heap::FailNext(0);
  EXPECT_EQ(answer, 0);
  EXPECT_TRUE(Snapshot(b) == before);
  EXPECT_EQ(SetChunk(b, 1, big), 1);  // with the heap back it restores
}

}  // namespace
