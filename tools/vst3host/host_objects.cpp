#include "tools/vst3host/host_objects.h"

#include <cstring>

namespace vst3host {

namespace {
// Answers FUnknown and the listed interfaces with the given pointer.
template <class... Interfaces>
tresult Answer(const TUID iid, void** obj, FUnknown* self) {
  if (!obj) return kInvalidArgument;
  *obj = nullptr;
  bool known = FUnknown::iid.Matches(iid) || (Interfaces::iid.Matches(iid) || ...);
  if (!known) return kNoInterface;
  *obj = self;
  self->addRef();
  return kResultOk;
}
}  // namespace

tresult PLUGIN_API HostApplication::queryInterface(const TUID iid, void** obj) {
  return Answer<IHostApplication>(iid, obj, this);
}

void WidenText(const std::string& text, String128 out) {
  size_t n = text.size() < 127 ? text.size() : 127;
  for (size_t i = 0; i < n; ++i) out[i] = static_cast<char16>(static_cast<unsigned char>(text[i]));
  out[n] = 0;
}

std::string NarrowText(const char16* text) {
  std::string out;
  for (int i = 0; i < 128 && text[i]; ++i) out.push_back(static_cast<char>(text[i] & 0xFF));
  return out;
}

tresult PLUGIN_API HostApplication::getName(String128 name) {
  WidenText(name_, name);
  return kResultOk;
}

tresult PLUGIN_API HostApplication::createInstance(TUID, TUID, void** obj) {
  if (obj) *obj = nullptr;
  return kNotImplemented;
}

tresult PLUGIN_API ContextMenu::queryInterface(const TUID iid, void** obj) {
  return Answer<IContextMenu>(iid, obj, this);
}

tresult PLUGIN_API ContextMenu::popup(UCoord, UCoord) {
  ++popups;
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::queryInterface(const TUID iid, void** obj) {
  if (obj && IComponentHandler3::iid.Matches(iid)) {
    *obj = static_cast<IComponentHandler3*>(this);
    addRef();
    return kResultOk;
  }
  return Answer<IComponentHandler>(iid, obj, static_cast<IComponentHandler*>(this));
}

tresult PLUGIN_API ComponentHandler::beginEdit(ParamID id) {
  edits.push_back({'b', id, 0});
  return kResultOk;
}
tresult PLUGIN_API ComponentHandler::performEdit(ParamID id, ParamValue v) {
  edits.push_back({'p', id, v});
  return kResultOk;
}
tresult PLUGIN_API ComponentHandler::endEdit(ParamID id) {
  edits.push_back({'e', id, 0});
  return kResultOk;
}
tresult PLUGIN_API ComponentHandler::restartComponent(int32 flags) {
  restarts.push_back(flags);
  return kResultOk;
}
IContextMenu* PLUGIN_API ComponentHandler::createContextMenu(IPlugView*, const ParamID* paramID) {
  if (paramID) menuParams.push_back(*paramID);
  menu.addRef();
  return &menu;
}

tresult PLUGIN_API PlugFrame::queryInterface(const TUID iid, void** obj) { return Answer<IPlugFrame>(iid, obj, this); }

tresult PLUGIN_API PlugFrame::resizeView(IPlugView*, ViewRect* newSize) {
  if (newSize) resizes.push_back(*newSize);
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::queryInterface(const TUID iid, void** obj) { return Answer<IBStream>(iid, obj, this); }

tresult PLUGIN_API MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead) {
  if (numBytesRead) *numBytesRead = 0;
  if (!buffer || numBytes < 0) return kInvalidArgument;
  if (position_ >= failFrom_) return kInternalError;
  size_t left = bytes_.size() - position_;
  size_t n = static_cast<size_t>(Allowed(numBytes)) < left ? static_cast<size_t>(Allowed(numBytes)) : left;
  if (n) std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += n;
  if (numBytesRead) *numBytesRead = static_cast<int32>(n);
  return kResultOk;  // a short read is not an error to a stream; the count tells
}

tresult PLUGIN_API MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten) {
  if (numBytesWritten) *numBytesWritten = 0;
  if (!buffer || numBytes < 0) return kInvalidArgument;
  if (position_ >= failFrom_) return kInternalError;
  numBytes = Allowed(numBytes);
  const uint8* p = static_cast<const uint8*>(buffer);
  if (position_ + static_cast<size_t>(numBytes) > bytes_.size()) bytes_.resize(position_ + static_cast<size_t>(numBytes));
  std::memcpy(bytes_.data() + position_, p, static_cast<size_t>(numBytes));
  position_ += static_cast<size_t>(numBytes);
  if (numBytesWritten) *numBytesWritten = numBytes;
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::seek(int64 pos, int32 mode, int64* result) {
  int64 base = mode == kIBSeekSet ? 0 : (mode == kIBSeekCur ? static_cast<int64>(position_) : static_cast<int64>(bytes_.size()));
  int64 target = base + pos;
  if (target < 0 || target > static_cast<int64>(bytes_.size())) return kInvalidArgument;
  position_ = static_cast<size_t>(target);
  if (result) *result = target;
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::tell(int64* pos) {
  if (!pos) return kInvalidArgument;
  *pos = static_cast<int64>(position_);
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::queryInterface(const TUID iid, void** obj) {
  return Answer<IParamValueQueue>(iid, obj, this);
}

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value) {
  if (index < 0 || index >= getPointCount()) return kInvalidArgument;
  sampleOffset = points_[static_cast<size_t>(index)].first;
  value = points_[static_cast<size_t>(index)].second;
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index) {
  points_.emplace_back(sampleOffset, value);
  index = getPointCount() - 1;
  return kResultOk;
}

tresult PLUGIN_API ParameterChanges::queryInterface(const TUID iid, void** obj) {
  return Answer<IParameterChanges>(iid, obj, this);
}

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index) {
  if (index < 0 || index >= getParameterCount()) return nullptr;
  return &queues_[static_cast<size_t>(index)];
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const ParamID& id, int32& index) {
  for (size_t i = 0; i < queues_.size(); ++i) {
    if (queues_[i].getParameterId() == id) {
      index = static_cast<int32>(i);
      return &queues_[i];
    }
  }
  queues_.emplace_back(id);
  index = getParameterCount() - 1;
  return &queues_.back();
}

void ParameterChanges::Add(ParamID id, ParamValue value, int32 sampleOffset) {
  int32 index = 0, point = 0;
  addParameterData(id, index)->addPoint(sampleOffset, value, point);
}

tresult PLUGIN_API EventList::queryInterface(const TUID iid, void** obj) { return Answer<IEventList>(iid, obj, this); }

tresult PLUGIN_API EventList::getEvent(int32 index, Event& e) {
  if (index < 0 || index >= getEventCount()) return kInvalidArgument;
  e = events_[static_cast<size_t>(index)];
  return kResultOk;
}

tresult PLUGIN_API EventList::addEvent(Event& e) {
  events_.push_back(e);
  return kResultOk;
}

}  // namespace vst3host
