// The module scenario: the seven exports, start-up, and the description the registration gives
// (one effect, its names, category, maker, version, procedures, the context's fields and the
// process procedure's properties), then shut-down with nothing held and the library freed.
#include <algorithm>
#include <map>

#include "tools/aaxhost/scenarios.h"

namespace aaxhost {

namespace {

bool Logged(fake_aax::FakeHost& host, const std::string& line) {
  const auto& log = host.Log();
  return std::find(log.begin(), log.end(), line) != log.end();
}

}  // namespace

void ScenarioModule(const std::string& plugin, Checks& c) {
  fake_aax::FakeHost host;
  std::string error;
  {
    AaxModule module;
    if (!c.That(module.Load(plugin, error), "the plug-in file loads with its seven exports " + error)) return;
    uint64_t version = 0;
    c.That(reinterpret_cast<int32_t (*)(uint64_t*)>(module.Export("ACFGetSDKVersion"))(&version) == 0 && version != 0,
           "ACFGetSDKVersion reports a version");
    if (!c.That(module.Register(host, error), "ACFStartup and ACFRegisterPlugin " + error)) return;

    c.That(host.Made("collection").size() == 1 && host.Made("effectDescriptor").size() == 1 &&
               host.Made("componentDescriptor").size() == 1,
           "one collection, one effect, one component");
    for (const char* line : {"collection0.AddEffect com.Quenvald.aax.Kavrotel effectDescriptor0",
                             "effectDescriptor0.AddName Kavrotel", "effectDescriptor0.AddCategory 0",
                             "collection0.AddPackageName Kavrotel", "collection0.SetManufacturerName Quenvald",
                             "collection0.SetPackageVersion 65536", "effectDescriptor0.AddComponent componentDescriptor0",
                             "componentDescriptor0.AddMIDINode 6 3 Transport 65535"})
      c.That(Logged(host, line), std::string("the description says ") + line);

    const fake_aax::ComponentDescriptor* component = module.Component();
    std::map<int32_t, std::string> fields;
    for (const auto& [field, f] : component->fields)
      fields[field] = f.kind + (f.kind == "PrivateData" ? " " + std::to_string(f.size) : "") +
                      (f.kind == "MIDINode" ? " " + std::to_string(f.nodeKind) : "");
    const std::map<int32_t, std::string> expected = {
        {0, "AudioIn"},       {1, "AudioOut"},      {2, "AudioBufferLength"}, {4, "PrivateData 4"},
        {5, "PrivateData 4"}, {6, "MIDINode 3"},    {7, "PrivateData 8"},     {8, "PrivateData 4"}};
    c.That(fields == expected, "the render context: audio in 0, out 1, length 2, transport node 6, instance 7");

    const auto* properties = static_cast<const fake_aax::PropertyMap*>(host.FindByPointer(component->renderProperties));
    const std::map<int32_t, int32_t> expectedProperties = {
        {11, 0x514E5644}, {12, 0x4B56524C}, {13, 0x45464E31}, {14, 0x45464131}, {51, 1}, {52, 1}, {56, 0}, {60, 1}};
    c.That(component->renderProc && properties && properties->properties == expectedProperties,
           "the process procedure with its properties: QNVD, KVRL, EFN1, EFA1, mono in and out");
    c.That(module.Procedure(0) && module.Procedure(1), "creation procedures 0 (effect) and 1 (editor)");
    c.That(module.CanUnloadNow() == 0, "after registration nothing of the plug-in's is alive");
    c.That(module.Shutdown() == 0, "ACFShutdown");
  }
  const std::vector<std::string> held = host.Unbalanced();
  c.That(held.empty(), "every reference to the host's objects is released" + (held.empty() ? "" : ": " + held[0]));
}

}  // namespace aaxhost
