// The host side of a VST3 session: the objects a host hands to a plug-in (host context,
// component handler with its context menu, plug frame, state stream, parameter changes, event
// list, one mono block's process data). Each object counts its references so that a scenario
// can check they all come back to 1, and records what the plug-in asked of it.
#pragma once

#include <string>
#include <vector>

#include "platform/vst3/vst3_audio_processor.h"
#include "platform/vst3/vst3_context_menu.h"
#include "platform/vst3/vst3_edit_controller.h"
#include "platform/vst3/vst3_host_application.h"
#include "platform/vst3/vst3_stream.h"
#include "platform/vst3/vst3_view.h"

namespace vst3host {

using namespace Steinberg;
using namespace Steinberg::Vst;

// Reference counting of a host object that lives on the host's stack: the count starts at 1
// (the host's own) and nothing is deleted; scenarios check it is back to 1 at the end.
template <class... Interfaces>
class HostObject : public Interfaces... {
 public:
  uint32 PLUGIN_API addRef() override { return ++refs_; }
  uint32 PLUGIN_API release() override { return --refs_; }
  int32 References() const { return static_cast<int32>(refs_); }

 protected:
  uint32 refs_ = 1;
};

class HostApplication : public HostObject<IHostApplication> {
 public:
  explicit HostApplication(std::string name) : name_(std::move(name)) {}
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  tresult PLUGIN_API getName(String128 name) override;
  tresult PLUGIN_API createInstance(TUID, TUID, void** obj) override;

 private:
  std::string name_;
};

class ContextMenu : public HostObject<IContextMenu> {
 public:
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  int32 PLUGIN_API getItemCount() override { return 0; }
  tresult PLUGIN_API getItem(int32, Item&, IContextMenuTarget**) override { return kResultFalse; }
  tresult PLUGIN_API addItem(const Item&, IContextMenuTarget*) override { return kResultOk; }
  tresult PLUGIN_API removeItem(const Item&, IContextMenuTarget*) override { return kResultOk; }
  tresult PLUGIN_API popup(UCoord x, UCoord y) override;
  int32 popups = 0;
};

class ComponentHandler : public HostObject<IComponentHandler, IComponentHandler3> {
 public:
  struct Edit {
    char kind;  // 'b' begin, 'p' perform, 'e' end
    ParamID id;
    ParamValue value;
  };
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  tresult PLUGIN_API beginEdit(ParamID id) override;
  tresult PLUGIN_API performEdit(ParamID id, ParamValue valueNormalized) override;
  tresult PLUGIN_API endEdit(ParamID id) override;
  tresult PLUGIN_API restartComponent(int32 flags) override;
  IContextMenu* PLUGIN_API createContextMenu(IPlugView* plugView, const ParamID* paramID) override;

  std::vector<Edit> edits;
  std::vector<int32> restarts;
  std::vector<ParamID> menuParams;  // the parameter each context menu was asked for
  ContextMenu menu;
};

class PlugFrame : public HostObject<IPlugFrame> {
 public:
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) override;
  std::vector<ViewRect> resizes;
};

// A byte stream in memory. Like some hosts' streams it may move only a few bytes per call, and
// it can be made to fail from a position on, as a broken file or pipe would.
class MemoryStream : public HostObject<IBStream> {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<uint8> bytes) : bytes_(std::move(bytes)) {}
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override;
  tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) override;
  tresult PLUGIN_API seek(int64 pos, int32 mode, int64* result) override;
  tresult PLUGIN_API tell(int64* pos) override;

  const std::vector<uint8>& Bytes() const { return bytes_; }
  // At most this many bytes per read or write call (0: no limit).
  void LimitEachCallTo(int32 bytes) { callLimit_ = bytes; }
  // Reads and writes at or past this position fail with kInternalError.
  void FailFrom(size_t position) { failFrom_ = position; }

 private:
  int32 Allowed(int32 numBytes) const { return callLimit_ > 0 && numBytes > callLimit_ ? callLimit_ : numBytes; }

  std::vector<uint8> bytes_;
  size_t position_ = 0;
  int32 callLimit_ = 0;
  size_t failFrom_ = static_cast<size_t>(-1);
};

class ParamValueQueue final : public HostObject<IParamValueQueue> {
 public:
  explicit ParamValueQueue(ParamID id) : id_(id) {}
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  ParamID PLUGIN_API getParameterId() override { return id_; }
  int32 PLUGIN_API getPointCount() override { return static_cast<int32>(points_.size()); }
  tresult PLUGIN_API getPoint(int32 index, int32& sampleOffset, ParamValue& value) override;
  tresult PLUGIN_API addPoint(int32 sampleOffset, ParamValue value, int32& index) override;

 private:
  ParamID id_;
  std::vector<std::pair<int32, ParamValue>> points_;
};

class ParameterChanges final : public HostObject<IParameterChanges> {
 public:
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  int32 PLUGIN_API getParameterCount() override { return static_cast<int32>(queues_.size()); }
  IParamValueQueue* PLUGIN_API getParameterData(int32 index) override;
  IParamValueQueue* PLUGIN_API addParameterData(const ParamID& id, int32& index) override;

  // Host-side: appends a point to the parameter's queue (creating it).
  void Add(ParamID id, ParamValue value, int32 sampleOffset = 0);
  void Clear() { queues_.clear(); }

 private:
  std::vector<ParamValueQueue> queues_;
};

// One block for a plug-in with one mono input and one mono output bus, on the caller's
// buffers: 32-bit processing for float samples, 64-bit for double. The record points into
// this object, which therefore stays where it was made; a test may alter it before the call.
template <class Sample>
struct MonoProcessData {
  MonoProcessData(Sample* in, Sample* out, int32 frames, IParameterChanges* changes = nullptr)
      : input(in), output(out) {
    inBus.numChannels = outBus.numChannels = 1;
    if constexpr (sizeof(Sample) == sizeof(Sample32)) {
      inBus.channelBuffers32 = &input;
      outBus.channelBuffers32 = &output;
    } else {
      inBus.channelBuffers64 = &input;
      outBus.channelBuffers64 = &output;
    }
    data.processMode = kRealtime;
    data.symbolicSampleSize = sizeof(Sample) == sizeof(Sample32) ? kSample32 : kSample64;
    data.numSamples = frames;
    data.numInputs = data.numOutputs = 1;
    data.inputs = &inBus;
    data.outputs = &outBus;
    data.inputParameterChanges = changes;
  }
  MonoProcessData(const MonoProcessData&) = delete;
  MonoProcessData& operator=(const MonoProcessData&) = delete;

  Sample* input;
  Sample* output;
  AudioBusBuffers inBus{};
  AudioBusBuffers outBus{};
  ProcessData data{};
};

// ASCII into and out of the host's UTF-16 strings: at most 127 characters widened unit by
// unit, always terminated; the low byte of each unit up to the terminator (at most 128).
void WidenText(const std::string& text, String128 out);
std::string NarrowText(const char16* text);

class EventList : public HostObject<IEventList> {
 public:
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override;
  int32 PLUGIN_API getEventCount() override { return static_cast<int32>(events_.size()); }
  tresult PLUGIN_API getEvent(int32 index, Event& e) override;
  tresult PLUGIN_API addEvent(Event& e) override;

 private:
  std::vector<Event> events_;
};

}  // namespace vst3host
