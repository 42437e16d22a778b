#include "tools/vst3host/capture.h"

#include <windows.h>

#include <png.h>

#include <cstdint>

#include "tools/vst3host/host_window_win.h"
#include "tools/vst3host/plugin_session.h"
#include "tools/vst3host/renderer.h"
#include "tools/vst3host/wav_file.h"

namespace vst3host {

namespace {

// The window's pixels as the display shows them, as RGB rows from the top.
bool GrabRgb(HWND window, int w, int h, std::vector<uint8_t>& rgb) {
  const std::vector<uint32_t> pixels = CapturePixels(window, RECT{0, 0, w, h});
  if (pixels.empty()) return false;
  rgb.resize(pixels.size() * 3);
  for (size_t i = 0; i < pixels.size(); ++i) {
    rgb[3 * i] = static_cast<uint8_t>(pixels[i] >> 16);
    rgb[3 * i + 1] = static_cast<uint8_t>(pixels[i] >> 8);
    rgb[3 * i + 2] = static_cast<uint8_t>(pixels[i]);
  }
  return true;
}

bool EncodePng(const std::vector<uint8_t>& rgb, int w, int h, std::vector<uint8_t>& out, std::string& error) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(w);
  image.height = static_cast<png_uint_32>(h);
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr) || size == 0) {
    error = std::string("PNG encoding failed: ") + image.message;
    return false;
  }
  out.resize(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr)) {
    error = std::string("PNG encoding failed: ") + image.message;
    return false;
  }
  out.resize(size);
  return true;
}

}  // namespace

bool CaptureEditor(const std::string& bundle, const std::vector<std::string>& settingTexts,
                   const std::string& outPath, std::string& error) {
  Vst3Module module;
  HostApplication host("vst3host");
  PluginInstance instance;
  std::vector<ParameterSetting> settings;
  if (!module.Load(bundle, error) || !instance.Create(module, host, error) ||
      !ResolveSettings(instance.controller, settingTexts, settings, error) ||
      !instance.StartProcessing(44100, 512, 0, error))
    return false;
  // The settings reach both halves as a host's would: the controller directly, the processor
  // through a block's parameter queue.
  ParameterChanges changes;
  for (const ParameterSetting& s : settings) {
    instance.controller->setParamNormalized(s.id, s.normalized);
    changes.Add(s.id, s.normalized);
  }
  std::vector<float> in(512, 0.0f), out(512, 0.0f);
  instance.Process32(in.data(), out.data(), 512, &changes);

  IPlugView* view = instance.controller->createView("editor");
  if (!view) {
    error = "the plug-in has no editor";
    return false;
  }
  bool ok = false;
  ViewRect size{};
  if (view->getSize(&size) != kResultOk || size.right <= size.left || size.bottom <= size.top) {
    error = "the editor has no size";
  } else {
    const int w = size.right - size.left, h = size.bottom - size.top;
    PlugFrame frame;
    view->setFrame(&frame);
    HWND window = MakeHostWindow(0, 0, w, h);
    if (!window) {
      error = "no host window";
    } else if (view->attached(window, "HWND") != kResultOk) {
      error = "the editor did not attach to the host's window";
    } else {
      PumpMessages(500);  // a few timer ticks draw the editor
      // The editor's own child window when it made one, else the host's window it drew in.
      HWND editor = GetWindow(window, GW_CHILD);
      std::vector<uint8_t> rgb, png;
      if (!GrabRgb(editor ? editor : window, w, h, rgb)) error = "the window's pixels could not be read";
      else ok = EncodePng(rgb, w, h, png, error) && WriteFile(outPath, png, error);
      view->removed();
    }
    if (window) DestroyWindow(window);
    view->setFrame(nullptr);
  }
  view->release();
  instance.Destroy();
  return ok;
}

}  // namespace vst3host
