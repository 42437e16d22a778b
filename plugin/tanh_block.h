// TanhBlock: the waveshaper ShaperTanh(gain x) over a whole buffer in place, with an exponential
// the compiler can vectorise (libm's cannot be). It agrees with ShaperTanh to a few units in the
// last place and saturates to exactly +-1 where ShaperTanh does.
#pragma once

// Audio thread; no allocation.
void TanhBlock(double* io, int n, double gain);
