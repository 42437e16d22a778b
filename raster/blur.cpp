#include "raster/blur.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/heap.h"
#include "raster/rows.h"
#include "raster/scratch_bitmap.h"

namespace {
constexpr int kStackWidth = 1024;

uint32_t Half(uint32_t p) { return (p >> 1) & 0x7F7F7F7Fu; }
uint32_t Quarter(uint32_t p) { return (p >> 2) & 0x3F3F3F3Fu; }
uint32_t Eighth(uint32_t p) { return (p >> 3) & 0x1F1F1F1Fu; }

// Blurs one row in place. `vertical` is the sum of the vertical terms of each column (an edge
// row's lone neighbour as a quarter, an inner row's two as eighths), computed per pixel.
template <class Vertical>
void BlurRow(uint32_t* row, int width, Vertical vertical) {
  uint32_t left = row[0];
  row[0] = Half(left) + Quarter(row[1]) + vertical(0);
  for (int x = 1; x < width - 1; ++x) {
    const uint32_t self = row[x];
    row[x] = Half(self) + Eighth(left) + Eighth(row[x + 1]) + vertical(x);
    left = self;
  }
  row[width - 1] = Half(row[width - 1]) + Quarter(left) + vertical(width - 1);
}

// Holds unchanged copies of the last two rows: on the stack up to kStackWidth pixels, else on
// the heap; `lines` is null when the heap refused.
class LineBuffers {
 public:
  explicit LineBuffers(int width) {
    if (width <= kStackWidth) {
      lines_ = stack_;
    } else {
      heap_ = static_cast<uint32_t*>(heap::Allocate(static_cast<std::size_t>(width) * 2 * sizeof(uint32_t)));
      lines_ = heap_;
    }
    width_ = width;
  }
  ~LineBuffers() { heap::Free(heap_); }
  LineBuffers(const LineBuffers&) = delete;
  LineBuffers& operator=(const LineBuffers&) = delete;

  bool Valid() const { return lines_ != nullptr; }
  uint32_t* Line(int y) { return lines_ + static_cast<std::ptrdiff_t>(y & 1) * width_; }

 private:
  uint32_t stack_[2 * kStackWidth];
  uint32_t* heap_ = nullptr;
  uint32_t* lines_ = nullptr;
  int width_ = 0;
};
}  // namespace

void LICE_BlurBitmap(LICE_IBitmap& bitmap, int width, int height) {
  if (width > bitmap.GetWidth()) width = bitmap.GetWidth();
  if (height > bitmap.GetHeight()) height = bitmap.GetHeight();
  if (width < 2 || height < 2 || !bitmap.GetBits()) return;
  LineBuffers lines(width);
  for (int y = 0; y < height; ++y) {
    uint32_t* row = RowOf(bitmap, y);
    if (lines.Valid()) std::memcpy(lines.Line(y), row, static_cast<std::size_t>(width) * 4);
    if (y == 0 || y == height - 1) {
      // Row 1 is still unchanged; row height - 2 has been blurred already.
      const uint32_t* neighbour = RowOf(bitmap, y == 0 ? 1 : height - 2);
      BlurRow(row, width, [neighbour](int x) { return Quarter(neighbour[x]); });
    } else {
      const uint32_t* above = lines.Valid() ? lines.Line(y - 1) : RowOf(bitmap, y - 1);
      const uint32_t* below = RowOf(bitmap, y + 1);
      BlurRow(row, width, [above, below](int x) { return Eighth(above[x]) + Eighth(below[x]); });
    }
  }
}

void LICE_BlurArea(int width, int height) { LICE_BlurBitmap(LICE_ScratchBitmap(), width, height); }
