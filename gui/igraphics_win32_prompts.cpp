// IGraphicsWin: popup menus, the text-entry edit box, the dialogs and the folders.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <wininet.h>
#undef DrawText

#include <cstdlib>
#include <cstring>

#include "core/iparameter.h"
#include "core/text.h"
#include "gui/igraphics_win32_procs.h"
#include "gui/ipopup_menu.h"
#include "gui/prompt_for_value.h"
#include "gui/win_file_dialog_text.h"


namespace {
// The ids a menu and every submenu below it use up, so that numbering goes on past a submenu
// the system could not make just as the lookup does.
int32_t MenuIdCount(const IPopupMenu* menu) {
  int32_t count = menu->GetItemCount();
  for (int32_t i = 0; i < menu->GetItemCount(); ++i) {
    const IPopupMenuItem* item = menu->GetItem(i);
    if (!item->IsSeparator() && item->GetSubmenu()) count += MenuIdCount(item->GetSubmenu());
  }
  return count;
}
}  // namespace

// ---- Prompts and popup menus ----------------------------------------------------------------------

void IGraphicsWin::PromptForValue(IControl* control, IParameter* param, const IRectangle& rect) {
  PromptWithMenuOrTextEntry(*this, control, param, rect);
}

HMENU IGraphicsWin::BuildMenu(IPopupMenu* menu, int32_t* runningId) {
  const int32_t start = *runningId, count = menu->GetItemCount();
  HMENU handle = CreatePopupMenu();
  if (!handle) {
    *runningId = start + MenuIdCount(menu);
    return nullptr;
  }
  *runningId = start + count;  // this menu's block first, then each submenu's
  GrowString text;
  for (int32_t i = 0; i < count; ++i) {
    IPopupMenuItem* item = menu->GetItem(i);
    if (item->IsSeparator()) {
      AppendMenuA(handle, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    menu->FormatItemText(i, &text);
    if (IPopupMenu* sub = item->GetSubmenu()) {
      if (HMENU subHandle = BuildMenu(sub, runningId)) {
        AppendMenuA(handle, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(subHandle), text.Get());
        continue;
      }
    }
    UINT flags = MF_STRING;
    if (item->GetFlags() & IPopupMenuItem::kGrayed) flags |= MF_GRAYED;
    if (item->GetFlags() & IPopupMenuItem::kDisabled) flags |= MF_DISABLED;
    if (item->IsChecked()) flags |= MF_CHECKED;
    AppendMenuA(handle, flags, static_cast<UINT_PTR>(start + i), text.Get());
  }
  return handle;
}

IPopupMenu* IGraphicsWin::ShowPopupMenu(IPopupMenu* menu, const IRectangle& rect) {
  ReleaseMouseCapture();
  if (!menu || !window_) return nullptr;
  int32_t nextId = 0;
  HMENU handle = BuildMenu(menu, &nextId);
  if (!handle) return nullptr;
  IPopupMenu* result = nullptr;
  POINT corner = {rect.L, rect.B};
  ClientToScreen(window_, &corner);
  if (TrackPopupMenu(handle, TPM_LEFTBUTTON, corner.x, corner.y, 0, window_, nullptr)) {
    // The choice was posted to the window; the first item's identifier is 0.
    MSG msg;
    if (PeekMessageA(&msg, window_, WM_COMMAND, WM_COMMAND, PM_REMOVE) && HIWORD(msg.wParam) == 0) {
      int32_t index = -1, walk = 0;
      if (IPopupMenu* found = FindMenuItem(menu, LOWORD(msg.wParam), &index, &walk)) {
        found->SetChosenItemIdx(index);
        result = found;
      }
    }
  }
  DestroyMenu(handle);
  InvalidateAll();
  return result;
}

// ---- The text entry --------------------------------------------------------------------------------

void IGraphicsWin::ShowTextEntry(IControl* control, const ITextStyle& style, const IRectangle& rect, const char* text,
                                 IParameter* param) {
  if (!control || entryWindow_ || !window_) return;
  DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_MULTILINE;
  if (style.mAlign == ITextStyle::kAlignCenter) editStyle |= ES_CENTER;
  if (style.mAlign == ITextStyle::kAlignFar) editStyle |= ES_RIGHT;
  HWND edit = CreateWindowExA(0, "EDIT", text ? text : "", editStyle, rect.L, rect.T, rect.W() + 1, rect.H() + 1,
                              window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextEntryControlId)), Module(),
                              nullptr);
  if (!edit) return;
  HFONT font = CreateFontA(style.mSize, 0, 0, 0, style.mStyle == ITextStyle::kStyleBold ? FW_BOLD : 0,
                           style.mStyle == ITextStyle::kStyleItalic, 0, 0, 0, 0, 0, 0, 0, style.mFont);
  if (font) SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(control->GetTextEntryLength()), 0);
  // The focus comes before the subclass, so the entry opens in state 0 (see win_text_entry.h).
  SetFocus(edit);
  entryWindow_ = edit;
  entryFont_ = font;
  entryOwnProc_ = SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&IGraphicsWinProcs::TextEntryProc));
  SetWindowLongPtrA(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  editControl_ = control;
  editParam_ = param;
  entry_.Opened();
}

