// An AAX plug-in file as our test host loads it: the library (a bundle's
// Contents/x64/<name>.aaxplugin, or the file itself), its seven exports, and what its
// registration described on the fake host. Host side; Windows x86-64; one thread.
#pragma once

#include <cstdint>
#include <string>

#include "tools/aaxhost/fake_host.h"
#include "tools/vst3host/module_loader.h"

namespace aaxhost {

// The names an AAX host looks up.
extern const char* const kAcfExports[7];

class AaxModule {
 public:
  AaxModule() = default;
  ~AaxModule();
  AaxModule(const AaxModule&) = delete;
  AaxModule& operator=(const AaxModule&) = delete;

  // False with the reason when the file cannot be loaded or lacks an export.
  bool Load(const std::string& path, std::string& error);
  // ACFStartup and ACFRegisterPlugin on the host, the definition released as a host does once it
  // has read it; the effect and component described are kept. False with the reason.
  bool Register(fake_aax::FakeHost& host, std::string& error);
  // ACFShutdown's answer (after Register; 0 otherwise), then the library freed.
  int32_t Shutdown();

  void* Export(const char* name) const { return library_.Symbol(name); }
  int32_t CanUnloadNow() const;
  const std::string& File() const { return file_; }
  // What the registration described (null before it).
  void* Procedure(uint32_t id) const;
  const fake_aax::ComponentDescriptor* Component() const { return component_; }

 private:
  vst3host::LoadedLibrary library_;
  std::string file_;
  fake_aax::FakeHost* host_ = nullptr;  // while registered
  const fake_aax::EffectDescriptor* effect_ = nullptr;
  const fake_aax::ComponentDescriptor* component_ = nullptr;
};

}  // namespace aaxhost
