// IControl: one rectangle of the editor showing a normalised value (0..1), optionally bound to
// one plug-in parameter. The editor owns its controls, routes events to them and draws them.
// A change the user makes is pushed to the plug-in (MarkDirty(true)); a value from the plug-in
// or the host arrives through ShowValue and is never pushed back.
//
// Threads: ShowValue and SetHidden may run on the audio thread (meters every block; in VST3 the
// parameter changes applied inside a block) while the UI thread draws. The value and the dirty,
// redraw-again and hidden flags are therefore relaxed atomics: no lock, no allocation, and a
// lost update at worst delays a redraw by one tick. Everything else is UI-thread only.
#pragma once

#include <atomic>
#include <cstdint>

#include "core/editor.h"
#include "gui/iblend_setting.h"
#include "gui/imouse_modifiers.h"
#include "gui/irectangle.h"
#include "gui/itext_style.h"

class IGraphics;
class IPlugBase;

class IControl : public IEditorControl {
 public:
  static constexpr double kWheelStep = 0.01;
  static constexpr double kWheelFineStep = 0.001;
  static constexpr float kGrayedWeight = 0.25f;

  // [UI thread] paramIdx -1 binds the control to no parameter.
  IControl(IPlugBase* plug, const IRectangle& rect, int32_t paramIdx = -1, IBlendSetting blend = IBlendSetting());
  virtual ~IControl() = default;
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  // ---- Virtual operations [UI thread unless marked] -----------------------------------------
  // The right button prompts for a value; nothing else.
  virtual void OnMouseDown(int32_t x, int32_t y, const IMouseModifiers& mod);
  virtual void OnMouseUp(int32_t /*x*/, int32_t /*y*/, const IMouseModifiers& /*mod*/) {}
  virtual void OnMouseDrag(int32_t /*x*/, int32_t /*y*/, int32_t /*dx*/, int32_t /*dy*/,
                           const IMouseModifiers& /*mod*/) {}
  // Restores the default value, when one was ever shown.
  virtual void OnMouseDblClick(int32_t x, int32_t y, const IMouseModifiers& mod);
  // 0.01 per notch (0.001 fine); a control bound to no parameter ignores the wheel.
  virtual void OnMouseWheel(int32_t x, int32_t y, const IMouseModifiers& mod, int32_t steps);
  virtual bool OnKeyDown(int32_t /*x*/, int32_t /*y*/, int32_t /*key*/) { return false; }
  virtual void OnMouseOver(int32_t /*x*/, int32_t /*y*/, const IMouseModifiers& /*mod*/) {}
  virtual void OnMouseOut() {}
  // Draws into the editor's drawing bitmap, clipped to its draw clip.
  virtual bool Draw(IGraphics& graphics) = 0;
  // [any thread; no allocation] The first value shown also becomes the default.
  virtual void ShowValue(double normalizedValue);
  // Receives the text of an edit box opened without a parameter.
  virtual void TakeEnteredText(const char* /*text*/) {}
  // [any thread; no allocation] Marks the control dirty (and to be drawn twice) even when
  // the flag is unchanged.
  void SetHidden(bool hidden) override;
  virtual void SetGrayed(bool grayed);
  virtual bool IsHit(int32_t x, int32_t y) const { return mTargetRECT.Contains(x, y); }
  // Clamps the value (NaN to the low bound) and sets dirty; with push, a bound control sends
  // the value to the plug-in.
  virtual void MarkDirty(bool push);
  // [UI thread, paint] dirty = redraw-again, then redraw-again = false.
  virtual void MarkDrawn();
  virtual bool IsDirty() const { return mDirty.load(std::memory_order_relaxed); }

  // ---- Non-virtual operations -----------------------------------------------------------------
  // From a prompt or text entry: a changed value is pushed and drawn twice.
  void SetValueFromPrompt(double normalizedValue);
  // Asks the editor for a value over the control (a display-text menu over its rectangle, else
  // a 30 x 16 box at its centre); nothing without a parameter, an editor or while disabled.
  void PromptForValue();
  void PromptForValueIn(const IRectangle& rect);

  // [set by IGraphics when the control is added]
  void SetGraphics(IGraphics* graphics) { mGraphics = graphics; }
  IGraphics* GetGraphics() const { return mGraphics; }
  IPlugBase* GetPlug() const { return mPlug; }

  int32_t ParamIdx() const { return mParamIdx; }
  const IRectangle& GetRECT() const { return mRECT; }
  const IRectangle& GetTargetRECT() const { return mTargetRECT; }
  void SetTargetArea(const IRectangle& rect) { mTargetRECT = rect; }
  // [any thread]
  double GetValue() const { return mValue.load(std::memory_order_relaxed); }
  double GetDefaultValue() const { return mDefaultValue.load(std::memory_order_relaxed); }
  // [any thread]
  bool IsHidden() const { return mHide.load(std::memory_order_relaxed); }
  bool IsGrayed() const { return mGrayed; }
  bool RedrawAgain() const { return mRedrawAgain.load(std::memory_order_relaxed); }
  bool GetMOWhenGrayed() const { return mMOWhenGrayed; }
  bool MouseDblAsSingleClick() const { return mDblAsSingleClick; }
  const IBlendSetting& GetBlend() const { return mBlend; }
  ITextStyle& GetTextStyle() { return mText; }
  int32_t GetTextEntryLength() const { return mTextEntryLength; }
  void DisablePrompt(bool disable) { mDisablePrompt = disable; }
  bool IsPromptDisabled() const { return mDisablePrompt; }
  void SetClamp(double lo, double hi) { mClampLo = lo, mClampHi = hi; }

 protected:
  // NaN never reaches the frame arithmetic: it becomes the low bound.
  double Sanitized(double value) const { return value == value ? value : mClampLo; }
  void SetValue(double value) { mValue.store(value, std::memory_order_relaxed); }
  void SetRedrawAgain(bool again) { mRedrawAgain.store(again, std::memory_order_relaxed); }

  int32_t mTextEntryLength = 7;
  ITextStyle mText;
  IPlugBase* mPlug;
  IRectangle mRECT;
  IRectangle mTargetRECT;
  int32_t mParamIdx;
  std::atomic<double> mValue{0.0};
  std::atomic<double> mDefaultValue{-1.0};  // negative: never shown a value
  double mClampLo = 0.0, mClampHi = 1.0;
  std::atomic<bool> mDirty{true};
  std::atomic<bool> mHide{false};
  bool mGrayed = false;
  std::atomic<bool> mRedrawAgain{false};
  bool mDisablePrompt = true;
  bool mDblAsSingleClick = false;
  bool mMOWhenGrayed = false;
  IBlendSetting mBlend;
  IGraphics* mGraphics = nullptr;

  static_assert(std::atomic<double>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
                "values shared with the audio thread must be lock-free");
};
