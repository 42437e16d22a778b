// IBlendSetting: how a control's bitmap is combined with what lies beneath it. Passed and
// stored by value. [any thread; plain value]
#pragma once

struct IBlendSetting {
  enum EMethod { kBlendNone = 0, kBlendClobber = 1, kBlendAdd = 2, kBlendColorDodge = 3 };

  IBlendSetting() = default;
  IBlendSetting(int method, float weight) : mMethod(method), mWeight(weight) {}

  int mMethod = kBlendNone;  // 0 copy weighted by source alpha, 1 plain copy, 2 add, 3 colour dodge
  float mWeight = 1.0f;
};
