// The keyboard hand-off on which all waiting rests.
//
// The host's events are handled here: a key reaching the sound window goes through
// WindowKeyDown (Alt-F4 ends the program, Control-0..3 switch the speech mode, anything else is
// stored in KeyPressed/KeyShift and, unless a prompt owns the keyboard, dispatched as a command);
// a key reaching the speech window is only stored; timers are handed on. Prompts and pauses
// call Pump, which blocks in the host until the next event or the deadline.
#pragma once

#include <cstdint>

#include "platform/host.h"
#include "platform/key_codes.h"
#include "speech/key_hand_off.h"

namespace corvane {

class Keyboard {
 public:
  // Keys the prompts do not take, the speech-mode switch, F1 and timers go to `handOff`; without
  // one they are only stored.
  explicit Keyboard(Host& host, KeyHandOff* handOff = nullptr) : host_(host), handOff_(handOff) {}

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
  // Handles one event as the windows' key handlers and timers do.
  void Handle(const HostEvent& event);
  // The sound window's key handler.
  void WindowKeyDown(int keyCode, int shift);

  Host& host() { return host_; }

 private:
  Host& host_;
  KeyHandOff* handOff_;
};

}  // namespace corvane
