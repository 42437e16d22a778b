#include "raster/blit.h"

#include <cstdint>
#include <cstring>

#include "raster/blend_mode.h"
#include "raster/blend_pixel.h"
#include "raster/blit_loop.h"
#include "raster/dodge_row.h"
#include "raster/hsv.h"
#include "raster/source_alpha_copy.h"

namespace {
// The clipped blit in 64 bits, so that no host-sized rectangle can overflow the clipping.
struct BlitArea {
  int64_t sx, sy, right, bottom, dx, dy;
};

bool Clip(LICE_IBitmap& dest, LICE_IBitmap& source, int destX, int destY, const LICE_Rect* r, BlitArea& a) {
  const int64_t sw = source.GetWidth(), sh = source.GetHeight();
  a = {0, 0, sw, sh, destX, destY};
  if (r) {
    a = {r->left, r->top, r->right < sw ? r->right : sw, r->bottom < sh ? r->bottom : sh, destX, destY};
    if (a.sy < 0) a.dy -= a.sy, a.sy = 0;
    if (a.sx < 0) a.dx -= a.sx, a.sx = 0;
  }
  if (a.dx < 0) a.sx -= a.dx, a.dx = 0;
  if (a.dy < 0) a.sy -= a.dy, a.dy = 0;
  const int64_t dw = dest.GetWidth(), dh = dest.GetHeight();
  if (dw < a.right + a.dx - a.sx) a.right = dw - a.dx + a.sx;
  if (dh < a.bottom + a.dy - a.sy) a.bottom = dh - a.dy + a.sy;
  return a.sx < a.right && a.sy < a.bottom && dest.GetBits() && source.GetBits();
}

int SB(uint32_t s) { return static_cast<int>(s & 0xFF); }
int SG(uint32_t s) { return static_cast<int>(s >> 8 & 0xFF); }
int SR(uint32_t s) { return static_cast<int>(s >> 16 & 0xFF); }
int SA(uint32_t s) { return static_cast<int>(s >> 24); }

// The copy rule on blue, green and red with weight w, alpha given.
uint32_t CopyColour(uint32_t d, uint32_t s, int w, int alpha) {
  return LICE_Pack(LICE_CopyChannel(LICE_Channel(d, 0), SB(s), w), LICE_CopyChannel(LICE_Channel(d, 1), SG(s), w),
                   LICE_CopyChannel(LICE_Channel(d, 2), SR(s), w), alpha);
}

// Rules 1 to 5 on a whole pixel, the source's own channels as s.
template <int (*Rule)(int, int, int)>
struct ChannelRule {
  static uint32_t Apply(uint32_t d, uint32_t s, int w) {
    return LICE_ApplyRule<Rule>(d, SB(s), SG(s), SR(s), SA(s), w);
  }
};
struct HsvRule {
  static uint32_t Apply(uint32_t d, uint32_t s, int w) {
    LICE_HSVAdjustPixel(&d, SR(s), SG(s), SB(s), SA(s), w);
    return d;
  }
};

// With sourceAlpha each pixel weighs w x (sA + 1) / 256, and skipClear leaves pixels of sA 0.
template <class Rule>
void BlitRule(LICE_RowWalk d, LICE_RowWalk s, int columns, int rows, int w, bool sourceAlpha, bool skipClear) {
  if (!sourceAlpha) {
    LICE_WalkPairs(d, s, columns, rows, [w](uint32_t& dp, uint32_t sp) { dp = Rule::Apply(dp, sp, w); });
    return;
  }
  LICE_WalkPairs(d, s, columns, rows, [w, skipClear](uint32_t& dp, uint32_t sp) {
    if (skipClear && SA(sp) == 0) return;
    dp = Rule::Apply(dp, sp, w * (SA(sp) + 1) / 256);
  });
}

void BlitDodge(LICE_RowWalk d, LICE_RowWalk s, int columns, int rows, int w, bool sourceAlpha) {
  for (int y = 0; y < rows; ++y) LICE_DodgeRow(d.first + y * d.step, s.first + y * s.step, columns, w, sourceAlpha);
}

void BlitCopy(LICE_RowWalk d, LICE_RowWalk s, int columns, int rows, float alpha) {
  if (alpha == 1.0f) {
    for (int y = 0; y < rows; ++y) {
      std::memmove(d.first + y * d.step, s.first + y * s.step, static_cast<std::size_t>(columns) * 4);
    }
    return;
  }
  if (alpha == 0.5f) {
    LICE_WalkPairs(d, s, columns, rows,
                   [](uint32_t& dp, uint32_t sp) { dp = ((sp >> 1) & 0x7F7F7F7Fu) + ((dp >> 1) & 0x7F7F7F7Fu); });
    return;
  }
  const int w = LICE_WeightOf(alpha);
  if (w == 256) {
    LICE_WalkPairs(d, s, columns, rows, [](uint32_t& dp, uint32_t sp) { dp = sp; });
  } else if (w > 0) {
    LICE_WalkPairs(d, s, columns, rows, [w](uint32_t& dp, uint32_t sp) {
      dp = CopyColour(dp, sp, w, LICE_CopyChannel(LICE_Channel(dp, 3), SA(sp), w));
    });
  }
}

void BlitChannel(LICE_RowWalk d, LICE_RowWalk s, int columns, int rows, int mode) {
  const int to = 8 * ((mode >> 2) & 3), from = 8 * (mode & 3);
  const uint32_t keep = ~(0xFFu << to);
  LICE_WalkPairs(d, s, columns, rows,
                 [=](uint32_t& dp, uint32_t sp) { dp = (dp & keep) | ((sp >> from) & 0xFF) << to; });
}
}  // namespace

