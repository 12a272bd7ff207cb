// The keyboard hand-off on which all waiting rests.
//
// The host's events are handled here: a key reaching the sound window goes through
// WindowKeyDown (Alt-F4 ends the program, Control-0..3 switch the speech mode, anything else is
// stored in KeyPressed/KeyShift and, unless a prompt owns the keyboard, dispatched as a command);
// a key reaching the speech window is only stored; timers run their callbacks. Prompts and pauses
// call Pump, which blocks in the host until the next event or the deadline.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

#include "platform/host.h"

namespace corvane {

// Key codes (Windows virtual-key codes) used by the game.
enum KeyCodes : int {
  kKeyBack = 8,
  kKeyTab = 9,
  kKeyEnter = 13,
  kKeyShift = 16,
  kKeyControl = 17,
  kKeyAlt = 18,
  kKeyEscape = 27,
  kKeySpace = 32,
  kKeyPageUp = 33,
  kKeyPageDown = 34,
  kKeyEnd = 35,
  kKeyHome = 36,
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyDelete = 46,
  kKeyF1 = 112,
  kKeyF2 = 113,
  kKeyF3 = 114,
  kKeyF4 = 115,
  kKeyComma = 188,
  kKeyPeriod = 190,
};
enum ShiftBits : int { kShift = 1, kControl = 2, kAlt = 4 };

class Keyboard {
 public:
  explicit Keyboard(Host& host) : host_(host) {}

  // Last key code (0: none since the last reset) and its shift state.
  std::int16_t KeyPressed = 0;
  std::int16_t KeyShift = 0;
  // The shift state of the last key that reached the speech window (it leaves KeyShift alone).
  std::int16_t SpeechWindowShift = 0;
  // The window the last stored key reached.
  Window LastKeyWindow = Window::Sound;
  // True while a prompt or a blocking Wait owns the keyboard.
  bool InputWaiting = false;
  // KeyShift * 1000 + KeyPressed.
  int CommandKey() const { return KeyShift * 1000 + KeyPressed; }

  // Wired once at start-up: the command dispatcher, and the speech-mode switch of Control-0..3.
  void SetCommandDispatcher(std::function<void()> dispatch) { dispatch_ = std::move(dispatch); }
  void SetSpeechModeSwitch(std::function<void(int)> switchMode) { switch_ = std::move(switchMode); }
  // Opens the full help: F1 in either window.
  void SetFullHelp(std::function<void()> open) { fullHelp_ = std::move(open); }
  // Runs `tick` each time host timer `id` fires.
  void SetTimerHandler(int id, std::function<void()> tick) { timers_[id] = std::move(tick); }

  // Runs the command dispatcher on the stored key (prompts hand unknown keys on through this).
  void DispatchCommandKey() {
    if (dispatch_) dispatch_();
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
  std::function<void()> dispatch_;
  std::function<void(int)> switch_;
  std::function<void()> fullHelp_;
  std::map<int, std::function<void()>> timers_;
};

}  // namespace corvane