void IGraphicsWin::CommitTextEntry() {
  char text[kTextEntryReadBytes] = {};
  SendMessageA(entryWindow_, WM_GETTEXT, kTextEntryReadBytes, reinterpret_cast<LPARAM>(text));
  IControl* control = editControl_;
  IParameter* param = editParam_;
  CloseTextEntry();  // before the control hears of it: its handler may open another prompt
  if (!control) return;
  if (param) {
    control->SetValueFromPrompt(TextEntryCommittedValue(*param, text));
  } else {
    control->TakeEnteredText(text);
  }
}

void IGraphicsWin::CloseTextEntry() {
  HWND edit = entryWindow_;
  HFONT font = entryFont_;
  if (edit) {
    // Its own procedure back first: destroying it must not reach ours.
    if (entryOwnProc_) SetWindowLongPtrA(edit, GWLP_WNDPROC, entryOwnProc_);
    SetWindowLongPtrA(edit, GWLP_USERDATA, 0);
  }
  entryWindow_ = nullptr;
  entryFont_ = nullptr;
  editControl_ = nullptr;
  editParam_ = nullptr;
  entryOwnProc_ = 0;
  entry_.Closed();
  if (edit) DestroyWindow(edit);
  if (font) DeleteObject(font);
}

LRESULT CALLBACK IGraphicsWinProcs::TextEntryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  IGraphicsWin* editor = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!editor || editor->entryWindow_ != window) return DefWindowProcA(window, message, wParam, lParam);
  return HandleEntry(*editor, window, message, wParam, lParam);
}

LRESULT IGraphicsWinProcs::HandleEntry(IGraphicsWin& g, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC own = reinterpret_cast<WNDPROC>(g.entryOwnProc_);
  switch (message) {
    case WM_SETFOCUS:
      g.entry_.FocusGained();
      break;
    case WM_KILLFOCUS:
      g.entry_.FocusLost();
      break;
    case WM_GETDLGCODE: {
      LRESULT code = CallWindowProcA(own, window, message, wParam, lParam);
      const MSG* asked = reinterpret_cast<const MSG*>(lParam);
      if (!g.editParam_ && asked && asked->message == WM_KEYDOWN && asked->wParam == VK_RETURN) code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        g.entry_.EnterPressed();
        return 0;
      }
      break;
    case WM_CHAR:
      if (!TextEntryAcceptsChar(g.editParam_, static_cast<uint32_t>(wParam))) return 0;
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == 1) {
        g.entry_.EnterPressed();
        return 0;
      }
      break;
    default:
      break;
  }
  return CallWindowProcA(own, window, message, wParam, lParam);
}

// ---- Dialogs -----------------------------------------------------------------------------------------

int32_t IGraphicsWin::ShowMessageBox(const char* text, const char* caption, uint32_t type) {
  return MessageBoxA(static_cast<HWND>(GetMainWindow()), text, caption, type);
}

namespace {
UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const CHOOSECOLORA* cc = reinterpret_cast<const CHOOSECOLORA*>(lParam);
    const char* prompt = cc ? reinterpret_cast<const char*>(cc->lCustData) : nullptr;
    if (prompt) SetWindowTextA(dialog, prompt);
  }
  return 0;
}
}  // namespace

