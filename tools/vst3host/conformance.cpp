#include "tools/vst3host/conformance.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "platform/vst3/vst3_units.h"
#include "tools/vst3host/host_objects.h"

namespace vst3host {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int32 kKnownFlags = ParameterInfo::kCanAutomate | ParameterInfo::kIsReadOnly | ParameterInfo::kIsWrapAround |
                              ParameterInfo::kIsList | ParameterInfo::kIsHidden | ParameterInfo::kIsProgramChange |
                              ParameterInfo::kIsBypass;
constexpr int32 kMostStepsWalked = 1000;  // a list longer than this is walked at its ends only

// Normalised values a host may hand in by mistake or malice.
const double kHostileNormalized[] = {-1.0, -1e300, -kInf, 1.0000001, 2.0, 1e300, kInf, kNaN};
// Texts typed into a host's field, or sent by a broken one.
const char* const kHostileTexts[] = {"77",   "-77",  "1e999", "-1e999",     "nan",   "inf", "", " ",
                                     "abc",  "0x7fffffff", "1e-400", "4 4", "1,5", "-0", "\t", "+"};

bool InUnitRange(double v) { return v >= 0.0 && v <= 1.0; }

std::string Num(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

std::string Name(const ParameterInfo& info) { return "'" + NarrowText(info.title) + "'"; }

// The text of a normalised value, or "<refused>".
std::string TextOf(IEditController* ctl, ParamID id, ParamValue v) {
  String128 s{};
  if (ctl->getParamStringByValue(id, v, s) != kResultOk) return "<refused>";
  return NarrowText(s);
}

bool ValueOf(IEditController* ctl, ParamID id, const char16* text, ParamValue& v) {
  v = kNaN;
  return ctl->getParamValueByString(id, const_cast<char16*>(text), v) == kResultOk;
}

std::vector<ParameterInfo> AllInfos(IEditController* ctl) {
  std::vector<ParameterInfo> infos;
  for (int32 i = 0; i < ctl->getParameterCount(); ++i) {
    ParameterInfo info{};
    if (ctl->getParameterInfo(i, info) == kResultOk) infos.push_back(info);
  }
  return infos;
}

bool IsList(const ParameterInfo& info) { return (info.flags & ParameterInfo::kIsList) != 0; }

// The normalised values worth visiting: every step of a list (its ends only when it is very
// long; a list without steps has the one value 0), else the ends, the middle and the default.
std::vector<double> Visits(const ParameterInfo& info) {
  std::vector<double> v;
  int32 steps = info.stepCount;
  if (steps == 0 && IsList(info)) {
    v = {0.0};
  } else if (steps > 0 && steps <= kMostStepsWalked) {
    for (int32 k = 0; k <= steps; ++k) v.push_back(static_cast<double>(k) / steps);
  } else {
    v = {0.0, 0.5, 1.0};
  }
  v.push_back(info.defaultNormalizedValue);
  return v;
}

std::set<UnitID> AnsweredUnits(IEditController* ctl, Checks& c) {
  std::set<UnitID> units{kRootUnitId};
  IUnitInfo* unitInfo = nullptr;
  if (ctl->queryInterface(IUnitInfo::iid.bytes, reinterpret_cast<void**>(&unitInfo)) != kResultOk || !unitInfo)
    return units;
  int32 count = unitInfo->getUnitCount();
  std::set<UnitID> parents;
  bool allAnswered = true, rootFirst = false;
  for (int32 i = 0; i < count; ++i) {
    UnitInfo u{};
    allAnswered = allAnswered && unitInfo->getUnitInfo(i, u) == kResultOk;
    if (i == 0) rootFirst = u.id == kRootUnitId && u.parentUnitId == kNoParentUnitId;
    c.That(i == 0 || units.insert(u.id).second, "unit " + std::to_string(u.id) + " is listed once");
    if (i > 0) parents.insert(u.parentUnitId);
  }
  UnitInfo beyond{};
  c.That(count >= 1 && allAnswered && rootFirst, "every unit up to the count is answered, the root first");
  c.That(unitInfo->getUnitInfo(count, beyond) != kResultOk && unitInfo->getUnitInfo(-1, beyond) != kResultOk,
         "no unit beyond the count");
  for (UnitID parent : parents) c.That(units.count(parent) == 1, "a unit's parent is a listed unit");
  unitInfo->release();
  return units;
}

void CheckOneInfo(IEditController* ctl, const ParameterInfo& info, const std::set<UnitID>& units, Checks& c) {
  const std::string name = Name(info);
  c.That(!NarrowText(info.title).empty(), "parameter " + std::to_string(info.id) + " has a title");
  c.That(InUnitRange(info.defaultNormalizedValue), name + ": the default lies within 0..1");
  c.That(info.stepCount >= 0, name + ": the step count is not negative");
  c.That((info.flags & ~kKnownFlags) == 0, name + ": only known flags");
  c.That(!((info.flags & ParameterInfo::kIsReadOnly) && (info.flags & ParameterInfo::kCanAutomate)),
         name + ": not both read-only and automatable");
  c.That(units.count(info.unitId) == 1, name + ": its unit is one the unit information answers");
  if (info.flags & ParameterInfo::kIsBypass)
    c.That(info.stepCount == 1 && (info.flags & ParameterInfo::kCanAutomate),
           name + ": a bypass is an automatable toggle");
  if (info.flags & ParameterInfo::kIsProgramChange)
    c.That((info.flags & ParameterInfo::kIsList) != 0, name + ": a program change is a list");
  if (IsList(info) && info.stepCount <= kMostStepsWalked) {
    // A host builds its menu from the step texts: one distinct, non-empty text per entry.
    std::set<std::string> texts;
    for (double v : Visits(info)) texts.insert(TextOf(ctl, info.id, v));
    c.That(static_cast<int32>(texts.size()) == info.stepCount + 1 && !texts.count("") && !texts.count("<refused>"),
           name + ": a list has one distinct text per step");
  }
}

// Text -> value -> text at every visited value; a list's step comes back exactly.
void CheckTextRoundTrips(IEditController* ctl, const ParameterInfo& info, Checks& c) {
  bool list = IsList(info);
  for (double v : Visits(info)) {
    std::string text = TextOf(ctl, info.id, v);
    String128 wide{};
    WidenText(text, wide);
    ParamValue back = kNaN;
    bool parsed = text != "<refused>" && ValueOf(ctl, info.id, wide, back);
    std::string at = Name(info) + " at " + Num(v) + " (\"" + text + "\")";
    c.That(parsed && InUnitRange(back) && TextOf(ctl, info.id, back) == text, at + ": its text reads back to itself");
    if (list) c.That(parsed && std::fabs(back - v) <= 1e-12, at + ": a list's text reads back to its step");
  }
}

// Hostile normalised values, plain values and texts: every answer within range.
void CheckHostileInput(IEditController* ctl, const ParameterInfo& info, Checks& c) {
  const std::string name = Name(info);
  ParamValue p0 = ctl->normalizedParamToPlain(info.id, 0.0), p1 = ctl->normalizedParamToPlain(info.id, 1.0);
  double lo = std::fmin(p0, p1), hi = std::fmax(p0, p1);
  c.That(std::isfinite(p0) && std::isfinite(p1), name + ": finite plain ends");
  for (double v : Visits(info)) {
    ParamValue plain = ctl->normalizedParamToPlain(info.id, v);
    c.That(plain >= lo && plain <= hi, name + ": plain value of " + Num(v) + " lies between the ends");
  }
  for (double v : Visits(info))
    c.That(std::fabs(ctl->plainParamToNormalized(info.id, ctl->normalizedParamToPlain(info.id, v)) - v) <= 1e-9,
           name + ": plain and normalised round-trip at " + Num(v));
  const std::string text0 = TextOf(ctl, info.id, 0.0), text1 = TextOf(ctl, info.id, 1.0);
  for (double v : kHostileNormalized) {
    std::string what = name + ", normalised " + Num(v);
    ParamValue plain = ctl->normalizedParamToPlain(info.id, v);
    c.That(plain >= lo && plain <= hi, what + ": the plain value stays between the ends");
    std::string text = TextOf(ctl, info.id, v);
    if (v == v) c.That(text == (v < 0 ? text0 : text1), what + ": shows the nearest end (\"" + text + "\")");
  }
  for (double plain : {-1e300, 1e300, -kInf, kInf, kNaN, lo - (hi - lo) * 10 - 1, hi + (hi - lo) * 10 + 1})
    c.That(InUnitRange(ctl->plainParamToNormalized(info.id, plain)),
           name + ", plain " + Num(plain) + ": the normalised value stays within 0..1");
  for (const char* hostile : kHostileTexts) {
    String128 wide{};
    WidenText(hostile, wide);
    ParamValue v = 0;
    c.That(!ValueOf(ctl, info.id, wide, v) || InUnitRange(v),
           name + ", text \"" + hostile + "\": refused or within 0..1");
  }
  // A unit whose low byte is a digit, and a text with no terminator within 128 units.
  const char16 dotlessI[] = {0x0131, 0};
  std::vector<char16> endless(300, u'1');
  endless.back() = 0;
  ParamValue v = 0;
  c.That(!ValueOf(ctl, info.id, dotlessI, v) || InUnitRange(v), name + ": a non-ASCII text is refused or within 0..1");
  c.That(!ValueOf(ctl, info.id, endless.data(), v) || InUnitRange(v),
         name + ": an over-long text is refused or within 0..1");
}

}  // namespace

void CheckBusConsistency(IComponent* comp, IAudioProcessor* proc, Checks& c) {
  for (MediaType type : {kAudio, kEvent}) {
    for (BusDirection dir : {kInput, kOutput}) {
      const std::string which =
          std::string(type == kAudio ? "audio " : "event ") + (dir == kInput ? "input" : "output");
      int32 count = comp->getBusCount(type, dir);
      c.That(count >= 0, which + " bus count");
      for (int32 i = 0; i < count; ++i) {
        BusInfo bus{};
        std::string at = which + " bus " + std::to_string(i);
        c.That(comp->getBusInfo(type, dir, i, bus) == kResultOk && bus.mediaType == type && bus.direction == dir &&
                   bus.channelCount > 0 && !NarrowText(bus.name).empty(),
               at + ": its information names it and its channels");
        SpeakerArrangement arr = 0;
        if (type == kAudio)
          c.That(proc->getBusArrangement(dir, i, arr) == kResultOk && ChannelCountOf(arr) == bus.channelCount,
                 at + ": its arrangement has its channel count");
      }
      BusInfo none{};
      SpeakerArrangement arr = 0;
      c.That(comp->getBusInfo(type, dir, count, none) != kResultOk &&
                 comp->getBusInfo(type, dir, -1, none) != kResultOk,
             which + ": no bus beyond the count");
      if (type == kAudio)
        c.That(proc->getBusArrangement(dir, count, arr) != kResultOk, which + ": no arrangement beyond the count");
    }
  }
}

void CheckParameterInfo(IEditController* ctl, Checks& c) {
  std::set<UnitID> units = AnsweredUnits(ctl, c);
  std::vector<ParameterInfo> infos = AllInfos(ctl);
  c.That(static_cast<int32>(infos.size()) == ctl->getParameterCount(), "every parameter up to the count is answered");
  ParameterInfo beyond{};
  c.That(ctl->getParameterInfo(ctl->getParameterCount(), beyond) != kResultOk &&
             ctl->getParameterInfo(-1, beyond) != kResultOk,
         "no parameter beyond the count");
  std::set<ParamID> ids;
  int32 bypasses = 0, programChanges = 0;
  for (const ParameterInfo& info : infos) {
    c.That(ids.insert(info.id).second, Name(info) + ": its id is unique");
    bypasses += (info.flags & ParameterInfo::kIsBypass) != 0;
    programChanges += (info.flags & ParameterInfo::kIsProgramChange) != 0;
    CheckOneInfo(ctl, info, units, c);
  }
  c.That(bypasses <= 1 && programChanges <= 1, "at most one bypass and one program-change parameter");
}

void CheckParameterConversions(IEditController* ctl, Checks& c) {
  for (const ParameterInfo& info : AllInfos(ctl)) {
    c.That(InUnitRange(ctl->getParamNormalized(info.id)), Name(info) + ": its current value lies within 0..1");
    CheckTextRoundTrips(ctl, info, c);
    CheckHostileInput(ctl, info, c);
  }
}

void CheckBypassPersistence(IEditController* ctl, Checks& c) {
  for (const ParameterInfo& info : AllInfos(ctl)) {
    if (!(info.flags & ParameterInfo::kIsBypass)) continue;
    ParamID id = info.id;
    ParamValue before = ctl->getParamNormalized(id);
    struct Step {
      double set, read;
    };
    for (Step s : {Step{1, 1}, Step{0, 0}, Step{1.5, 1}, Step{-0.5, 0}, Step{1, 1}})
      c.That(ctl->setParamNormalized(id, s.set) == kResultOk && ctl->getParamNormalized(id) == s.read,
             "the bypass set to " + Num(s.set) + " through the controller reads " + Num(s.read));
    c.That(ctl->setParamNormalized(id, kNaN) != kResultOk && ctl->getParamNormalized(id) == 1,
           "a bypass of NaN is refused and changes nothing");
    ctl->setParamNormalized(id, before);
  }
}

void CheckConformance(IComponent* comp, IAudioProcessor* proc, IEditController* ctl, Checks& c) {
  CheckBusConsistency(comp, proc, c);
  CheckParameterInfo(ctl, c);
  CheckParameterConversions(ctl, c);
  CheckBypassPersistence(ctl, c);
}

}  // namespace vst3host
