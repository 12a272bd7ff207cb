// The keyboard hand-off on which all waiting rests. Every person at the table has a keyboard of
// their own; all of them wait in the one host.
//
// The host's events are handled here: a key reaching the sound window goes through
// WindowKeyDown (Alt-F4 ends the program, Control-0..3 switch the speech mode, anything else is
// stored for the prompt that waits or, unless a prompt owns the keyboard, dispatched as a command);
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

// A key as a prompt receives it: its code and shift state.
struct PressedKey {
  int code = 0;
  int shift = 0;
  int command() const { return CommandKeyOf(shift, code); }
};

// Thrown from a wait for the key of a person whose program has gone (a friend whose connection
// dropped): whoever asked them decides without them (a bot plays their seat).
struct PersonGone {
  int person = 0;
};

// Keeps time while a person's waits last (a friend's turn): when the moment it names comes with no
// key, it is told, and may end the wait by throwing.
class AnswerClock {
 public:
  // The next moment (host seconds) the clock must be told of; kForever for none.
  virtual double NextAlarm() = 0;
  virtual void Alarm() = 0;

 protected:
  ~AnswerClock() = default;
};

// Finds the keyboard of a person by the id their keys carry, and takes what the network brings.
class KeyRouter {
 public:
  // nullptr for a person who is not (or no longer) at the table.
  virtual Keyboard* KeyboardOf(int person) = 0;
  // A descriptor watched with Host::WatchDescriptor woke the wait: `id` is its watch id.
  virtual void DescriptorWoke(int id) = 0;

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

  // True while a prompt or a blocking Wait owns the keyboard: keys are then stored for it rather
  // than run as commands.
  bool InputWaiting = false;
  // The window the last stored key reached.
  Window LastKeyWindow = Window::Sound;

  // Hands a key on as a command (prompts hand unknown keys on through this).
  void DispatchCommandKey(int commandKey) {
    if (handOff_ != nullptr) handOff_->DispatchCommandKey(commandKey);
  }

  // Waits for the next event or the deadline and handles what arrived; false at the deadline.
  bool Pump(double deadline, WaitKind kind);
  // Lets events run until a key of this person arrives and returns it: the wait of every prompt
  // for its answer. Throws PersonGone while the person is gone (SetGone).
  PressedKey AwaitKey();
  // The person's program has gone (true) or is back (false): while gone, every wait for their
  // key ends at once with PersonGone.
  void SetGone(bool gone) { gone_ = gone; }
  bool Gone() const { return gone_; }
  // Times the waits for the person's key from now on (nullptr: none).
  void SetClock(AnswerClock* clock) { clock_ = clock; }
  // The start of a pause that any key ends: from now on keys are only stored, and KeyArrived
  // tells when one has been.
  void StoreKeysFromNow();
  bool KeyArrived() const { return keyCode_ != 0; }
  // The last key stored (for tests).
  PressedKey StoredKey() const { return {keyCode_, keyShift_}; }
  // Handles one event as the windows' key handlers and timers do.
  void Handle(const HostEvent& event);
  // The sound window's key handler.
  void WindowKeyDown(int keyCode, int shift);

  Host& host() { return host_; }
  int person() const { return person_; }

 private:
  Host& host_;
  KeyHandOff* handOff_;
  // The last key stored (code 0: none since the wait began) and its shift state; a key that
  // reached the speech window leaves the shift state as it was.
  int keyCode_ = 0;
  int keyShift_ = 0;
  int person_;
  bool gone_ = false;
  AnswerClock* clock_ = nullptr;
  PersonOutput& output_;
  KeyRouter* router_;
};

}  // namespace corvane
