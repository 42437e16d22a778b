// The window procedures of IGraphicsWin, shared by its two source files. Windows only.
#pragma once

#include <windows.h>
#undef DrawText

#include "gui/igraphics_win32.h"

struct IGraphicsWinProcs {
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK TextEntryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT Handle(IGraphicsWin& g, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT HandleEntry(IGraphicsWin& g, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static bool RegisterWindowClass(HINSTANCE module);
};

// Gives the cache the system font factory when it has none (igraphics_win32_resources.cpp).
void InstallSystemFontFactory(IFontCache& cache);
