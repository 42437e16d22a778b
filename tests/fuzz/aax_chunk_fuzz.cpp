// Fuzzes the AAX chunk data parser with arbitrary bytes as a chunk's data, in a record exactly
// as long as its size field says. Properties: a refused chunk changes nothing; an accepted one
// whose entries are all of known types writes out and reads back to the same entries and the
// same bytes, never past the record.
#include <cstdint>
#include <cstring>
#include <memory>

#include "aax/aax_chunk_data_parser.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

std::unique_ptr<unsigned char[]> Record(const uint8_t* data, size_t size) {
  std::unique_ptr<unsigned char[]> r(new unsigned char[AAX_SStateChunk::kHeaderBytes + size]());
  auto* chunk = reinterpret_cast<AAX_SStateChunk*>(r.get());
  chunk->size = static_cast<int32_t>(size);
  chunk->version = 7;
  if (size) std::memcpy(chunk->Data(), data, size);
  return r;
}

bool SameEntries(const AAX_CChunkDataParser& a, const AAX_CChunkDataParser& b) {
  if (a.GetEntries().size() != b.GetEntries().size()) return false;
  for (size_t i = 0; i < a.GetEntries().size(); ++i) {
    const auto& x = a.GetEntries()[i];
    const auto& y = b.GetEntries()[i];
    if (x.type != y.type || x.name != y.name || x.bits != y.bits || x.text != y.text) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 16) return 0;
  auto in = Record(data, size);
  AAX_CChunkDataParser parser;
  parser.AddInt32("before", 1);
  if (!parser.LoadChunk(reinterpret_cast<AAX_SStateChunk*>(in.get()))) {
    FUZZ_REQUIRE(parser.GetEntries().size() == 1 && parser.GetVersion() == -1);
    return 0;
  }
  FUZZ_REQUIRE(parser.GetVersion() == 7);
  for (const auto& e : parser.GetEntries()) {
    if (e.type == AAX_CChunkDataParser::kUnknown) return 0;  // not written back by design
  }
  const int32_t out_size = parser.GetChunkDataSize();
  FUZZ_REQUIRE(out_size >= 4);
  std::unique_ptr<unsigned char[]> out(new unsigned char[AAX_SStateChunk::kHeaderBytes + out_size]());
  auto* out_chunk = reinterpret_cast<AAX_SStateChunk*>(out.get());
  FUZZ_REQUIRE(parser.GetChunkData(out_chunk) == 0);
  FUZZ_REQUIRE(out_chunk->size == out_size);

  AAX_CChunkDataParser again;
  FUZZ_REQUIRE(again.LoadChunk(out_chunk));
  FUZZ_REQUIRE(SameEntries(parser, again));
  std::unique_ptr<unsigned char[]> twice(new unsigned char[AAX_SStateChunk::kHeaderBytes + out_size]());
  auto* twice_chunk = reinterpret_cast<AAX_SStateChunk*>(twice.get());
  FUZZ_REQUIRE(again.GetChunkData(twice_chunk) == 0);
  FUZZ_REQUIRE(std::memcmp(out_chunk->Data(), twice_chunk->Data(), static_cast<size_t>(out_size)) == 0);
  return 0;
}
