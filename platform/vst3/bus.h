// The component's buses: audio buses with a speaker arrangement, event buses with a channel
// count, and the list of one media type and direction. A bus flagged default-active starts
// active, so a host that never calls activateBus still hears the main buses.
// Built in set-up; process reads the active flags on the audio thread without a lock.
#pragma once

#include <memory>
#include <vector>

#include "platform/vst3/vst3_component.h"

namespace Steinberg {
namespace Vst {

class Bus {
 public:
  Bus(const TChar* name, BusType busType, int32 flags);
  virtual ~Bus() = default;

  bool isActive() const { return active_; }
  void setActive(bool state) { active_ = state; }
  void setName(const TChar* name);
  virtual int32 channelCount() const = 0;
  // Fills the bus's part of the record; the list fills media type and direction.
  void getInfo(BusInfo& info) const;

 private:
  String128 name_{};
  BusType busType_;
  int32 flags_;
  bool active_;
};

class AudioBus : public Bus {
 public:
  AudioBus(const TChar* name, BusType busType, int32 flags, SpeakerArrangement arrangement)
      : Bus(name, busType, flags), arrangement_(arrangement) {}
  SpeakerArrangement getArrangement() const { return arrangement_; }
  int32 channelCount() const override { return ChannelCountOf(arrangement_); }

 private:
  SpeakerArrangement arrangement_;
};

class EventBus : public Bus {
 public:
  EventBus(const TChar* name, BusType busType, int32 flags, int32 channels)
      : Bus(name, busType, flags), channels_(channels) {}
  int32 channelCount() const override { return channels_; }

 private:
  int32 channels_;
};

class BusList {
 public:
  BusList(MediaType type, BusDirection direction) : type_(type), direction_(direction) {}

  // Set-up; null (the bus freed) when the list cannot grow.
  Bus* add(std::unique_ptr<Bus> bus);
  // Removes the bus at index; later ones move down.
  void remove(int32 index);
  void clear() { buses_.clear(); }
  int32 size() const { return static_cast<int32>(buses_.size()); }
  Bus* at(int32 index) const;
  bool getInfo(int32 index, BusInfo& info) const;

 private:
  MediaType type_;
  BusDirection direction_;
  std::vector<std::unique_ptr<Bus>> buses_;
};

}  // namespace Vst
}  // namespace Steinberg
