#include "tools/vst3host/renderer.h"

#include <cmath>
#include <cstdlib>

#include "platform/vst3/vst3_edit_controller.h"

namespace vst3host {

namespace {

bool FindParameter(IEditController* controller, const std::string& name, ParamID& id) {
  for (int32 i = 0; i < controller->getParameterCount(); ++i) {
    ParameterInfo info{};
    if (controller->getParameterInfo(i, info) == kResultOk && NarrowText(info.title) == name) {
      id = info.id;
      return true;
    }
  }
  char* end = nullptr;
  unsigned long number = std::strtoul(name.c_str(), &end, 10);
  if (name.empty() || *end) return false;
  for (int32 i = 0; i < controller->getParameterCount(); ++i) {
    ParameterInfo info{};
    if (controller->getParameterInfo(i, info) == kResultOk && info.id == number) {
      id = info.id;
      return true;
    }
  }
  return false;
}

}  // namespace

bool ResolveSettings(IEditController* controller, const std::vector<std::string>& texts,
                     std::vector<ParameterSetting>& settings, std::string& error) {
  for (const std::string& text : texts) {
    size_t eq = text.find('=');
    if (eq == std::string::npos || eq == 0) {
      error = "a setting is Name=value, not '" + text + "'";
      return false;
    }
    std::string name = text.substr(0, eq), value = text.substr(eq + 1);
    ParamID id = 0;
    if (!FindParameter(controller, name, id)) {
      error = "unknown parameter '" + name + "'";
      return false;
    }
    String128 wide;
    WidenText(value, wide);
    ParamValue normalized = 0;
    if (controller->getParamValueByString(id, wide, normalized) != kResultOk) {
      error = "parameter '" + name + "' does not accept the value '" + value + "'";
      return false;
    }
    settings.push_back({id, normalized});
  }
  return true;
}

bool RenderSignal(PluginInstance& instance, const std::vector<ParameterSetting>& settings, const std::vector<float>& in,
                  int32 blockSize, std::vector<float>& out, std::string& error) {
  ParameterChanges changes;
  for (const ParameterSetting& s : settings) {
    changes.Add(s.id, s.normalized);
    instance.controller->setParamNormalized(s.id, s.normalized);
  }
  out.assign(in.size(), 0.0f);
  for (size_t start = 0; start < in.size(); start += static_cast<size_t>(blockSize)) {
    size_t left = in.size() - start;
    int32 frames = static_cast<int32>(left < static_cast<size_t>(blockSize) ? left : static_cast<size_t>(blockSize));
    tresult r = instance.Process32(in.data() + start, out.data() + start, frames, start == 0 ? &changes : nullptr);
    if (r != kResultOk) {
      error = "process failed at sample " + std::to_string(start);
      return false;
    }
  }
  return true;
}

}  // namespace vst3host