void LICE_CopyRect(LICE_IBitmap* dest, LICE_IBitmap* source, int destX, int destY, int srcX, int srcY, int srcWidth,
                   int srcHeight, float alpha, int mode) {
  if (!dest) return;
  const int64_t right = static_cast<int64_t>(srcX) + srcWidth, bottom = static_cast<int64_t>(srcY) + srcHeight;
  const auto limit = [](int64_t v) {
    return static_cast<int>(v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : v);
  };
  const LICE_Rect r = {srcX, srcY, limit(right), limit(bottom)};
  LICE_CopyRectCore(dest, source, destX, destY, &r, alpha, mode);
}

void LICE_CopyRectCore(LICE_IBitmap* dest, LICE_IBitmap* source, int destX, int destY, const LICE_Rect* srcRect,
                       float alpha, int mode) {
  if (!dest || !source || alpha == 0.0f) return;
  BlitArea a;
  if (!Clip(*dest, *source, destX, destY, srcRect, a)) return;
  const int columns = static_cast<int>(a.right - a.sx), rows = static_cast<int>(a.bottom - a.sy);
  const LICE_RowWalk d = LICE_WalkOf(*dest, static_cast<int>(a.dx), static_cast<int>(a.dy));
  const LICE_RowWalk s = LICE_WalkOf(*source, static_cast<int>(a.sx), static_cast<int>(a.sy));
  const int low = mode & LICE_MODE_MASK;
  const bool sourceAlpha = (mode & LICE_MODE_SOURCE_ALPHA) != 0;
  if (low >= LICE_MODE_CHANNEL_COPY) return BlitChannel(d, s, columns, rows, mode);
  if (low == LICE_MODE_COPY && !sourceAlpha) return BlitCopy(d, s, columns, rows, alpha);
  const int w = LICE_WeightOf(alpha);
  if (w == 0) return;
  switch (low) {
    case LICE_MODE_COPY:
      return LICE_SourceAlphaCopy(d, s, columns, rows, w);
    case LICE_MODE_ADD:
      return BlitRule<ChannelRule<LICE_AddChannel>>(d, s, columns, rows, w, sourceAlpha, true);
    case LICE_MODE_DODGE:
      return BlitDodge(d, s, columns, rows, w, sourceAlpha);
    case LICE_MODE_MULTIPLY:
      return BlitRule<ChannelRule<LICE_MultiplyChannel>>(d, s, columns, rows, w, sourceAlpha, true);
    case LICE_MODE_OVERLAY:
      return BlitRule<ChannelRule<LICE_OverlayChannel>>(d, s, columns, rows, w, sourceAlpha, false);
    case LICE_MODE_HSV_ADJUST:
      return BlitRule<HsvRule>(d, s, columns, rows, w, sourceAlpha, false);
    default:
      return;
  }
}
