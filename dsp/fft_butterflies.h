// The scalar butterflies of the split-radix FFT on interleaved complex floats: one step k of the
// forward (decimation-in-frequency) and inverse (decimation-in-time) combining pass over the four
// quarters of a block. The SSE2 passes compute exactly these expressions, two steps at a time.
#pragma once

#include <cstdint>

namespace fft {

struct Twiddle {
  float c, s;  // w^k = c + i·s
};

// [any thread] Forward step: a0 = t0 + t2, a1 = t1 + t3, a2 = ((t0 - t2) + i(t1 - t3))·w,
// a3 = ((t0 - t2) - i(t1 - t3))·conj(w). q is the quarter length in complex values.
inline void ForwardStep(float* a, int32_t q, Twiddle w) {
  float* p0 = a;
  float* p1 = a + 2 * q;
  float* p2 = a + 4 * q;
  float* p3 = a + 6 * q;
  const float d02r = p0[0] - p2[0], d02i = p0[1] - p2[1];
  const float d13r = p1[0] - p3[0], d13i = p1[1] - p3[1];
  p0[0] = p0[0] + p2[0];
  p0[1] = p0[1] + p2[1];
  p1[0] = p1[0] + p3[0];
  p1[1] = p1[1] + p3[1];
  const float z2r = d02r - d13i, z2i = d02i + d13r;
  const float z3r = d02r + d13i, z3i = d02i - d13r;
  p2[0] = z2r * w.c - z2i * w.s;
  p2[1] = z2i * w.c + z2r * w.s;
  p3[0] = z3r * w.c + z3i * w.s;
  p3[1] = z3i * w.c - z3r * w.s;
}

// [any thread] Forward step with w = 1.
inline void ForwardStepUnit(float* a, int32_t q) {
  float* p0 = a;
  float* p1 = a + 2 * q;
  float* p2 = a + 4 * q;
  float* p3 = a + 6 * q;
  const float d02r = p0[0] - p2[0], d02i = p0[1] - p2[1];
  const float d13r = p1[0] - p3[0], d13i = p1[1] - p3[1];
  p0[0] = p0[0] + p2[0];
  p0[1] = p0[1] + p2[1];
  p1[0] = p1[0] + p3[0];
  p1[1] = p1[1] + p3[1];
  p2[0] = d02r - d13i;
  p2[1] = d02i + d13r;
  p3[0] = d02r + d13i;
  p3[1] = d02i - d13r;
}

// [any thread] Inverse step: u2 = a2·conj(w), u3 = a3·w, s = u2 + u3, d = u2 - u3;
// a0 ± s, a1 ∓ i·d.
inline void InverseFinish(float* p0, float* p1, float* p2, float* p3, float u2r, float u2i, float u3r,
                          float u3i) {
  const float sr = u2r + u3r, si = u2i + u3i;
  const float dr = u2r - u3r, di = u2i - u3i;
  const float a0r = p0[0], a0i = p0[1], a1r = p1[0], a1i = p1[1];
  p0[0] = a0r + sr;
  p0[1] = a0i + si;
  p2[0] = a0r - sr;
  p2[1] = a0i - si;
  p1[0] = a1r + di;
  p1[1] = a1i - dr;
  p3[0] = a1r - di;
  p3[1] = a1i + dr;
}

inline void InverseStep(float* a, int32_t q, Twiddle w) {
  float* p2 = a + 4 * q;
  float* p3 = a + 6 * q;
  const float u2r = p2[0] * w.c + p2[1] * w.s, u2i = p2[1] * w.c - p2[0] * w.s;
  const float u3r = p3[0] * w.c - p3[1] * w.s, u3i = p3[1] * w.c + p3[0] * w.s;
  InverseFinish(a, a + 2 * q, p2, p3, u2r, u2i, u3r, u3i);
}

inline void InverseStepUnit(float* a, int32_t q) {
  float* p2 = a + 4 * q;
  float* p3 = a + 6 * q;
  InverseFinish(a, a + 2 * q, p2, p3, p2[0], p2[1], p3[0], p3[1]);
}

// [any thread] w^k for the pass of size n from its table: straight for the small passes; the
// large passes hold the first eighth only and mirror the second with cosine and sine exchanged.
inline Twiddle SmallPassTwiddle(const float* table, int32_t k) { return {table[2 * k - 2], table[2 * k - 1]}; }

inline Twiddle LargePassTwiddle(const float* table, int32_t n, int32_t k, float half) {
  if (k < n / 8) return SmallPassTwiddle(table, k);
  if (k == n / 8) return {half, half};
  const int32_t mirror = n / 4 - k;
  return {table[2 * mirror - 1], table[2 * mirror - 2]};
}

}  // namespace fft
