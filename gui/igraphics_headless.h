// IGraphicsHeadless: an editor with no window, drawing into its memory drawing bitmap. It
// stands in for the Win32 window where there is none: tests and the benchmark drive its timer
// tick and paints, its images come from the bitmap cache's image loader, and it records what a
// window would have shown (painted rectangles, menus, text entries, prompts). Recording
// allocates: for tests and the benchmark, on the UI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "gui/igraphics.h"

class IGraphicsHeadless : public IGraphics {
 public:
  struct Prompt {
    IControl* control;
    IParameter* param;
    IRectangle rect;
  };

  using IGraphics::IGraphics;

  // The window's timer tick: the dirty union, then (when there is one) its paint at once.
  // True when it painted.
  bool Tick();

  bool PaintScreen(const IRectangle& rect) override;
  // Releases the capture as a modal menu would, then answers with menuAnswer (null: dismissed).
  IPopupMenu* ShowPopupMenu(IPopupMenu* menu, const IRectangle& rect) override;
  void ShowTextEntry(IControl* control, const ITextStyle& style, const IRectangle& rect, const char* text,
                     IParameter* param) override;
  // Records the prompt; onPrompt, when set, stands in for the menu or entry the user answers.
  void PromptForValue(IControl* control, IParameter* param, const IRectangle& rect) override;
  // A png name loads through the bitmap cache's image loader; any other name loads nothing.
  LICE_IBitmap* LoadBitmapResource(int32_t resourceId, const char* fileName) override;

  // A stand-in window handle; marks every control dirty, as a window opening does.
  void* OpenWindow(void* parentWindow) override;
  void CloseWindow() override { window_ = nullptr; }
  void* GetWindow() override { return window_; }

  std::vector<IRectangle> painted;
  std::vector<IRectangle> menusShown;
  std::vector<IRectangle> textEntries;
  std::vector<Prompt> prompts;
  IPopupMenu* menuAnswer = nullptr;
  std::function<void(const Prompt&)> onPrompt;

 private:
  void* window_ = nullptr;
};
