#include "bench/plugin_guitarix.h"

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>
#include <lv2/worker/worker.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

const char* const kUri = "http://guitarix.sourceforge.net/plugins/gx_amp#GUITARIX";

struct UridMap {
  std::map<std::string, LV2_URID> ids;
  static LV2_URID Map(LV2_URID_Map_Handle handle, const char* uri) {
    auto& ids = static_cast<UridMap*>(handle)->ids;
    auto found = ids.find(uri);
    if (found != ids.end()) return found->second;
    const LV2_URID id = LV2_URID(ids.size() + 1);
    ids.emplace(uri, id);
    return id;
  }
};

// Guitarix prints lines of its own ("using block size", "buffersize changed to") where our
// stdout carries only figures: while it may print (instantiate, activate, the first run at a
// block size, deactivate), descriptor 1 is stderr. Not in every run: that would time the swap.
class PeerPrintsToStderr {
 public:
  PeerPrintsToStderr() : saved_((Flush(), dup(STDOUT_FILENO))) {
    if (saved_ >= 0) dup2(STDERR_FILENO, STDOUT_FILENO);
  }
  ~PeerPrintsToStderr() {
    Flush();
    if (saved_ < 0) return;
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
  }
  PeerPrintsToStderr(const PeerPrintsToStderr&) = delete;
  PeerPrintsToStderr& operator=(const PeerPrintsToStderr&) = delete;

 private:
  static void Flush() {
    std::cout.flush();
    std::fflush(stdout);
  }
  int saved_;
};

}  // namespace

struct GuitarixAmp::State {
  LilvWorld* world = nullptr;
  LilvInstance* instance = nullptr;
  UridMap uridMap;
  LV2_URID_Map map{&uridMap, &UridMap::Map};
  LV2_Worker_Schedule schedule{this, &State::Schedule};
  const LV2_Worker_Interface* worker = nullptr;
  std::vector<float> controls;
  std::vector<uint8_t> atomIn, atomOut;
  std::vector<float> inBuffer, outBuffer;
  int32_t minBlock = 64, maxBlock = 8192;
  int lastFrames = -1;  // the block size of the last run
  std::vector<LV2_Options_Option> options;

  // Work runs at once: the benchmark measures the audio path, not the worker thread.
  static LV2_Worker_Status Schedule(LV2_Worker_Schedule_Handle handle, uint32_t size,
                                    const void* data) {
    State* s = static_cast<State*>(handle);
    if (!s->worker || !s->worker->work) return LV2_WORKER_ERR_UNKNOWN;
    return s->worker->work(lilv_instance_get_handle(s->instance), &State::Respond, s, size, data);
  }
  static LV2_Worker_Status Respond(LV2_Worker_Respond_Handle handle, uint32_t size,
                                   const void* data) {
    State* s = static_cast<State*>(handle);
    if (s->worker && s->worker->work_response) {
      return s->worker->work_response(lilv_instance_get_handle(s->instance), size, data);
    }
    return LV2_WORKER_SUCCESS;
  }

  void ResetAtoms() {
    auto* in = reinterpret_cast<LV2_Atom_Sequence*>(atomIn.data());
    in->atom.size = sizeof(LV2_Atom_Sequence_Body);
    in->atom.type = map.map(map.handle, LV2_ATOM__Sequence);
    auto* out = reinterpret_cast<LV2_Atom_Sequence*>(atomOut.data());
    out->atom.size = uint32_t(atomOut.size() - sizeof(LV2_Atom));
    out->atom.type = map.map(map.handle, LV2_ATOM__Chunk);
  }

  ~State() {
    PeerPrintsToStderr quiet;
    if (instance) {
      lilv_instance_deactivate(instance);
      lilv_instance_free(instance);
    }
    if (world) lilv_world_free(world);
  }
};

bool GuitarixAmp::InThisBuild() { return true; }

namespace {

// The features the plug-in requires beyond those offered, by URI, for a refusal's reason.
std::string MissingFeatures(const LilvPlugin* plugin, const LV2_Feature* const* offered) {
  std::string missing;
  LilvNodes* required = lilv_plugin_get_required_features(plugin);
  LILV_FOREACH(nodes, i, required) {
    const char* uri = lilv_node_as_uri(lilv_nodes_get(required, i));
    bool found = false;
    for (const LV2_Feature* const* f = offered; *f; ++f) found = found || std::strcmp((*f)->URI, uri) == 0;
    if (!found) missing += std::string(missing.empty() ? "" : ", ") + uri;
  }
  lilv_nodes_free(required);
  return missing;
}

}  // namespace

