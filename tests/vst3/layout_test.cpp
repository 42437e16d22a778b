// Every record the layer shares with hosts, field by field, at the offsets, sizes and
// alignments of the interface facts for x86-64 (identical for Windows and Linux), and every
// interface as nothing but a table pointer without a virtual destructor (which would add
// slots). Checked by the compiler in the native and the win64 configuration alike.
#include <cstddef>
#include <type_traits>

#include "platform/vst3/vst3_audio_processor.h"
#include "platform/vst3/vst3_component.h"
#include "platform/vst3/vst3_connection.h"
#include "platform/vst3/vst3_context_menu.h"
#include "platform/vst3/vst3_edit_controller.h"
#include "platform/vst3/vst3_events.h"
#include "platform/vst3/vst3_host_application.h"
#include "platform/vst3/vst3_plugin_factory_interfaces.h"
#include "platform/vst3/vst3_parameter_changes.h"
#include "platform/vst3/vst3_process_context.h"
#include "platform/vst3/vst3_stream.h"
#include "platform/vst3/vst3_units.h"
#include "platform/vst3/vst3_view.h"

namespace {
using namespace Steinberg;
using namespace Steinberg::Vst;

static_assert(sizeof(tresult) == 4 && sizeof(TBool) == 1 && sizeof(char16) == 2 && sizeof(String128) == 256 &&
                  sizeof(TUID) == 16 && sizeof(TSize) == 8 && sizeof(UCoord) == 4,
              "basic types");
static_assert(sizeof(ParamID) == 4 && sizeof(ParamValue) == 8 && sizeof(SpeakerArrangement) == 8 &&
                  sizeof(MediaType) == 4 && sizeof(BusDirection) == 4 && sizeof(CtrlNumber) == 2 &&
                  sizeof(TSamples) == 8 && sizeof(Sample32) == 4 && sizeof(Sample64) == 8,
              "Vst scalar types");

#define KV_RECORD(record, size, align) \
  static_assert(sizeof(record) == (size) && alignof(record) == (align), #record " size and alignment")
#define KV_AT(record, field, offset) static_assert(offsetof(record, field) == (offset), #record "." #field)

KV_RECORD(PFactoryInfo, 452, 4);
KV_AT(PFactoryInfo, vendor, 0);
KV_AT(PFactoryInfo, url, 64);
KV_AT(PFactoryInfo, email, 320);
KV_AT(PFactoryInfo, flags, 448);

KV_RECORD(PClassInfo, 116, 4);
KV_AT(PClassInfo, cid, 0);
KV_AT(PClassInfo, cardinality, 16);
KV_AT(PClassInfo, category, 20);
KV_AT(PClassInfo, name, 52);

KV_RECORD(PClassInfo2, 440, 4);
KV_AT(PClassInfo2, cid, 0);
KV_AT(PClassInfo2, cardinality, 16);
KV_AT(PClassInfo2, category, 20);
KV_AT(PClassInfo2, name, 52);
KV_AT(PClassInfo2, classFlags, 116);
KV_AT(PClassInfo2, subCategories, 120);
KV_AT(PClassInfo2, vendor, 248);
KV_AT(PClassInfo2, version, 312);
KV_AT(PClassInfo2, sdkVersion, 376);

KV_RECORD(PClassInfoW, 696, 4);
KV_AT(PClassInfoW, cid, 0);
KV_AT(PClassInfoW, cardinality, 16);
KV_AT(PClassInfoW, category, 20);
KV_AT(PClassInfoW, name, 52);
KV_AT(PClassInfoW, classFlags, 180);
KV_AT(PClassInfoW, subCategories, 184);
KV_AT(PClassInfoW, vendor, 312);
KV_AT(PClassInfoW, version, 440);
KV_AT(PClassInfoW, sdkVersion, 568);

KV_RECORD(ProcessSetup, 24, 8);
KV_AT(ProcessSetup, processMode, 0);
KV_AT(ProcessSetup, symbolicSampleSize, 4);
KV_AT(ProcessSetup, maxSamplesPerBlock, 8);
KV_AT(ProcessSetup, sampleRate, 16);

KV_RECORD(AudioBusBuffers, 24, 8);
KV_AT(AudioBusBuffers, numChannels, 0);
KV_AT(AudioBusBuffers, silenceFlags, 8);
KV_AT(AudioBusBuffers, channelBuffers32, 16);
KV_AT(AudioBusBuffers, channelBuffers64, 16);

KV_RECORD(ProcessData, 80, 8);
KV_AT(ProcessData, processMode, 0);
KV_AT(ProcessData, symbolicSampleSize, 4);
KV_AT(ProcessData, numSamples, 8);
KV_AT(ProcessData, numInputs, 12);
KV_AT(ProcessData, numOutputs, 16);
KV_AT(ProcessData, inputs, 24);
KV_AT(ProcessData, outputs, 32);
KV_AT(ProcessData, inputParameterChanges, 40);
KV_AT(ProcessData, outputParameterChanges, 48);
KV_AT(ProcessData, inputEvents, 56);
KV_AT(ProcessData, outputEvents, 64);
KV_AT(ProcessData, processContext, 72);

KV_RECORD(FrameRate, 8, 4);
KV_AT(FrameRate, framesPerSecond, 0);
KV_AT(FrameRate, flags, 4);

KV_RECORD(Chord, 4, 2);
KV_AT(Chord, keyNote, 0);
KV_AT(Chord, rootNote, 1);
KV_AT(Chord, chordMask, 2);

KV_RECORD(ProcessContext, 112, 8);
KV_AT(ProcessContext, state, 0);
KV_AT(ProcessContext, sampleRate, 8);
KV_AT(ProcessContext, projectTimeSamples, 16);
KV_AT(ProcessContext, systemTime, 24);
KV_AT(ProcessContext, continousTimeSamples, 32);
KV_AT(ProcessContext, projectTimeMusic, 40);
KV_AT(ProcessContext, barPositionMusic, 48);
KV_AT(ProcessContext, cycleStartMusic, 56);
KV_AT(ProcessContext, cycleEndMusic, 64);
KV_AT(ProcessContext, tempo, 72);
KV_AT(ProcessContext, timeSigNumerator, 80);
KV_AT(ProcessContext, timeSigDenominator, 84);
KV_AT(ProcessContext, chord, 88);
KV_AT(ProcessContext, smpteOffsetSubframes, 92);
KV_AT(ProcessContext, frameRate, 96);
KV_AT(ProcessContext, samplesToNextClock, 104);

KV_RECORD(BusInfo, 276, 4);
KV_AT(BusInfo, mediaType, 0);
KV_AT(BusInfo, direction, 4);
KV_AT(BusInfo, channelCount, 8);
KV_AT(BusInfo, name, 12);
KV_AT(BusInfo, busType, 268);
KV_AT(BusInfo, flags, 272);

KV_RECORD(RoutingInfo, 12, 4);
KV_AT(RoutingInfo, mediaType, 0);
KV_AT(RoutingInfo, busIndex, 4);
KV_AT(RoutingInfo, channel, 8);

KV_RECORD(ParameterInfo, 792, 8);
KV_AT(ParameterInfo, id, 0);
KV_AT(ParameterInfo, title, 4);
KV_AT(ParameterInfo, shortTitle, 260);
KV_AT(ParameterInfo, units, 516);
KV_AT(ParameterInfo, stepCount, 772);
KV_AT(ParameterInfo, defaultNormalizedValue, 776);
KV_AT(ParameterInfo, unitId, 784);
KV_AT(ParameterInfo, flags, 788);

KV_RECORD(UnitInfo, 268, 4);
KV_AT(UnitInfo, id, 0);
KV_AT(UnitInfo, parentUnitId, 4);
KV_AT(UnitInfo, name, 8);
KV_AT(UnitInfo, programListId, 264);

KV_RECORD(ProgramListInfo, 264, 4);
KV_AT(ProgramListInfo, id, 0);
KV_AT(ProgramListInfo, name, 4);
KV_AT(ProgramListInfo, programCount, 260);

KV_RECORD(ViewRect, 16, 4);
KV_AT(ViewRect, left, 0);
KV_AT(ViewRect, top, 4);
KV_AT(ViewRect, right, 8);
KV_AT(ViewRect, bottom, 12);

KV_RECORD(IContextMenuItem, 264, 4);
KV_AT(IContextMenuItem, name, 0);
KV_AT(IContextMenuItem, tag, 256);
KV_AT(IContextMenuItem, flags, 260);

KV_RECORD(NoteOnEvent, 20, 4);
KV_AT(NoteOnEvent, channel, 0);
KV_AT(NoteOnEvent, pitch, 2);
KV_AT(NoteOnEvent, tuning, 4);
KV_AT(NoteOnEvent, velocity, 8);
KV_AT(NoteOnEvent, length, 12);
KV_AT(NoteOnEvent, noteId, 16);

KV_RECORD(NoteOffEvent, 16, 4);
KV_AT(NoteOffEvent, channel, 0);
KV_AT(NoteOffEvent, pitch, 2);
KV_AT(NoteOffEvent, velocity, 4);
KV_AT(NoteOffEvent, noteId, 8);
KV_AT(NoteOffEvent, tuning, 12);

KV_RECORD(DataEvent, 16, 8);
KV_AT(DataEvent, size, 0);
KV_AT(DataEvent, type, 4);
KV_AT(DataEvent, bytes, 8);

KV_RECORD(NoteExpressionTextEvent, 24, 8);
KV_AT(NoteExpressionTextEvent, typeId, 0);
KV_AT(NoteExpressionTextEvent, noteId, 4);
KV_AT(NoteExpressionTextEvent, textLen, 8);
KV_AT(NoteExpressionTextEvent, text, 16);

KV_RECORD(Event, 48, 8);
KV_AT(Event, busIndex, 0);
KV_AT(Event, sampleOffset, 4);
KV_AT(Event, ppqPosition, 8);
KV_AT(Event, flags, 16);
KV_AT(Event, type, 18);
KV_AT(Event, noteOn, 24);
KV_AT(Event, noteOff, 24);
KV_AT(Event, data, 24);
KV_AT(Event, noteExpressionText, 24);

#define KV_INTERFACE(name)                                                                   \
  static_assert(sizeof(name) == sizeof(void*) && std::is_polymorphic<name>::value &&        \
                    !std::has_virtual_destructor<name>::value,                               \
                #name " is a table pointer without a virtual destructor")
KV_INTERFACE(FUnknown);
KV_INTERFACE(IPluginBase);
KV_INTERFACE(IPluginFactory);
KV_INTERFACE(IPluginFactory2);
KV_INTERFACE(IPluginFactory3);
KV_INTERFACE(IComponent);
KV_INTERFACE(IAudioProcessor);
KV_INTERFACE(IEditController);
KV_INTERFACE(IEditController2);
KV_INTERFACE(IComponentHandler);
KV_INTERFACE(IComponentHandler2);
KV_INTERFACE(IComponentHandler3);
KV_INTERFACE(IContextMenu);
KV_INTERFACE(IContextMenuTarget);
KV_INTERFACE(IConnectionPoint);
KV_INTERFACE(IMessage);
KV_INTERFACE(IAttributeList);
KV_INTERFACE(IUnitInfo);
KV_INTERFACE(IPlugView);
KV_INTERFACE(IPlugFrame);
KV_INTERFACE(IBStream);
KV_INTERFACE(ISizeableStream);
KV_INTERFACE(IParameterChanges);
KV_INTERFACE(IParamValueQueue);
KV_INTERFACE(IEventList);
KV_INTERFACE(IHostApplication);

}  // namespace