bool IGraphicsWin::AskForColour(IArgb* colour, const char* prompt) {
  if (!window_ || !colour) return false;
  if (!customColours_) customColours_.reset(new uint32_t[16]());
  static_assert(sizeof(COLORREF) == sizeof(uint32_t), "custom colours are COLORREFs");
  CHOOSECOLORA cc = {};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = window_;
  cc.rgbResult = RGB(colour->R, colour->G, colour->B);
  cc.lpCustColors = reinterpret_cast<COLORREF*>(customColours_.get());
  cc.lCustData = reinterpret_cast<LPARAM>(prompt);
  cc.lpfnHook = ColourDialogHook;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_SOLIDCOLOR | CC_ANYCOLOR;
  if (!ChooseColorA(&cc)) return false;
  colour->R = GetRValue(cc.rgbResult);
  colour->G = GetGValue(cc.rgbResult);
  colour->B = GetBValue(cc.rgbResult);
  return true;
}

void IGraphicsWin::AskForFile(GrowString* fileName, int32_t action, GrowString* folder, const char* extensions) {
  if (!fileName) return;
  if (!window_) {
    fileName->Set("");
    return;
  }
  // Both texts are copied into the dialog's fixed buffers with their bounds.
  char file[kFileDialogBufferChars], initialFolder[kFileDialogBufferChars];
  CopyText(file, sizeof file, fileName->Get());
  GrowString desktop;
  if (folder && folder->GetLength() == 0) {
    DesktopFolder(&desktop);
    folder->Set(desktop.Get());
  }
  CopyText(initialFolder, sizeof initialFolder, folder ? folder->Get() : "");

  GrowBuffer filter;
  char defaultExtension[kFileDialogBufferChars] = {};
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = window_;
  ofn.lpstrFile = file;
  ofn.nMaxFile = kFileDialogBufferChars - 1;
  ofn.lpstrInitialDir = initialFolder;
  if (extensions && extensions[0] && BuildFileDialogFilter(extensions, &filter) && filter.GetSize() > 0) {
    ofn.lpstrFilter = filter.GetAs<char>();
    FileDialogDefaultExtension(extensions, defaultExtension, sizeof defaultExtension);
    ofn.lpstrDefExt = defaultExtension;
  }
  BOOL chosen;
  if (action == 1) {
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    chosen = GetSaveFileNameA(&ofn);
  } else {
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    chosen = GetOpenFileNameA(&ofn);
  }
  if (!chosen) {
    fileName->Set("");
    return;
  }
  file[kFileDialogBufferChars - 1] = 0;
  char drive[_MAX_DRIVE], directory[_MAX_DIR];
  if (folder && _splitpath_s(file, drive, sizeof drive, directory, sizeof directory, nullptr, 0, nullptr, 0) == 0) {
    folder->SetFormatted(kFileDialogBufferChars, "%s%s", drive, directory);
  }
  fileName->Set(file);
}

bool IGraphicsWin::OpenURL(const char* url, const char* caption, const char* confirmation, const char* error) {
  if (confirmation && MessageBoxA(window_, confirmation, caption, MB_YESNO) != IDYES) return false;
  DWORD state = 0;
  if (InternetGetConnectedState(&state, 0) &&
      reinterpret_cast<INT_PTR>(ShellExecuteA(window_, "open", url, nullptr, nullptr, SW_SHOWNORMAL)) > 32) {
    return true;
  }
  if (error) MessageBoxA(window_, error, caption, MB_OK);
  return false;
}

// ---- Folders -------------------------------------------------------------------------------------------

namespace {
void ModuleFolder(HMODULE module, GrowString* out) {
  char path[kFileDialogBufferChars] = {};
  GetModuleFileNameA(module, path, sizeof path);
  path[sizeof path - 1] = 0;
  char folder[kFileDialogBufferChars];
  FolderOfPath(path, folder, sizeof folder);
  out->Set(folder);
}
}  // namespace

void IGraphicsWin::HostFolder(GrowString* out) {
  if (out) ModuleFolder(nullptr, out);
}

void IGraphicsWin::PluginFolder(GrowString* out) {
  if (out) ModuleFolder(Module(), out);
}

void IGraphicsWin::DesktopFolder(GrowString* out) {
  if (!out) return;
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOP, FALSE);
  path[kFileDialogBufferChars - 1] = 0;
  out->Set(path);
}

void IGraphicsWin::AppDataFolder(GrowString* out) {
  if (!out) return;
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, path);
  path[kFileDialogBufferChars - 1] = 0;
  out->Set(path);
}
