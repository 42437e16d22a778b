#include "platform/vst3/bus.h"

#include <new>

#include "platform/vst3/vst3_strings.h"

namespace Steinberg {
namespace Vst {

Bus::Bus(const TChar* name, BusType busType, int32 flags)
    : busType_(busType), flags_(flags), active_((flags & BusInfo::kDefaultActive) != 0) {
  setName(name);
}

void Bus::setName(const TChar* name) { CopyString128(name_, name); }

void Bus::getInfo(BusInfo& info) const {
  info.channelCount = channelCount();
  std::memcpy(info.name, name_, sizeof(String128));
  info.busType = busType_;
  info.flags = static_cast<uint32>(flags_);
}

Bus* BusList::add(std::unique_ptr<Bus> bus) {
  if (!bus) return nullptr;
  try {
    buses_.push_back(std::move(bus));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return buses_.back().get();
}

void BusList::remove(int32 index) {
  if (index >= 0 && index < size()) buses_.erase(buses_.begin() + index);
}

Bus* BusList::at(int32 index) const {
  if (index < 0 || index >= size()) return nullptr;
  return buses_[static_cast<size_t>(index)].get();
}

bool BusList::getInfo(int32 index, BusInfo& info) const {
  Bus* bus = at(index);
  if (!bus) return false;
  info.mediaType = type_;
  info.direction = direction_;
  bus->getInfo(info);
  return true;
}

}  // namespace Vst
}  // namespace Steinberg
