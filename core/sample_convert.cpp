#include "core/sample_convert.h"

void ConvertFloatToDouble(double* destination, const float* source, int32_t count) {
  int32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    destination[i] = source[i];
    destination[i + 1] = source[i + 1];
    destination[i + 2] = source[i + 2];
    destination[i + 3] = source[i + 3];
  }
  for (; i < count; ++i) destination[i] = source[i];
}

void ConvertDoubleToFloat(float* destination, const double* source, int32_t count) {
  int32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    destination[i] = static_cast<float>(source[i]);
    destination[i + 1] = static_cast<float>(source[i + 1]);
    destination[i + 2] = static_cast<float>(source[i + 2]);
    destination[i + 3] = static_cast<float>(source[i + 3]);
  }
  for (; i < count; ++i) destination[i] = static_cast<float>(source[i]);
}

void AccumulateDoubleIntoFloat(float* destination, const double* source, int32_t count) {
  int32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    destination[i] += static_cast<float>(source[i]);
    destination[i + 1] += static_cast<float>(source[i + 1]);
    destination[i + 2] += static_cast<float>(source[i + 2]);
    destination[i + 3] += static_cast<float>(source[i + 3]);
  }
  for (; i < count; ++i) destination[i] += static_cast<float>(source[i]);
}
