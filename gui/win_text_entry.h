// The editor's text entry without its window: the state it moves through between opening and
// being committed or cancelled, which characters it accepts for a parameter, and the value the
// typed text commits. The Windows editor window drives it from its window procedure, the edit
// box's subclass procedure and its timer. [UI thread; no allocation]
#pragma once

#include <cstdint>

class IParameter;

// 0 idle: no entry, or one that has not had the focus since it was opened; 1 focused: the
// entry has the keyboard focus, and the editor neither redraws nor takes clicks; 2 redrawn:
// the timer drew the editor around the entry; 3 cancel and 4 commit: the next tick closes it.
enum TextEntryState : int32_t {
  kTextEntryIdle = 0,
  kTextEntryFocused = 1,
  kTextEntryRedrawn = 2,
  kTextEntryCancel = 3,
  kTextEntryCommit = 4,
};

// What a timer tick does while an entry is open.
enum class TextEntryTick {
  kDraw,          // state 0: draw the dirty controls around the entry (then state 2 if any)
  kSkip,          // state 2: nothing this tick, state 0 (state 1: nothing, state kept)
  kCommitClose,   // state 4: take the text, then close
  kCancelClose,   // state 3: close without taking anything
};

// What a button press in the editor window does while an entry is open.
enum class TextEntryClick {
  kCancelLater,   // focused entry, left or right button: state 3, the press is eaten, the
                  // next tick closes the entry
  kIgnore,        // focused entry, middle button: the default procedure's, nothing changes
  kCloseNow,      // otherwise: close at once without committing, then handle the press
};

class TextEntryMachine {
 public:
  TextEntryState State() const { return state_; }

  // The edit box was created (state stays, normally 0).
  void Opened() {}
  // The edit box's own focus messages, Enter, and its commit command.
  void FocusGained() { state_ = kTextEntryFocused; }
  void FocusLost() { state_ = kTextEntryCancel; }
  void EnterPressed() { state_ = kTextEntryCommit; }
  // The wheel over the editor cancels the entry rather than turning a control.
  void WheelTurned() { state_ = kTextEntryCancel; }

  // True while the editor passes every message to the default procedure (state 1).
  bool EditorSuspended() const { return state_ == kTextEntryFocused; }

  // A button press in the editor window while an entry is open.
  TextEntryClick ButtonPressed(bool middleButton);

  // The timer tick's decision, and the state it leaves (closing ends in 0).
  TextEntryTick Tick();
  // After a kDraw tick: state 2 when something was drawn around the entry.
  void DrewAroundEntry() { state_ = kTextEntryRedrawn; }
  // The entry window was destroyed (closed by a tick, a click or the editor closing).
  void Closed() { state_ = kTextEntryIdle; }

 private:
  TextEntryState state_ = kTextEntryIdle;
};

// Backspace, which always passes the character filter.
constexpr uint32_t kBackspaceChar = 8;

// Whether the entry accepts a typed character: every one without a parameter or for a parameter
// of kind none; digits, '-' and '+' for bool, int and enum; those and '.' for double.
bool TextEntryAcceptsChar(const IParameter* param, uint32_t ch);

// Bytes of the entry's text the commit reads, terminator included.
constexpr int32_t kTextEntryReadBytes = 32;

// The normalised value committed for the typed text: for an enum or bool parameter the value
// whose display text equals it (0 when none does); for the others the text read as a decimal
// number (0 when it is none), negated when the parameter negates its display. Normalising
// clamps it to the parameter's range.
double TextEntryCommittedValue(const IParameter& param, const char* text);
