// Taper delegates: map a parameter's real value to the host's normalised 0..1 and back, and
// know the range. Every parameter holds its own clone. A normalised value is clamped to 0..1
// (NaN as 0) before it is converted, so no out-of-range value reaches an integer conversion.
// Immutable after construction: any thread; only Clone allocates.
#pragma once

#include <cstdint>

class AAX_ITaperDelegateBase {
 public:
  virtual ~AAX_ITaperDelegateBase() = default;
};

template <typename T>
class AAX_ITaperDelegate : public AAX_ITaperDelegateBase {
 public:
  virtual AAX_ITaperDelegate* Clone() const = 0;  // a new object, owned by the caller
  virtual T GetMaximumValue() const = 0;
  virtual T GetMinimumValue() const = 0;
  virtual T ConstrainRealValue(T value) const = 0;
  virtual T NormalizedToReal(double normalized) const = 0;
  virtual double RealToNormalized(T value) const = 0;
};

// 0..1 clamped, NaN as 0.
inline double AAX_ClampNormalized(double normalized) {
  if (!(normalized > 0.0)) return 0.0;
  return normalized < 1.0 ? normalized : 1.0;
}

// On/off: true exactly for a normalised value above 0.
template <typename T>
class AAX_CBinaryTaperDelegate final : public AAX_ITaperDelegate<T> {
 public:
  AAX_CBinaryTaperDelegate* Clone() const override { return new AAX_CBinaryTaperDelegate(*this); }
  T GetMaximumValue() const override { return true; }
  T GetMinimumValue() const override { return false; }
  T ConstrainRealValue(T value) const override { return value; }
  T NormalizedToReal(double normalized) const override { return normalized > 0.0; }
  double RealToNormalized(T value) const override { return value ? 1.0 : 0.0; }
};

// Whole numbers over min..max. A normalised value maps to (max - min) * x + min truncated
// toward zero, so over 0..4 only 1.0 gives 4; hosts step such parameters exactly.
template <typename T, int32_t RealPrecision = 0>
class AAX_CLinearTaperDelegate final : public AAX_ITaperDelegate<T> {
  static_assert(RealPrecision == 0, "whole-number tapers only");

 public:
  AAX_CLinearTaperDelegate(T minimum, T maximum) : minimum_(minimum), maximum_(maximum) {}
  AAX_CLinearTaperDelegate* Clone() const override { return new AAX_CLinearTaperDelegate(*this); }
  T GetMaximumValue() const override { return maximum_; }
  T GetMinimumValue() const override { return minimum_; }
  T ConstrainRealValue(T value) const override {
    if (value > maximum_) return maximum_;
    if (value < minimum_) return minimum_;
    return value;
  }
  T NormalizedToReal(double normalized) const override {
    const double x = AAX_ClampNormalized(normalized);
    double v = (static_cast<double>(maximum_) - static_cast<double>(minimum_)) * x + static_cast<double>(minimum_);
    // Clamped to the range first (also for min > max), so the conversion is always defined.
    const double lo = static_cast<double>(minimum_ < maximum_ ? minimum_ : maximum_);
    const double hi = static_cast<double>(minimum_ < maximum_ ? maximum_ : minimum_);
    if (v < lo) v = lo;
    if (v > hi) v = hi;
    return ConstrainRealValue(static_cast<T>(v));
  }
  double RealToNormalized(T value) const override {
    const double span = static_cast<double>(maximum_) - static_cast<double>(minimum_);
    if (span == 0.0) return 0.0;  // a one-value range
    return (static_cast<double>(ConstrainRealValue(value)) - static_cast<double>(minimum_)) / span;
  }

 private:
  T minimum_;
  T maximum_;
};
