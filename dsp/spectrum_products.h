// The FFT engine's frequency-domain sum: out = Σ_l input_l × impulse_l over the terms, in term
// order, element by element (n interleaved complex values, n even). The SSE2 form keeps the sum
// in registers and reads each impulse partition in a split form made once when the impulse is
// set; it gives the same bits as ComplexMultiply followed by ComplexMultiplyAdd per term.
#pragma once

#include <cstdint>

struct SpectrumTerm {
  const float* input;         // a transformed input block
  const float* impulse;       // an impulse partition, interleaved
  const float* impulseSplit;  // the same partition in split form
};

// [set-up, no allocation] Writes the split form of n complex values (2n complex-sized pairs:
// 4n floats): per two values, the real parts twice, then the imaginary parts with the even lanes
// negated.
void SplitForProducts(const float* spectrum, float* split, int32_t n);

// [audio thread, no allocation] out = Σ terms; count >= 1.
void SumOfProducts(float* out, const SpectrumTerm* terms, int32_t count, int32_t n);

namespace spectrum {
// [any thread, no allocation] The reference: ComplexMultiply, then ComplexMultiplyAdd per term.
void SumOfProductsScalar(float* out, const SpectrumTerm* terms, int32_t count, int32_t n);
}  // namespace spectrum
