// FakeEditor: a headless editor for tests. Controls are bound to parameter indices and keep
// the normalised value, hidden and dirty flags a real control would; every call is logged.
// Plain values are normalised through the plug-in's parameter, as the real editor does.
// Logging allocates, so this is for tests only, also when called from a block.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/editor.h"

class IPlugBase;

class FakeEditor : public IEditor {
 public:
  struct Control final : IEditorControl {
    explicit Control(int32_t param) : paramIdx(param) {}
    void SetHidden(bool hide) override {
      hidden = hide;
      dirty = true;
    }
    int32_t paramIdx;  // -1 for none
    double value = 0.0;
    bool hidden = false;
    bool dirty = false;
  };

  struct Call {
    enum Kind { kUpdateParameterControls, kSetControlValue, kCreateDrawBitmaps, kOpenWindow, kCloseWindow };
    Kind kind;
    int32_t index = -1;   // parameter or control index
    double value = 0.0;   // as passed
    bool normalized = false;
    bool operator==(const Call& other) const {
      return kind == other.kind && index == other.index && value == other.value && normalized == other.normalized;
    }
  };

  // plug resolves plain values to normalised ones; it may be null when none are pushed.
  explicit FakeEditor(const IPlugBase* plug = nullptr, int32_t width = 541, int32_t height = 580);
  ~FakeEditor() override;

  // Appends a control bound to paramIdx (-1 for none); returns its index.
  int32_t AddControl(int32_t paramIdx);
  int32_t GetControlCount() const { return static_cast<int32_t>(controls_.size()); }
  // The control at the index, null outside the list.
  Control* ControlAt(int32_t controlIdx) const;
  const std::vector<Call>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  bool IsWindowOpen() const { return windowOpen_; }
  // *counter is incremented when this editor is destroyed.
  void CountDestructionIn(int* counter) { destroyedCounter_ = counter; }

  void UpdateParameterControls(int32_t paramIdx, double value, bool isNormalized) override;
  void SetControlValue(int32_t controlIdx, double normalizedValue) override;
  IEditorControl* GetControl(int32_t controlIdx) override { return ControlAt(controlIdx); }
  void CreateDrawBitmaps() override;
  void* OpenWindow(void* parentWindow) override;
  void CloseWindow() override;
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  void SetViewContainer(IHostViewContainer* container) override { viewContainer_ = container; }
  IHostViewContainer* GetViewContainer() const { return viewContainer_; }

 private:
  const IPlugBase* plug_;
  int32_t width_;
  int32_t height_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<Call> calls_;
  bool windowOpen_ = false;
  int* destroyedCounter_ = nullptr;
  IHostViewContainer* viewContainer_ = nullptr;
};
