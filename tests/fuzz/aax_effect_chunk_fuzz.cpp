// Fuzzes the AAX effect-parameters base's chunk entry points: arbitrary bytes as the data of an
// 'elck' chunk, in a record exactly as long as its size field says, handed to SetChunk and
// CompareChunk of a test effect (an int, a bool and a double parameter, no host). Properties:
// a refused chunk (-20008) changes no value; an accepted one leaves a state whose own chunk
// compares equal; nothing reads past the record.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "tests/aax/test_effect.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

std::unique_ptr<unsigned char[]> Record(const uint8_t* data, size_t size) {
  std::unique_ptr<unsigned char[]> r(new unsigned char[AAX_SStateChunk::kHeaderBytes + size]());
  auto* chunk = reinterpret_cast<AAX_SStateChunk*>(r.get());
  chunk->size = static_cast<int32_t>(size);
  chunk->identifier = kAaxDefaultChunkId;
  if (size) std::memcpy(chunk->Data(), data, size);
  return r;
}

// The effect's own chunk: its data bytes.
std::vector<uint8_t> Save(aax_test::TestEffect& effect, std::unique_ptr<unsigned char[]>* record) {
  int32_t size = 0;
  FUZZ_REQUIRE(effect.GetChunkSize(kAaxDefaultChunkId, &size) == 0);
  record->reset(new unsigned char[AAX_SStateChunk::kHeaderBytes + static_cast<size_t>(size)]());
  auto* chunk = reinterpret_cast<AAX_SStateChunk*>(record->get());
  FUZZ_REQUIRE(effect.GetChunk(kAaxDefaultChunkId, chunk) == 0);
  chunk->identifier = kAaxDefaultChunkId;
  return std::vector<uint8_t>(chunk->Data(), chunk->Data() + chunk->size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 16) return 0;
  auto* effect = new aax_test::TestEffect;
  effect->AddRef();
  effect->InitEffect();  // parameters without a host: values are stored at once
  std::unique_ptr<unsigned char[]> before_record;
  const std::vector<uint8_t> before = Save(*effect, &before_record);

  auto in = Record(data, size);
  auto* chunk = reinterpret_cast<AAX_SStateChunk*>(in.get());
  bool equal = false;  // any answer; it must only not read past the record
  FUZZ_REQUIRE(effect->CompareChunk(chunk, &equal) == 0);
  const AAX_Result set = effect->SetChunk(kAaxDefaultChunkId, chunk);
  FUZZ_REQUIRE(set == 0 || set == kAaxChunkSizeInvalid);
  std::unique_ptr<unsigned char[]> after_record;
  const std::vector<uint8_t> after = Save(*effect, &after_record);
  if (set != 0) FUZZ_REQUIRE(after == before);
  bool same = false;
  FUZZ_REQUIRE(effect->CompareChunk(reinterpret_cast<AAX_SStateChunk*>(after_record.get()), &same) == 0);
  FUZZ_REQUIRE(same);
  effect->Release();
  return 0;
}
