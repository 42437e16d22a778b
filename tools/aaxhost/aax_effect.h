// One effect of an AAX plug-in file as our test host drives it: made by the registered creation
// procedure, initialised on the fake host, called through raw slot numbers only (the host's
// view of the effect-parameters interface, independent of the library's headers), rendered
// through the registered process procedure with a context laid out as the component described
// it, and its state chunk moved as a host moves it. Host side; Windows x86-64; the render on
// the calling thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/aaxhost/aax_module.h"
#include "tools/aaxhost/fake_host.h"

namespace aaxhost {

// The effect-parameters interface's slots as a host calls them.
enum EffectSlot : int {
  kRelease = 2,
  kInitialize = 3,
  kUninitialize = 4,
  kGetNumberOfParameters = 6,
  kGetMasterBypassID = 7,
  kGetParameterNumberOfSteps = 9,
  kGetParameterName = 10,
  kGetParameterType = 14,
  kGetParameterIDFromIndex = 18,
  kGetParameterValueFromString = 20,
  kGetParameterValueString = 22,
  kGetParameterNormalizedValue = 23,
  kSetParameterNormalizedValue = 24,
  kTouchParameter = 26,
  kReleaseParameter = 27,
  kUpdateParameterNormalizedValue = 29,
  kInitPrivateField = 32,
  kGetChunkIDFromIndex = 34,
  kGetChunkSize = 35,
  kGetChunk = 36,
  kSetChunk = 37,
  kCompareChunk = 38,
  kGetChangeCount = 39,
};

// The chunk identifier the effect stores its state under ('KVRL'), and the record's header.
constexpr int32_t kStateChunkId = 0x4B56524C;
constexpr size_t kChunkHeaderBytes = 56;

class AaxEffect {
 public:
  explicit AaxEffect(fake_aax::FakeHost& host) : host_(host) {}
  ~AaxEffect() { Destroy(); }
  AaxEffect(const AaxEffect&) = delete;
  AaxEffect& operator=(const AaxEffect&) = delete;

  // Creation procedure 0, then Initialize on the host. The host's automation hands every
  // set-value request straight back to this effect, as a host that accepts them does.
  bool Create(const AaxModule& module, std::string& error);
  // Uninitialize and the host's reference released.
  void Destroy();
  void* Object() const { return effect_; }

  // ---- Parameters, by the host's identifiers ----
  int32_t ParameterCount() const;
  std::string ParameterId(int32_t index) const;
  std::string MasterBypassId() const;
  std::string Name(const std::string& id) const;
  std::string ValueText(const std::string& id) const;
  double Normalized(const std::string& id) const;
  // The identifier of the parameter of that name or identifier; "" when none.
  std::string Find(const std::string& nameOrId) const;
  // The host's own update (automation playback); its result.
  int32_t Update(const std::string& id, double normalized);
  // A text the plug-in reads for that parameter, set as the host's update. False when refused.
  bool SetFromText(const std::string& id, const std::string& text);
  // "Name=value" texts in turn; false with the reason.
  bool ApplySettings(const std::vector<std::string>& settings, std::string& error);

  // ---- Rendering through the registered procedure [this thread; allocates nothing once prepared] ----
  // Lays out the context as described and hands the instance its private fields.
  bool Prepare(std::string& error);
  // One block: channel buffers as the stems say (the host's own arrays).
  void Render(float* const* inputs, float* const* outputs, int32_t frames);
  // A whole mono signal in blocks of blockFrames.
  std::vector<float> RenderMono(const std::vector<float>& in, int32_t blockFrames);
  // The procedure called on a context whose private fields were never handed to the instance
  // (so its instance field holds none): a host's context of an instance not yet set up.
  void RenderWithoutInstance(float* const* inputs, float* const* outputs, int32_t frames);

  // ---- State chunk: whole records (56-byte header, then the data) ----
  std::vector<uint8_t> GetChunk(int32_t* result = nullptr);
  int32_t SetChunk(const std::vector<uint8_t>& record, int32_t chunkId = kStateChunkId);
  // CompareChunk's answer, or false when it failed.
  bool ChunkEquals(const std::vector<uint8_t>& record);

 private:
  void RenderContext(std::vector<void*>& context, float* const* inputs, float* const* outputs, int32_t frames);
  fake_aax::FakeHost& host_;
  void* effect_ = nullptr;
  void* process_ = nullptr;
  const fake_aax::ComponentDescriptor* component_ = nullptr;
  std::vector<std::vector<unsigned char>> privateData_;  // by field
  std::vector<unsigned char> blank_;  // zeros, as large as the largest private field
  std::vector<void*> context_;  // laid out by Prepare; the audio fields set per block
  int32_t inField_ = -1, outField_ = -1;
  int32_t frames_ = 0;
  fake_aax::HostTransport transport_;
  fake_aax::HostTransportNode transportNode_{&transport_};
};

}  // namespace aaxhost
