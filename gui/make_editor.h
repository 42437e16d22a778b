// The one seam through which a plug-in gets its platform's editor. Under Windows that is the
// editor's window (IGraphicsWin) on the module's PNG resources; elsewhere, and where a test asks
// for it, a headless editor (IGraphicsHeadless) on the process caches, whose images are the PNG
// resources of the module (Windows) or the PNG files of the same names under the image root
// (elsewhere: the source tree, for tests and the benchmark); an image loader set on the
// process bitmap cache takes precedence over both. [UI thread; allocates]
#pragma once

#include <cstdint>

class IGraphics;
class IPlugBase;

// A new editor of width x height pixels for plug, owned by the caller (the plug-in base once
// attached); fps 0 or less is the default rate. moduleInstance is the module the images and
// the window class belong to (an HINSTANCE on Windows, ignored elsewhere). Null when it cannot
// be allocated.
IGraphics* MakePlatformEditor(IPlugBase* plug, int32_t width, int32_t height, int32_t fps, void* moduleInstance);

// Tests that drive a plug-in's editor without a window ask for the headless editor on every
// platform; editors made before the call keep their kind. [any thread; no allocation]
void SetPlatformEditorsHeadless(bool headless);
