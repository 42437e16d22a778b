// IPlugAAX: the framework's AAX binding. One object is the plug-in base (IPlugBase) and the
// host's effect-parameters component object (AAX_CIPlugParameters on the library's base).
// Every framework parameter is mirrored by a host-visible AAX parameter with the identifier
// "i + 1", beside the master bypass; editor changes travel through the host's automation and
// take effect when the host calls back. The render procedure, transport and state chunk are in
// iplug_aax_render.cpp; the description and creation procedures in aax_describe.cpp.
#pragma once

#include <atomic>
#include <cmath>
#include <vector>

#include "aax/aax_effect_gui.h"
#include "aax/aax_effect_parameters.h"
#include "aax/aax_parameter.h"
#include "aax/aax_taper_delegates.h"
#include "aax/aax_view_container.h"
#include "bindings/aax/aax_effect_setup.h"
#include "core/grow_string.h"
#include "core/iplug_base.h"
#include "core/ptr_array.h"
#include "platform/aax/aax_render_abi.h"

class AAX_ICollection;
class AAX_IComponentDescriptor;
class AAX_IEffectDescriptor;
class IPlugBase;

// The framework's power-law taper: real = min + (max - min) x n^shape, constrained to the range.
template <typename T>
class AAX_CIPlugTaperDelegate final : public AAX_ITaperDelegate<T> {
 public:
  AAX_CIPlugTaperDelegate(T minimum, T maximum, double shape) : min_(minimum), max_(maximum), shape_(shape) {}
  AAX_CIPlugTaperDelegate* Clone() const override { return new AAX_CIPlugTaperDelegate(*this); }
  T GetMaximumValue() const override { return max_; }
  T GetMinimumValue() const override { return min_; }
  T ConstrainRealValue(T v) const override { return v > max_ ? max_ : (v < min_ ? min_ : v); }
  T NormalizedToReal(double n) const override {
    // A host value outside 0..1 (or NaN) must not mirror through an even power.
    n = n > 1.0 ? 1.0 : (n >= 0.0 ? n : 0.0);
    return ConstrainRealValue(static_cast<T>(min_ + (max_ - min_) * std::pow(n, shape_)));
  }
  double RealToNormalized(T v) const override {
    if (!(max_ > min_)) return 0.0;
    return std::pow((ConstrainRealValue(v) - min_) / (max_ - min_), 1.0 / shape_);
  }

 private:
  T min_, max_;
  double shape_;
};

// The effect-parameters side: the master bypass, the block transport and the identifiers.
class AAX_CIPlugParameters : public AAX_CEffectParameters {
 public:
  // Answered only by our own objects, so an editor finds its plug-in behind the host's pointer.
  static constexpr AcfIID kIidIPlugParameters = AcfIID::FromText("{4B56524C-5155-4E56-8A41-4158504C5547}");

  AAX_CIPlugParameters();
  ~AAX_CIPlugParameters() override;

  AAX_Result InternalQueryInterface(const AcfIID& iid, void** out) override;
  // Field 7 receives the address of this part; other fields as the library's default.
  AAX_Result InitPrivateField(int32_t field, void* data, uint32_t size) override;
  AAX_Result Uninitialize() override;

  // One block of the instance's context [audio thread]. Empty here; IPlugAAX renders.
  virtual void RenderAudio(AAX_SRenderContext* /*context*/) {}
  // The plug-in base behind this part, or null.
  virtual IPlugBase* GetPlugBase() { return nullptr; }

  // The registered process procedure: each context from first up to last, skipping those
  // whose instance field is empty [audio thread].
  static void StaticRender(AAX_SRenderContext* const* first, AAX_SRenderContext* const* last);
  // Creation procedure 0: a new plug-in's effect-parameters interface, or null.
  static void* Create();
  // One component of the effect for one channel configuration.
  static AAX_Result DescribeComponent(AAX_IEffectDescriptor* descriptor, const AAX_SEffectSetup& setup);
  // The object behind an effect-parameters interface, when it is one of ours (no reference kept).
  static AAX_CIPlugParameters* FromHostInterface(void* effectParameters);

  // [any thread] The identifier of framework parameter index, "" outside them.
  const char* ParamIdentifier(int32_t index) const;
  AAX_IParameter* MasterBypass() const { return masterBypass_; }
  bool MasterBypassOn() const { return bypass_.load(std::memory_order_acquire); }
  // The editor object's view container while the editor is open, else null [UI thread].
  void SetHostViewContainer(AAX_IViewContainer* container) { viewContainer_ = container; }

