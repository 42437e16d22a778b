// ITextStyle: how the editor draws a text. The font pointer is not owned: the process font
// cache owns the font, filled on first use and kept for later draws. [UI thread]
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "gui/iargb.h"

class LICE_IFont;

struct ITextStyle {
  enum EStyle { kStyleNormal = 0, kStyleBold = 1, kStyleItalic = 2 };
  enum EAlign { kAlignNear = 0, kAlignCenter = 1, kAlignFar = 2 };
  enum EQuality { kQualityDefault = 0, kQualityNonAntiAliased = 1, kQualityAntiAliased = 2, kQualityClearType = 3 };
  static constexpr int kFaceCapacity = 32;

  ITextStyle() { SetFace("Verdana"); }
  ITextStyle(const char* face, int32_t size, IArgb colour, int32_t style = kStyleNormal,
             int32_t align = kAlignCenter, int32_t orientation = 0, int32_t quality = kQualityDefault,
             IArgb entryBackground = kColorWhite, IArgb entryForeground = kColorBlack)
      : mSize(size), mColor(colour), mTextEntryBGColor(entryBackground), mTextEntryFGColor(entryForeground),
        mStyle(style), mAlign(align), mOrientation(orientation), mQuality(quality) {
    SetFace(face);
  }
  // Copies at most 31 characters; null gives "".
  void SetFace(const char* face) {
    std::memset(mFont, 0, sizeof(mFont));
    const size_t length = face ? std::strlen(face) : 0;
    std::memcpy(mFont, face ? face : "", length < kFaceCapacity - 1 ? length : kFaceCapacity - 1);
  }

  char mFont[kFaceCapacity];
  int32_t mSize = 12;  // font height handed to the system
  IArgb mColor = kColorBlack;
  IArgb mTextEntryBGColor = kColorWhite;
  IArgb mTextEntryFGColor = kColorBlack;
  int32_t mStyle = kStyleNormal;
  int32_t mAlign = kAlignCenter;
  int32_t mOrientation = 0;  // degrees
  int32_t mQuality = kQualityDefault;
  LICE_IFont* mCached = nullptr;
};
