// The FFT engine's frequency-domain sum: out = Σ_l input_l × impulse_l over the terms, in term
// order, element by element, on spectra of n complex values (n even) held planar in fours: per
// four values their real parts, then their imaginary parts (a last pair stays interleaved). The
// sum comes out interleaved, ready for the inverse transform. The SSE2 form keeps it in
// registers; it gives the same bits as ComplexMultiply followed by ComplexMultiplyAdd per term
// on the interleaved spectra.
#pragma once

#include <cstdint>

#include "dsp/spectrum_mirror.h"

struct SpectrumTerm {
  const float* input;    // a transformed input block, planar
  const float* impulse;  // an impulse partition, planar
};

// [any thread, no allocation] Interleaved {re, im} values to the planar layout and back; the
// source may be the destination.
void ToPlanar(const float* interleaved, float* planar, int32_t n);
void FromPlanar(const float* planar, float* interleaved, int32_t n);

// [audio thread, no allocation] out (interleaved) = Σ terms (planar); count >= 1. Impulses on a
// 16-byte boundary are read as the multiplications' operands.
void SumOfProducts(float* out, const SpectrumTerm* terms, int32_t count, int32_t n);

// [audio thread, no allocation] SumOfProducts for terms whose inputs and impulses are all
// transformed real blocks: the listed groups are computed, their partners are the conjugates
// (see spectrum_mirror.h). The same values; a zero's sign may differ where a sum cancels exactly.
void SumOfMirroredProducts(float* out, const SpectrumTerm* terms, int32_t count, int32_t n, const MirrorGroup* groups,
                           int32_t groupCount);

namespace spectrum {
// [any thread, no allocation] The reference: the scalar products term after term.
void SumOfProductsScalar(float* out, const SpectrumTerm* terms, int32_t count, int32_t n);
// [any thread, no allocation] The reference of SumOfMirroredProducts.
void SumOfMirroredProductsScalar(float* out, const SpectrumTerm* terms, int32_t count, int32_t n,
                                 const MirrorGroup* groups, int32_t groupCount);
}  // namespace spectrum
