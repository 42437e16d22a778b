#include "tools/aaxhost/aax_module.h"

namespace aaxhost {

const char* const kAcfExports[7] = {"ACFRegisterPlugin", "ACFRegisterComponent", "ACFGetClassFactory", "ACFCanUnloadNow",
                                    "ACFStartup",        "ACFShutdown",          "ACFGetSDKVersion"};

namespace {

using StartupProc = int32_t (*)(void*);
using RegisterProc = int32_t (*)(void*, void**);
using CanUnloadProc = int32_t (*)();

// A bundle folder holds its library at Contents/x64/ under the bundle's own name.
std::string LibraryInBundle(std::string path) {
  while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
  const size_t slash = path.find_last_of("/\\");
  return path + "/Contents/x64/" + (slash == std::string::npos ? path : path.substr(slash + 1));
}

}  // namespace

AaxModule::~AaxModule() { Shutdown(); }

bool AaxModule::Load(const std::string& path, std::string& error) {
  // The bundle, or else the library itself.
  file_ = LibraryInBundle(path);
  std::string bundleError;
  if (!library_.Load(file_, bundleError)) {
    file_ = path;
    if (!library_.Load(file_, error)) return false;
  }
  for (const char* name : kAcfExports) {
    if (!Export(name)) {
      error = file_ + " does not export " + name;
      return false;
    }
  }
  return true;
}

bool AaxModule::Register(fake_aax::FakeHost& host, std::string& error) {
  if (reinterpret_cast<StartupProc>(Export("ACFStartup"))(host.Context()) != 0) {
    error = "ACFStartup failed";
    return false;
  }
  host_ = &host;
  void* definition = nullptr;
  const int32_t r = reinterpret_cast<RegisterProc>(Export("ACFRegisterPlugin"))(host.Context(), &definition);
  if (definition) fake_aax::Call<uint32_t>(definition, 2);
  const auto effects = host.Made("effectDescriptor");
  const auto components = host.Made("componentDescriptor");
  if (r != 0 || effects.empty() || components.empty()) {
    error = "ACFRegisterPlugin answered " + std::to_string(r) + " and described " + std::to_string(effects.size()) +
            " effects";
    return false;
  }
  effect_ = static_cast<const fake_aax::EffectDescriptor*>(effects.front());
  component_ = static_cast<const fake_aax::ComponentDescriptor*>(components.front());
  return true;
}

int32_t AaxModule::Shutdown() {
  int32_t r = 0;
  if (host_ && library_.IsLoaded()) r = reinterpret_cast<StartupProc>(Export("ACFShutdown"))(nullptr);
  host_ = nullptr;
  effect_ = nullptr;
  component_ = nullptr;
  library_.Unload();
  return r;
}

int32_t AaxModule::CanUnloadNow() const {
  return library_.IsLoaded() ? reinterpret_cast<CanUnloadProc>(Export("ACFCanUnloadNow"))() : 0;
}

void* AaxModule::Procedure(uint32_t id) const {
  if (!effect_) return nullptr;
  auto it = effect_->procedures.find(id);
  return it == effect_->procedures.end() ? nullptr : it->second;
}

}  // namespace aaxhost
