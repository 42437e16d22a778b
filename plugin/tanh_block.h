// TanhBlock: the waveshaper ShaperTanh(gain x) over a whole buffer in place, two samples at a
// time with an exponential of its own (libm's takes one value per call). It agrees with
// ShaperTanh to three units in the last place and saturates to exactly +-1 where it does.
#pragma once

// Audio thread; no allocation.
void TanhBlock(double* io, int n, double gain);

// [set-up thread] Builds the process-wide table TanhBlock reads (once; later calls do nothing),
// so that no block is the first to need it.
void PrepareTanhBlock();
