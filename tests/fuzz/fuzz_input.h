// FuzzInput: decodes a fuzzer's bytes into the choices a target makes. Every read succeeds:
// once the bytes run out, integers read 0 and byte spans are empty, so any input is a program.
// Checks that fail use FUZZ_REQUIRE, which traps so that libFuzzer records the input. No locking;
// reading never allocates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  size_t Remaining() const { return size_ - at_; }
  bool Empty() const { return at_ >= size_; }

  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  bool Bool() { return Byte() & 1; }
  uint32_t U32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(Byte()) << (8 * i);
    return v;
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  // A value in 0..count-1 (0 when count is 0).
  uint32_t Below(uint32_t count) { return count ? Byte() % count : 0; }
  double Double() {
    uint64_t bits = U32();
    bits |= static_cast<uint64_t>(U32()) << 32;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  }
  // A double a host might plausibly send (ordinary ones, the ends, 0..1 steps) or any bits.
  double Value() {
    static const double kPicks[] = {0.0, 1.0, 0.5, -0.0, -1.0, 2.0, 1e300, -1e300, 1e-310, 0.999999999};
    uint8_t kind = Byte();
    if (kind < 96) return kind / 95.0;
    if (kind < 160) return kPicks[kind % (sizeof kPicks / sizeof kPicks[0])];
    return Double();
  }
  // Up to max bytes of the input (fewer when it runs out); count gets how many.
  const uint8_t* Bytes(size_t max, size_t* count) {
    size_t n = max < Remaining() ? max : Remaining();
    const uint8_t* p = data_ + at_;
    at_ += n;
    *count = n;
    return p;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// A violated property: says which, then traps (libFuzzer saves the input that got here).
#define FUZZ_REQUIRE(condition)                                                     \
  do {                                                                              \
    if (!(condition)) {                                                             \
      std::fprintf(stderr, "%s:%d: property violated: %s\n", __FILE__, __LINE__, #condition); \
      __builtin_trap();                                                             \
    }                                                                               \
  } while (0)