std::unique_ptr<GuitarixAmp> GuitarixAmp::Load(double sampleRate, int maxBlock, std::string* failure) {
  auto s = std::make_unique<State>();
  s->world = lilv_world_new();
  lilv_world_load_all(s->world);
  LilvNode* uri = lilv_new_uri(s->world, kUri);
  const LilvPlugin* plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(s->world), uri);
  lilv_node_free(uri);
  if (!plugin) {
    const char* path = std::getenv("LV2_PATH");
    *failure = std::string("lilv finds no plug-in ") + kUri + " on the LV2 path (" +
               (path ? path : "the default one") + "); Debian's guitarix-lv2 installs it";
    return nullptr;
  }

  const LV2_URID intType = s->map.map(s->map.handle, LV2_ATOM__Int);
  s->maxBlock = maxBlock;
  s->options = {
      {LV2_OPTIONS_INSTANCE, 0, s->map.map(s->map.handle, LV2_BUF_SIZE__minBlockLength),
       sizeof(int32_t), intType, &s->minBlock},
      {LV2_OPTIONS_INSTANCE, 0, s->map.map(s->map.handle, LV2_BUF_SIZE__maxBlockLength),
       sizeof(int32_t), intType, &s->maxBlock},
      {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
  LV2_Feature mapFeature{LV2_URID__map, &s->map};
  LV2_Feature scheduleFeature{LV2_WORKER__schedule, &s->schedule};
  LV2_Feature boundedFeature{LV2_BUF_SIZE__boundedBlockLength, nullptr};
  LV2_Feature optionsFeature{LV2_OPTIONS__options, s->options.data()};
  const LV2_Feature* features[] = {&mapFeature, &scheduleFeature, &boundedFeature,
                                   &optionsFeature, nullptr};
  PeerPrintsToStderr quiet;
  s->instance = lilv_plugin_instantiate(plugin, sampleRate, features);
  if (!s->instance) {
    const std::string missing = MissingFeatures(plugin, features);
    *failure = std::string(kUri) + " refused to instantiate" +
               (missing.empty() ? std::string() : " (it requires " + missing + ")");
    return nullptr;
  }
  s->worker = static_cast<const LV2_Worker_Interface*>(
      lilv_instance_get_extension_data(s->instance, LV2_WORKER__interface));

  const uint32_t ports = lilv_plugin_get_num_ports(plugin);
  s->controls.assign(ports, 0.0f);
  std::vector<float> defaults(ports, 0.0f);
  lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
  s->atomIn.assign(8192, 0);
  s->atomOut.assign(8192, 0);
  s->inBuffer.assign(maxBlock, 0.0f);
  s->outBuffer.assign(maxBlock, 0.0f);
  LilvNode* audio = lilv_new_uri(s->world, LV2_CORE__AudioPort);
  LilvNode* control = lilv_new_uri(s->world, LV2_CORE__ControlPort);
  LilvNode* atom = lilv_new_uri(s->world, LV2_ATOM__AtomPort);
  LilvNode* input = lilv_new_uri(s->world, LV2_CORE__InputPort);
  for (uint32_t i = 0; i < ports; ++i) {
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
    const bool isInput = lilv_port_is_a(plugin, port, input);
    if (lilv_port_is_a(plugin, port, audio)) {
      lilv_instance_connect_port(s->instance, i, isInput ? s->inBuffer.data() : s->outBuffer.data());
    } else if (lilv_port_is_a(plugin, port, control)) {
      s->controls[i] = defaults[i] == defaults[i] ? defaults[i] : 0.0f;
      lilv_instance_connect_port(s->instance, i, &s->controls[i]);
    } else if (lilv_port_is_a(plugin, port, atom)) {
      lilv_instance_connect_port(s->instance, i, isInput ? s->atomIn.data() : s->atomOut.data());
    } else {
      lilv_instance_connect_port(s->instance, i, nullptr);
    }
  }
  lilv_node_free(audio);
  lilv_node_free(control);
  lilv_node_free(atom);
  lilv_node_free(input);
  s->ResetAtoms();
  lilv_instance_activate(s->instance);
  return std::unique_ptr<GuitarixAmp>(new GuitarixAmp(std::move(s)));
}

GuitarixAmp::GuitarixAmp(std::unique_ptr<State> state) : state_(std::move(state)) {}
GuitarixAmp::~GuitarixAmp() = default;

void GuitarixAmp::Process(const float* in, float* out, int frames) {
  std::memcpy(state_->inBuffer.data(), in, sizeof(float) * frames);
  state_->ResetAtoms();
  if (frames != state_->lastFrames) {
    PeerPrintsToStderr quiet;
    state_->lastFrames = frames;
    lilv_instance_run(state_->instance, uint32_t(frames));
  } else {
    lilv_instance_run(state_->instance, uint32_t(frames));
  }
  std::memcpy(out, state_->outBuffer.data(), sizeof(float) * frames);
}
