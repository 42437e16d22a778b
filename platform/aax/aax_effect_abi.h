// The interfaces through which the AAX host calls our component objects: the effect's
// parameters (48 slots over two interfaces, the second deriving from the first) and its editor
// (13 slots). Same rules as aax_host_abi.h: no virtual destructors, no overloaded names, slot
// order is declaration order. Reserved slots take pointer-sized placeholders for arguments we
// never read (on x86-64 the caller cleans up and arguments go by position), with the out
// argument we write at the position the host passes it.
#pragma once

#include <cstdint>

#include "platform/aax/aax_host_abi.h"
#include "platform/aax/aax_state_chunk.h"

class AAX_IParameter;

// The default chunk's identifier, 'elck'.
inline constexpr int32_t kAaxDefaultChunkId = 0x656C636B;
// The notification that sets a preview parameter, 'ASPv'.
inline constexpr int32_t kAaxNotificationPreview = 0x41535076;

struct AAX_IACFEffectParameters : IACFUnknown {
  virtual AAX_Result Initialize(IACFUnknown* host) = 0;                                          // 3
  virtual AAX_Result Uninitialize() = 0;                                                          // 4
  virtual AAX_Result HandleNotification(int32_t type, const void* data, uint32_t size) = 0;      // 5
  virtual AAX_Result GetNumberOfParameters(int32_t* count) const = 0;                             // 6
  virtual AAX_Result GetMasterBypassID(AAX_IString* id) const = 0;                                // 7
  virtual AAX_Result GetParameterIsAutomatable(const char* id, bool* automatable) const = 0;      // 8
  virtual AAX_Result GetParameterNumberOfSteps(const char* id, int32_t* steps) const = 0;         // 9
  virtual AAX_Result GetParameterName(const char* id, AAX_IString* name) const = 0;               // 10
  virtual AAX_Result GetShortParameterName(const char* id, AAX_IString* name, int32_t maxLength) const = 0;  // 11
  virtual AAX_Result GetParameterDefaultNormalizedValue(const char* id, double* value) const = 0;  // 12
  virtual AAX_Result SetParameterDefaultNormalizedValue(const char* id, double value) = 0;        // 13
  virtual AAX_Result GetParameterType(const char* id, int32_t* type) const = 0;                   // 14
  virtual AAX_Result GetParameterOrientation(const char* id, int32_t* orientation) const = 0;     // 15
  virtual AAX_Result GetParameter(const char* id, AAX_IParameter** parameter) = 0;                // 16
  virtual AAX_Result GetParameterIndex(const char* id, int32_t* index) const = 0;                 // 17
  virtual AAX_Result GetParameterIDFromIndex(int32_t index, AAX_IString* id) const = 0;           // 18
  virtual AAX_Result Reserved19(void* unread1, void* unread2, int32_t* out) const = 0;            // 19
  virtual AAX_Result GetParameterValueFromString(const char* id, double* value, const AAX_IString* text) const = 0;  // 20
  virtual AAX_Result GetParameterStringFromValue(const char* id, double value, AAX_IString* text,
                                                 int32_t maxLength) const = 0;                    // 21
  virtual AAX_Result GetParameterValueString(const char* id, AAX_IString* text, int32_t maxLength) const = 0;  // 22
  virtual AAX_Result GetParameterNormalizedValue(const char* id, double* value) const = 0;        // 23
  virtual AAX_Result SetParameterNormalizedValue(const char* id, double value) = 0;               // 24
  virtual AAX_Result SetParameterNormalizedRelative(const char* id, double delta) = 0;            // 25
  virtual AAX_Result TouchParameter(const char* id) = 0;                                          // 26
  virtual AAX_Result ReleaseParameter(const char* id) = 0;                                        // 27
  virtual AAX_Result Reserved28() = 0;                                                            // 28
  virtual AAX_Result UpdateParameterNormalizedValue(const char* id, double value, int32_t unread) = 0;  // 29
  virtual AAX_Result UpdateParameterNormalizedRelative(const char* id, double delta) = 0;         // 30
  virtual AAX_Result DispatchDirtyPackets() = 0;                                                  // 31
  virtual AAX_Result InitPrivateField(int32_t field, void* data, uint32_t size) = 0;              // 32
  virtual AAX_Result GetNumberOfChunks(int32_t* count) const = 0;                                 // 33
  virtual AAX_Result GetChunkIDFromIndex(int32_t index, int32_t* chunkId) const = 0;              // 34
  virtual AAX_Result GetChunkSize(int32_t chunkId, int32_t* size) = 0;                            // 35
  virtual AAX_Result GetChunk(int32_t chunkId, AAX_SStateChunk* chunk) = 0;                       // 36
  virtual AAX_Result SetChunk(int32_t chunkId, const AAX_SStateChunk* chunk) = 0;                 // 37
  virtual AAX_Result CompareChunk(const AAX_SStateChunk* chunk, bool* equal) = 0;                 // 38
  virtual AAX_Result GetChangeCount(int32_t* count) const = 0;                                    // 39
};

struct AAX_IACFEffectParameters_V2 : AAX_IACFEffectParameters {
  virtual AAX_Result Reserved40() = 0;                                                // 40
  virtual AAX_Result Reserved41() = 0;                                                // 41
  virtual AAX_Result Reserved42(void* unread1, void* unread2, void* unread3, int32_t* out) = 0;  // 42
  virtual AAX_Result Reserved43() = 0;                                                // 43
  virtual AAX_Result Reserved44() = 0;                                                // 44
  virtual AAX_Result Reserved45() = 0;                                                // 45
  virtual AAX_Result Reserved46() = 0;                                                // 46
  virtual AAX_Result Reserved47() = 0;                                                // 47
};

struct AAX_IACFEffectGUI : IACFUnknown {
  virtual AAX_Result Initialize(IACFUnknown* host) = 0;                  // 3
  virtual AAX_Result Uninitialize() = 0;                                 // 4
  virtual AAX_Result Reserved5() = 0;                                    // 5
  virtual AAX_Result SetViewContainer(IACFUnknown* viewContainer) = 0;   // 6
  virtual AAX_Result GetViewSize(AAX_Point* size) const = 0;             // 7
  virtual AAX_Result Reserved8() = 0;                                    // 8
  virtual AAX_Result Reserved9() = 0;                                    // 9
  virtual AAX_Result ParameterUpdated(const char* id) = 0;               // 10
  virtual AAX_Result Reserved11() = 0;                                   // 11
  virtual AAX_Result Reserved12() = 0;                                   // 12
};