 protected:
  AAX_IParameter* masterBypass_ = nullptr;  // owned by the parameter table
  AAX_ITransport* blockTransport_ = nullptr;  // the host's, during one block only
  PtrArray<GrowString> identifiers_;
  AAX_IViewContainer* viewContainer_ = nullptr;  // the editor object's, not owned
  // What the render reads: written beside the bypass parameter's own value.
  std::atomic<bool> bypass_{false};
  void ClearIdentifiers();
};

// What the plug-in class hands its binding's constructor: nothing, for AAX.
struct IPlugAAXInstanceInfo {};

class IPlugAAX : public IPlugBase, public AAX_CIPlugParameters {
 public:
  // [UI thread; allocates] The record need not outlive the call.
  IPlugAAX(IPlugAAXInstanceInfo info, const PluginDescriptor& facts);
  ~IPlugAAX() override;

  // ---- Effect-parameters side [host's UI thread unless noted] ----
  AAX_Result InitEffect() override;
  AAX_Result UpdateParameterNormalizedValue(const char* id, double value, int32_t unread) override;
  AAX_Result GetChunkIDFromIndex(int32_t index, int32_t* chunkId) const override;
  AAX_Result GetChunkSize(int32_t chunkId, int32_t* size) override;
  AAX_Result GetChunk(int32_t chunkId, AAX_SStateChunk* chunk) override;
  AAX_Result SetChunk(int32_t chunkId, const AAX_SStateChunk* chunk) override;
  AAX_Result CompareChunk(const AAX_SStateChunk* chunk, bool* equal) override;
  // [audio thread, takes the lock; no allocation]
  void RenderAudio(AAX_SRenderContext* context) override;
  IPlugBase* GetPlugBase() override { return this; }
  using IPlugBase::GetParameter;  // the framework parameter by index; the host one by identifier is the base's slot

  // ---- IPlugBase operations that call up to the host [UI thread, no lock of ours] ----
  void SetParameterFromGUI(int32_t paramIdx, double normalizedValue) override;
  void BeginParamGesture(int32_t paramIdx) override;
  void SendParamToHost(int32_t paramIdx, double normalizedValue) override;
  void EndParamGesture(int32_t paramIdx) override;
  void AskHostToRefresh() override {}
  // Read the block transport; zeros outside a block.
  int32_t GetSamplePosition() override;
  double GetTempo() override;
  void GetTimeSignature(int32_t* numerator, int32_t* denominator) override;
  void GetTransport(ITransportInfo* info) override;
  void ResizeEditor(int32_t width, int32_t height) override;
  void SetLatency(int32_t samples) override;
  bool SendMidiEvent(const IMidiEvent&) override { return false; }
  void MarkStateChanged() override { AddToChangeCount(); }

 private:
  AAX_Result AddHostParameter(int32_t index);
  // One part of a block, no longer than the scratch buffers [audio thread, lock held].
  void RenderPart(float** inputs, float** outputs, int32_t frames, bool bypassed);
  // The framework index an identifier names, or -1.
  int32_t IndexOfIdentifier(const char* id) const;
  // The state as the chunk holds it, or false.
  bool WriteChunkState(IStateChunk& state);
  // Gestures begun, one bit per parameter below 64, so a release never comes without its touch
  // (a click the host took never began one). UI thread.
  uint64_t gestureOpen_ = 0;
  // The host's channel pointers advanced to the part being rendered, one per plug-in channel.
  std::vector<float*> partIn_, partOut_;
};

// The editor object: the plug-in's editor opened in the host's view container.
class AAX_CEffectGUI_IPLUG final : public AAX_CEffectGUI {
 public:
  // Creation procedure 1: a new editor object's interface, or null.
  static void* Create();

  AAX_Result GetViewSize(AAX_Point* size) const override;
  void CreateViewContents() override;
  void CreateViewContainer() override;
  void DeleteViewContainer() override;

 private:
  AAX_CIPlugParameters* plug_ = nullptr;  // behind the effect-parameters interface
  IEditor* editor_ = nullptr;             // the plug-in's
};

class IPlugAAX;
// The deliverable's create function: a new plug-in or null (defined beside DescribePlugIn).
IPlugAAX* CreateAAXPlugin();
// Describes the plug-in of this record to the host: DescribePlugIn's body in a deliverable.
AAX_Result DescribeIPlugEffect(AAX_ICollection* collection, const PluginDescriptor& facts);
