// AAX_CPacketRouter: coefficient packets that depend on parameters. A route ties a parameter
// identifier to a packet and a filler; a host update marks the identifier's packets dirty, and
// dispatch fills each dirty packet and posts exactly the bytes it holds through the controller.
// SetDirty, Dispatch and route changes are serialised by the router's AAX_CThreadMutex (none
// when the OS gave none). Dispatch allocates only when a filler grows its packet.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "aax/aax_controller.h"
#include "aax/aax_thread_mutex.h"

class AAX_CEffectParameters;

// One coefficient packet: its identifier, whether it awaits a post, and its payload.
struct AAX_CPacket {
  uint32_t id = 0;
  bool dirty = false;
  std::vector<uint8_t> bytes;
};

class AAX_IPacketFiller {
 public:
  virtual ~AAX_IPacketFiller() = default;
  // Writes the packet's payload for the parameter's current value; 0 when it should be posted.
  virtual AAX_Result Fill(const char* parameterId, AAX_CPacket& packet) = 0;
};

class AAX_CPacketRouter {
 public:
  AAX_CPacketRouter();
  AAX_CPacketRouter(const AAX_CPacketRouter&) = delete;
  AAX_CPacketRouter& operator=(const AAX_CPacketRouter&) = delete;
  ~AAX_CPacketRouter();

  void SetController(AAX_IController* controller) { controller_ = controller; }
  void SetOwner(AAX_CEffectParameters* owner) { owner_ = owner; }
  AAX_CEffectParameters* GetOwner() const { return owner_; }

  // A route from the parameter to the packet (made on first use), filled by `filler` (owned).
  void AddRoute(uint32_t packetId, const char* parameterId, std::unique_ptr<AAX_IPacketFiller> filler);
  // Marks every packet routed from the identifier; always 0.
  AAX_Result SetDirty(const char* parameterId, bool dirty);
  // Fills and posts the dirty packets; the last post's result, 0 when nothing was posted.
  AAX_Result Dispatch();

  bool HasLock() const { return mutex_ != nullptr; }

 private:
  struct Route {
    AAX_CPacket* packet;
    std::unique_ptr<AAX_IPacketFiller> filler;
  };

  std::unique_ptr<AAX_CThreadMutex> mutex_;  // destroyed last
  std::map<uint32_t, std::unique_ptr<AAX_CPacket>> packets_;
  std::multimap<std::string, Route, std::less<>> routes_;  // equal identifiers keep insertion order
  AAX_IController* controller_ = nullptr;
  AAX_CEffectParameters* owner_ = nullptr;
};
