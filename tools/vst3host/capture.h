// The editor's picture: the view opened in a host window at the given settings, drawn by its
// timer for a while, and its window's pixels written as a PNG file.
#pragma once

#include <string>
#include <vector>

namespace vst3host {

// Opens <bundle>'s editor with the settings (Name=value texts) and writes its pixels to
// outPath. False with error set when anything fails.
bool CaptureEditor(const std::string& bundle, const std::vector<std::string>& settingTexts,
                   const std::string& outPath, std::string& error);

}  // namespace vst3host
