// The host's side of an editor on Windows, shared by our test hosts: a visible top-level window
// to open editors in, the message loop a host runs between events, and the pixels the display
// shows. Windows only; UI thread; allocates.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace vst3host {

// A visible popup window at (x, y) of that size, brought to the front; null when none can be
// made (no display).
HWND MakeHostWindow(int x, int y, int width, int height);

// Dispatches the thread's messages for about that long, as a host's message loop would.
void PumpMessages(int milliseconds);

// The pixels of a rectangle of the window's client area as the display shows them, 0x00RRGGBB
// row by row from the top; empty when they cannot be read.
std::vector<uint32_t> CapturePixels(HWND window, const RECT& r);

// True when every pixel has the first one's colour (or there are none).
bool OneColour(const std::vector<uint32_t>& pixels);

// The framework's editor window inside the host's window, or null.
HWND FindEditorWindow(HWND host);

}  // namespace vst3host
