#include "aax/aax_packet_router.h"

#include <new>

AAX_CPacketRouter::AAX_CPacketRouter() : mutex_(new (std::nothrow) AAX_CThreadMutex) {
  if (mutex_ && !mutex_->Valid()) mutex_.reset();  // run unguarded rather than not at all
}

AAX_CPacketRouter::~AAX_CPacketRouter() {
  AAX_CThreadMutexGuard lock(mutex_.get());
  routes_.clear();
  packets_.clear();
}

void AAX_CPacketRouter::AddRoute(uint32_t packetId, const char* parameterId, std::unique_ptr<AAX_IPacketFiller> filler) {
  AAX_CThreadMutexGuard lock(mutex_.get());
  std::unique_ptr<AAX_CPacket>& packet = packets_[packetId];
  if (!packet) {
    packet = std::make_unique<AAX_CPacket>();
    packet->id = packetId;
  }
  routes_.emplace(parameterId ? parameterId : "", Route{packet.get(), std::move(filler)});
}

AAX_Result AAX_CPacketRouter::SetDirty(const char* parameterId, bool dirty) {
  AAX_CThreadMutexGuard lock(mutex_.get());
  if (routes_.empty() || !parameterId) return kAaxOk;
  auto range = routes_.equal_range(parameterId);
  for (auto it = range.first; it != range.second; ++it) it->second.packet->dirty = dirty;
  return kAaxOk;
}

AAX_Result AAX_CPacketRouter::Dispatch() {
  AAX_CThreadMutexGuard lock(mutex_.get());
  AAX_Result result = kAaxOk;
  for (auto& [id, route] : routes_) {
    AAX_CPacket& packet = *route.packet;
    if (!packet.dirty) continue;
    if (route.filler && route.filler->Fill(id.c_str(), packet) == kAaxOk) {
      // The size posted is the size held: the host never reads past the payload.
      const uint32_t size = static_cast<uint32_t>(packet.bytes.size());
      result = controller_ ? controller_->PostPacket(packet.id, packet.bytes.data(), size) : kAaxNoHostObject;
    }
    packet.dirty = false;
  }
  return result;
}
