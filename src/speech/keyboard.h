// The keyboard hand-off on which all waiting rests. Every person at the table has a keyboard of
// their own; all of them wait in the one host.
//
// The host's events are handled here: a key reaching the sound window goes through
// WindowKeyDown (Alt-F4 ends the program, Control-0..3 switch the speech mode, anything else is
// stored in KeyPressed/KeyShift and, unless a prompt owns the keyboard, dispatched as a command);
// a key reaching the speech window is only stored; timers are handed on. Prompts and pauses
// call Pump, which blocks in the host until the next event or the deadline. A key of another
// person is handed to that person's keyboard, found through the router, and handled there as if
// it had been pumped there: stored for a prompt of that person's that waits further out, or run
// as that person's command key.
#pragma once

#include <cstdint>

#include "platform/host.h"
#include "platform/key_codes.h"
#include "speech/key_hand_off.h"

namespace corvane {

class Keyboard;

// Finds the keyboard of a person by the id their keys carry.
class KeyRouter {
 public:
  // nullptr for a person who is not (or no longer) at the table.
  virtual Keyboard* KeyboardOf(int person) = 0;

 protected:
  ~KeyRouter() = default;
};

class Keyboard {
 public:
  // Keys the prompts do not take, the speech-mode switch, F1 and timers go to `handOff`; without
  // one they are only stored. This is the keyboard of the host's own person.
  explicit Keyboard(Host& host, KeyHandOff* handOff = nullptr)
      : Keyboard(host, handOff, kHostPerson, host, nullptr) {}
  // The keyboard of `person`, whose prompts tell `output` when they wait for an answer; keys of
  // other people go to their keyboards through `router` (nullptr: they are dropped).
  Keyboard(Host& host, KeyHandOff* handOff, int person, PersonOutput& output, KeyRouter* router)
      : host_(host), handOff_(handOff), person_(person), output_(output), router_(router) {}

  // Last key code (0: none since the last reset) and its shift state.
  std::int16_t KeyPressed = 0;
  std::int16_t KeyShift = 0;
  // The shift state of the last key that reached the speech window (it leaves KeyShift alone).
  std::int16_t SpeechWindowShift = 0;
  // The window the last stored key reached.
  Window LastKeyWindow = Window::Sound;
  // True while a prompt or a blocking Wait owns the keyboard.
  bool InputWaiting = false;
  // The stored key as a command key: KeyShift * kShiftStep + KeyPressed.
  int CommandKey() const { return CommandKeyOf(KeyShift, KeyPressed); }

  // Hands the stored key on as a command (prompts hand unknown keys on through this).
  void DispatchCommandKey() {
    if (handOff_ != nullptr) handOff_->DispatchCommandKey();
  }

  // Waits for the next event or the deadline and handles what arrived; false at the deadline.
  bool Pump(double deadline, WaitKind kind);
  // Clears the stored key code (not its shift state), then lets events run until a key of this
  // person is stored: the wait of every prompt for its answer.
  void AwaitKey();
  // Handles one event as the windows' key handlers and timers do.
  void Handle(const HostEvent& event);
  // The sound window's key handler.
  void WindowKeyDown(int keyCode, int shift);

  Host& host() { return host_; }
  int person() const { return person_; }

 private:
  Host& host_;
  KeyHandOff* handOff_;
  int person_;
  PersonOutput& output_;
  KeyRouter* router_;
};

}  // namespace corvane
