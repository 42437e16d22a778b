// Conversions between the hosts' float buffers and the plug-in's double buffers. Four samples
// per step, then the rest. [any thread; no allocation; buffers must not overlap]
#pragma once

#include <cstdint>

void ConvertFloatToDouble(double* destination, const float* source, int32_t count);
void ConvertDoubleToFloat(float* destination, const double* source, int32_t count);
// destination[i] += float(source[i]): the accumulating process of hosts that mix into their outputs.
void AccumulateDoubleIntoFloat(float* destination, const double* source, int32_t count);
