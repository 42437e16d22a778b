// AAX_CEffectParameters: the library base of the object through which the host reads and
// changes an effect's parameters, saves and restores its state ('elck', "Complete Controls
// State", in the chunk data format) and initialises its private render data. Owns the parameter
// table, the packet router, the chunk parser and, between Initialize and Uninitialize (or the
// destructor), the controller, automation and transport wrappers. Host input is checked: a null
// out pointer is not written (-20002), and no exception leaves a slot (0x8000FFFF).
// Called on the host's threads without a lock of this class; slots allocate.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "aax/aax_automation_delegate.h"
#include "aax/aax_chunk_data_parser.h"
#include "aax/aax_controller.h"
#include "aax/aax_ieffect_parameters.h"
#include "aax/aax_packet_router.h"
#include "aax/aax_parameter_table.h"
#include "aax/aax_transport.h"

class AAX_CEffectParameters : public AAX_IEffectParameters {
 public:
  static constexpr const char* kMasterBypassID = "MasterBypassID";
  static constexpr const char* kDefaultChunkName = "Complete Controls State";

  AAX_CEffectParameters() = default;
  ~AAX_CEffectParameters() override;

  // Host-facing slots, in table order (3 to 47).
  AAX_Result Initialize(IACFUnknown* host) override;
  AAX_Result Uninitialize() override;
  AAX_Result HandleNotification(int32_t type, const void* data, uint32_t size) override;
  AAX_Result GetNumberOfParameters(int32_t* count) const override;
  AAX_Result GetMasterBypassID(AAX_IString* id) const override;
  AAX_Result GetParameterIsAutomatable(const char* id, bool* automatable) const override;
  AAX_Result GetParameterNumberOfSteps(const char* id, int32_t* steps) const override;
  AAX_Result GetParameterName(const char* id, AAX_IString* name) const override;
  AAX_Result GetShortParameterName(const char* id, AAX_IString* name, int32_t maxLength) const override;
  AAX_Result GetParameterDefaultNormalizedValue(const char* id, double* value) const override;
  AAX_Result SetParameterDefaultNormalizedValue(const char* id, double value) override;
  AAX_Result GetParameterType(const char* id, int32_t* type) const override;
  AAX_Result GetParameterOrientation(const char* id, int32_t* orientation) const override;
  AAX_Result GetParameter(const char* id, AAX_IParameter** parameter) override;
  AAX_Result GetParameterIndex(const char* id, int32_t* index) const override;
  AAX_Result GetParameterIDFromIndex(int32_t index, AAX_IString* id) const override;
  AAX_Result Reserved19(void* unread1, void* unread2, int32_t* out) const override;
  AAX_Result GetParameterValueFromString(const char* id, double* value, const AAX_IString* text) const override;
  AAX_Result GetParameterStringFromValue(const char* id, double value, AAX_IString* text, int32_t maxLength) const override;
  AAX_Result GetParameterValueString(const char* id, AAX_IString* text, int32_t maxLength) const override;
  AAX_Result GetParameterNormalizedValue(const char* id, double* value) const override;
  AAX_Result SetParameterNormalizedValue(const char* id, double value) override;
  AAX_Result SetParameterNormalizedRelative(const char* id, double delta) override;
  AAX_Result TouchParameter(const char* id) override;
  AAX_Result ReleaseParameter(const char* id) override;
  AAX_Result Reserved28() override { return kAaxOk; }
  AAX_Result UpdateParameterNormalizedValue(const char* id, double value, int32_t unread) override;
  AAX_Result UpdateParameterNormalizedRelative(const char* id, double delta) override;
  AAX_Result DispatchDirtyPackets() override;
  AAX_Result InitPrivateField(int32_t field, void* data, uint32_t size) override;
  AAX_Result GetNumberOfChunks(int32_t* count) const override;
  AAX_Result GetChunkIDFromIndex(int32_t index, int32_t* chunkId) const override;
  AAX_Result GetChunkSize(int32_t chunkId, int32_t* size) override;
  AAX_Result GetChunk(int32_t chunkId, AAX_SStateChunk* chunk) override;
  AAX_Result SetChunk(int32_t chunkId, const AAX_SStateChunk* chunk) override;
  AAX_Result CompareChunk(const AAX_SStateChunk* chunk, bool* equal) override;
  AAX_Result GetChangeCount(int32_t* count) const override;
  AAX_Result Reserved40() override { return kAaxOk; }
  AAX_Result Reserved41() override { return kAaxNotSupported; }
  AAX_Result Reserved42(void* unread1, void* unread2, void* unread3, int32_t* out) override;
  AAX_Result Reserved43() override { return kAaxOk; }
  AAX_Result Reserved44() override { return kAaxOk; }
  AAX_Result Reserved45() override { return kAaxNotSupported; }
  AAX_Result Reserved46() override { return kAaxOk; }
  AAX_Result Reserved47() override { return kAaxOk; }

  // For derived classes: add the parameters here (the table hands them the delegate).
  AAX_Result InitEffect() override { return kAaxOk; }

  AAX_IController* GetController() const { return controller_.get(); }
  AAX_IAutomationDelegate* GetAutomationDelegate() const { return automation_.get(); }
  AAX_VTransport* GetTransport() const { return transport_.get(); }
  // Fills the chunk parser with every parameter's value but the excluded ones.
  void BuildDefaultChunk();

 protected:
  AAX_CParameterTable& Parameters() { return parameters_; }
  const AAX_CParameterTable& Parameters() const { return parameters_; }
  AAX_CPacketRouter& PacketRouter() { return packetRouter_; }
  void AddToChangeCount() { changeCount_.fetch_add(1); }
  const std::set<std::string>& ExcludedIdentifiers() const { return excluded_; }

 private:
  void ReleaseHostWrappers();
  // The parameters to walk in index order: the virtual count, within the table.
  int32_t ParameterCountForChunk() const;

  // Declaration order is the reverse of destruction: the parameters unregister through the
  // delegate and the router forgets the controller before any wrapper goes.
  std::unique_ptr<AAX_VController> controller_;
  std::unique_ptr<AAX_VAutomationDelegate> automation_;
  std::unique_ptr<AAX_VTransport> transport_;
  std::atomic<int32_t> changeCount_{0};
  int32_t cachedChunkSize_ = 0;
  AAX_CChunkDataParser chunkParser_;
  AAX_CPacketRouter packetRouter_;
  AAX_CParameterTable parameters_;
  std::set<std::string> excluded_;
};
