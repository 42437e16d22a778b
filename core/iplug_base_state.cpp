// IPlugBase: the parameter state (one little-endian double per parameter in index order, no
// header) and its comparison with a stored state.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>

#include "core/iplug_base.h"
#include "core/trace.h"

namespace {
// The value a restored state gives a parameter: clamped to the range, never stepped. A NaN
// would pass any clamp and spread through the audio path, so it restores the default.
double RestoredValue(const IParameter& param, double stored) {
  if (std::isnan(stored)) return param.GetDefault();
  if (stored < param.GetMin()) return param.GetMin();
  if (stored > param.GetMax()) return param.GetMax();
  return stored;
}

// Single precision of any double, out-of-range values as infinities.
float ToSingle(double v) {
  if (v > FLT_MAX) return INFINITY;
  if (v < -FLT_MAX) return -INFINITY;
  return static_cast<float>(v);
}
}  // namespace

bool IPlugBase::WriteState(IStateChunk& chunk) { return SerializeParams(chunk); }

int32_t IPlugBase::ReadState(const IStateChunk& chunk, int32_t position) {
  return UnserializeParams(chunk, position);
}

bool IPlugBase::SerializeParams(IStateChunk& chunk) {
  TRACE_OP("IPlugBase::SerializeParams");
  // Room first, so that the lock is held only to copy the values. Should the heap refuse, the
  // values that still fit are written and the failure reported below.
  chunk.Reserve(static_cast<int32_t>(std::min<int64_t>(int64_t{8} * GetParameterCount(), INT32_MAX)));
  LockGuard guard(lock_);
  for (int32_t i = 0; i < GetParameterCount(); ++i) {
    // PutDouble writes only once the chunk has grown by the 8 bytes.
    if (!chunk.PutDouble(GetParameter(i)->Value())) return false;
  }
  return true;
}

int32_t IPlugBase::UnserializeParams(const IStateChunk& chunk, int32_t position) {
  TRACE_OP("IPlugBase::UnserializeParams");
  LockGuard guard(lock_);
  for (int32_t i = 0; i < GetParameterCount() && position >= 0; ++i) {
    double stored = 0.0;
    position = chunk.GetDouble(&stored, position);
    if (position < 0) stored = 0.0;  // the first value the chunk lacks reads as 0
    IParameter* param = GetParameter(i);
    param->Set(RestoredValue(*param, stored));
  }
  for (int32_t i = 0; i < GetParameterCount(); ++i) ParameterChanged(i);
  return position;
}

bool IPlugBase::MatchesState(const void* storedValues, int32_t startIndex, int32_t storedCount) {
  TRACE_OP("IPlugBase::MatchesState");
  const uint8_t* bytes = static_cast<const uint8_t*>(storedValues);
  bool equal = true;
  for (int32_t k = 0; k < GetParameterCount(); ++k) {
    int64_t index = static_cast<int64_t>(startIndex) + k;
    if (!bytes || index < 0 || index >= storedCount) {
      equal = false;  // a value the storage lacks never matches
      continue;
    }
    float stored = ToSingle(IStateChunk::DecodeDouble(bytes + 8 * index));
    float current = ToSingle(GetParameter(k)->Value());
    float difference = current - stored;
    equal = equal && std::fabs(difference) < 1e-5;
  }
  return equal;
}
