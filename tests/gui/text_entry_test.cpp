#include "gui/win_text_entry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/iparameter.h"

namespace {

// Events that reach the entry, as the window procedures and the timer deliver them.
enum Event { kFocus, kKillFocus, kEnter, kWheel, kLeftDown, kMiddleDown, kTick, kTickDrew };

void Apply(TextEntryMachine& m, Event e, std::string* log) {
  switch (e) {
    case kFocus: m.FocusGained(); break;
    case kKillFocus: m.FocusLost(); break;
    case kEnter: m.EnterPressed(); break;
    case kWheel: m.WheelTurned(); break;
    case kLeftDown:
    case kMiddleDown: {
      TextEntryClick click = m.ButtonPressed(e == kMiddleDown);
      if (click == TextEntryClick::kCloseNow) {
        m.Closed();
        *log += "close-now ";
      } else {
        *log += click == TextEntryClick::kIgnore ? "ignored " : "eaten ";
      }
      break;
    }
    case kTick:
    case kTickDrew:
      switch (m.Tick()) {
        case TextEntryTick::kDraw:
          *log += "draw ";
          if (e == kTickDrew) m.DrewAroundEntry();
          break;
        case TextEntryTick::kSkip: *log += "skip "; break;
        case TextEntryTick::kCommitClose: *log += "commit "; break;
        case TextEntryTick::kCancelClose: *log += "cancel "; break;
      }
      break;
  }
}

struct SequenceCase {
  const char* name;
  std::vector<Event> events;
  const char* log;
  TextEntryState finalState;
};

TEST(TextEntryStates, SequencesFromOpenToClose) {
  const SequenceCase cases[] = {
      {"enter commits at the next tick", {kFocus, kEnter, kTick}, "commit ", kTextEntryIdle},
      {"focus loss cancels", {kFocus, kKillFocus, kTick}, "cancel ", kTextEntryIdle},
      {"a click on a focused entry is eaten and cancels", {kFocus, kLeftDown, kTick}, "eaten cancel ",
       kTextEntryIdle},
      {"the middle button leaves a focused entry alone", {kFocus, kMiddleDown}, "ignored ", kTextEntryFocused},
      {"the middle button closes an unfocused entry", {kMiddleDown}, "close-now ", kTextEntryIdle},
      {"a click before the focus closes at once", {kLeftDown}, "close-now ", kTextEntryIdle},
      {"the wheel cancels", {kFocus, kWheel, kTick}, "cancel ", kTextEntryIdle},
      {"ticks draw around an unfocused entry every other tick", {kTickDrew, kTickDrew, kTickDrew},
       "draw skip draw ", kTextEntryRedrawn},
      {"a tick with nothing dirty keeps state 0", {kTick, kTick}, "draw draw ", kTextEntryIdle},
      {"a click after a redraw closes at once", {kTickDrew, kLeftDown}, "draw close-now ", kTextEntryIdle},
      {"a focused entry is not drawn around", {kFocus, kTick, kTick}, "skip skip ", kTextEntryFocused},
  };
  for (const SequenceCase& c : cases) {
    TextEntryMachine m;
    m.Opened();
    EXPECT_EQ(m.State(), kTextEntryIdle);
    std::string log;
    for (Event e : c.events) Apply(m, e, &log);
    EXPECT_EQ(log, c.log) << c.name;
    EXPECT_EQ(m.State(), c.finalState) << c.name;
  }
}

TEST(TextEntryStates, OnlyTheFocusedStateSuspendsTheEditor) {
  TextEntryMachine m;
  EXPECT_FALSE(m.EditorSuspended());
  m.FocusGained();
  EXPECT_TRUE(m.EditorSuspended());
  m.EnterPressed();
  EXPECT_FALSE(m.EditorSuspended());
}

struct Params {
  IParameter none, boolean, stepped, enumeration, real;
  Params() {
    boolean.InitBool("B", false);
    stepped.InitDouble("S", 0, -10, 10, 1);
    enumeration.InitEnum("E", 0, 3);
    enumeration.SetDisplayText(0, "one");
    enumeration.SetDisplayText(1, "two");
    enumeration.SetDisplayText(2, "three");
    real.InitDouble("D", 0.0, -50.0, 50.0, 0.01);
  }
};

TEST(TextEntryFilter, CharactersByParameterKind) {
  Params p;
  // No parameter of this framework is declared with the int kind; it shares the bool and enum
  // rule, checked here on those two.
  const char* digitsAndSigns = "0123456789-+";
  for (const IParameter* param : {&p.boolean, &p.enumeration}) {
    for (const char* c = digitsAndSigns; *c; ++c) EXPECT_TRUE(TextEntryAcceptsChar(param, *c)) << *c;
    for (char c : {'.', 'e', 'a', ' ', ','}) EXPECT_FALSE(TextEntryAcceptsChar(param, c)) << c;
    EXPECT_TRUE(TextEntryAcceptsChar(param, kBackspaceChar));
  }
  for (char c : {'1', '.', '-', '+', '0'}) EXPECT_TRUE(TextEntryAcceptsChar(&p.real, c)) << c;
  for (char c : {'e', 'E', ',', ' ', 'x'}) EXPECT_FALSE(TextEntryAcceptsChar(&p.real, c)) << c;
  EXPECT_TRUE(TextEntryAcceptsChar(&p.real, kBackspaceChar));
  for (char c : {'e', ' ', '.', '~'}) {
    EXPECT_TRUE(TextEntryAcceptsChar(nullptr, c));
    EXPECT_TRUE(TextEntryAcceptsChar(&p.none, c));
  }
}

struct CommitCase {
  const IParameter* param;
  const char* text;
  double normalized;
};

TEST(TextEntryCommit, TypedTextBecomesANormalisedValue) {
  Params p;
  IParameter negated;
  negated.InitDouble("Neg", 0.0, -90.0, 0.0, 0.1);
  negated.SetDisplayNegate(true);
  const CommitCase cases[] = {
      {&p.real, "25", 0.75},     {&p.real, "-50", 0.0},     {&p.real, "1e9", 1.0},
      {&p.real, "abc", 0.5},     {&p.real, "", 0.5},        {&p.real, "12.5x", 0.625},
      {&p.real, "-999", 0.0},    {&negated, "45", 0.5},     {&negated, "-10", 1.0},
      {&p.enumeration, "two", 0.5}, {&p.enumeration, "three", 1.0}, {&p.enumeration, "Two", 0.0},
      {&p.enumeration, "2", 0.0},   {&p.boolean, "on", 1.0},        {&p.boolean, "off", 0.0},
      {&p.boolean, "1", 0.0},       {&p.stepped, "5", 0.75},        {&p.stepped, "5abc", 0.75},
  };
  for (const CommitCase& c : cases) {
    double v = TextEntryCommittedValue(*c.param, c.text);
    EXPECT_TRUE(std::isfinite(v)) << c.param->GetName() << " " << c.text;
    EXPECT_NEAR(v, c.normalized, 1e-12) << c.param->GetName() << " " << c.text;
  }
}

}  // namespace
