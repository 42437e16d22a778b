// IGraphicsWin: the editor on the screen under Windows. A child window of class "IPlugWndClass",
// titled "IPlug", inside the window the host gives OpenWindow; its timer collects the dirty
// controls and repaints them from the drawing bitmap; mouse and key messages become the
// editor's dispatch calls; keys no control takes go to the host's root window. It also holds
// the Windows side of prompts: popup menus, the text-entry edit box, and the dialogs.
//
// The window class is registered once per process by the first window opened and unregistered
// when the last one closes. A host that destroys its parent window without closing the editor
// leaves no dead handle behind: the editor forgets its window when it is destroyed.
// UI thread only (the thread that owns the window). Windows' headers stay out of this one.
//
// Sources: igraphics_win32.cpp (window, timer, paint, mouse, keys), igraphics_win32_prompts.cpp
// (popup menus, text entry, dialogs, folders), igraphics_win32_resources.cpp (images, fonts).
#pragma once

#include <cstdint>
#include <memory>

#include "core/grow_string.h"
#include "gui/igraphics.h"
#include "gui/win_text_entry.h"

class IPopupMenu;
struct HWND__;
struct HINSTANCE__;
struct HFONT__;
struct HMENU__;

class IGraphicsWin : public IGraphics {
 public:
  static constexpr const char* kWindowClassName = "IPlugWndClass";
  static constexpr const char* kWindowTitle = "IPlug";
  static constexpr uintptr_t kTimerId = 2;
  static constexpr int32_t kTextEntryControlId = 99;

  // [UI thread] fps 0 or less means 25. Null caches mean the process-wide ones; with those, the
  // process font cache gets the system font factory when it has none yet.
  IGraphicsWin(IPlugBase* plug, int32_t width, int32_t height, int32_t fps = 0, IBitmapCache* bitmaps = nullptr,
               IFontCache* fonts = nullptr);
  // Closes the window first.
  ~IGraphicsWin() override;

  // The module whose window class, child windows and image resources the editor uses (the
  // plug-in's DLL); without one, the module holding this code.
  void SetHInstance(void* module) { module_ = static_cast<HINSTANCE__*>(module); }
  void* GetHInstance() const { return module_; }

  // ---- The window -----------------------------------------------------------------------------
  // A child of parent, or null when it cannot be made. An editor whose window is open moves it
  // to the new parent at the same offset and size.
  void* OpenWindow(void* parentWindow) override;
  // Nothing when no window is open; an open text entry goes with the window.
  void CloseWindow() override;
  void* GetWindow() override { return window_; }
  bool IsWindowOpen() override { return window_ != nullptr; }
  bool PaintScreen(const IRectangle& rect) override;
  // Resizes the editor (its controls are gone: the caller adds them again) and its window;
  // outside VST3 also the host's parent and grandparent windows.
  void Resize(int32_t width, int32_t height) override;
  void HideMouseCursor() override;
  void ShowMouseCursor() override;
  LICE_IBitmap* LoadBitmapResource(int32_t resourceId, const char* fileName) override;

  // ---- Prompts (igraphics_win32_prompts.cpp) --------------------------------------------------
  void PromptForValue(IControl* control, IParameter* param, const IRectangle& rect) override;
  IPopupMenu* ShowPopupMenu(IPopupMenu* menu, const IRectangle& rect) override;
  // Ignored without a control, a window, or while an entry is open.
  void ShowTextEntry(IControl* control, const ITextStyle& style, const IRectangle& rect, const char* text,
                     IParameter* param) override;
  // The next tick closes an open entry without taking its text.
  void CancelTextEntry() { entry_.FocusLost(); }
  int32_t ShowMessageBox(const char* text, const char* caption, uint32_t type);
  // False without a window or when the dialog is cancelled; alpha is kept.
  bool AskForColour(IArgb* colour, const char* prompt);
  // Action 1 saves, any other opens. On OK the file name becomes the chosen path and the folder
  // its folder; on cancel the file name becomes empty. Both are cut to 255 characters.
  void AskForFile(GrowString* fileName, int32_t action, GrowString* folder, const char* extensions);
  bool OpenURL(const char* url, const char* caption, const char* confirmation, const char* error);
  void HostFolder(GrowString* out);
  void PluginFolder(GrowString* out);
  void DesktopFolder(GrowString* out);
  void AppDataFolder(GrowString* out);

  // The host's top-level window, or null (found from the parent, else by class name).
  void* GetMainWindow();
  static bool IsChildWindow(void* window);
  // At most 128 characters.
  static void GetWindowClassName(void* window, GrowString* out);

  // ---- For tests: the open entry --------------------------------------------------------------
  void* GetTextEntryWindow() const { return entryWindow_; }
  TextEntryState GetTextEntryState() const { return entry_.State(); }
  // Windows of the editor class open in this process.
  static int32_t OpenWindowCount();

 private:
  // The window procedures (WindowProc, TextEntryProc), with the Windows types of the source.
  friend struct IGraphicsWinProcs;
  void TimerTick();
  // Takes the typed text to the control (commit), then closes the entry.
  void CommitTextEntry();
  // Restores the edit box's own procedure, destroys it and its font, clears the entry's fields.
  void CloseTextEntry();
  // The window is gone (destroyed by us or with the host's window): forget it and the entry.
  void ForgetWindow();
  void InvalidateAll();
  HINSTANCE__* Module();
  HMENU__* BuildMenu(IPopupMenu* menu, int32_t* runningId);

  HINSTANCE__* module_ = nullptr;
  HWND__* window_ = nullptr;
  HWND__* entryWindow_ = nullptr;
  IControl* editControl_ = nullptr;
  IParameter* editParam_ = nullptr;
  intptr_t entryOwnProc_ = 0;
  HFONT__* entryFont_ = nullptr;
  TextEntryMachine entry_;
  std::unique_ptr<uint32_t[]> customColours_;  // 16, zeroed on first use
  HWND__* parent_ = nullptr;
  HWND__* mainWindow_ = nullptr;
  GrowString mainWindowClass_;
  bool cursorHidden_ = false;
  int32_t hiddenCursorX_ = -1, hiddenCursorY_ = -1;
};
