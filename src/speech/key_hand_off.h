// What the keyboard hands on to the game: a key no prompt answers, the speech-mode switch of
// Control-0..3, F1 and the host's timers.
#pragma once

namespace corvane {

class KeyHandOff {
 public:
  // Runs the game's command for `commandKey` (CommandKeyOf(shift, code)); prompts hand the keys
  // they do not know on through this too.
  virtual void DispatchCommandKey(int commandKey) = 0;
  // Control-0..3 in the sound window: `mode` is the digit.
  virtual void SwitchSpeechMode(int mode) = 0;
  // F1 in either window opens the full help, whatever the game is doing.
  virtual void OpenFullHelp() = 0;
  // Host timer `id` fired.
  virtual void TimerFired(int id) = 0;

 protected:
  ~KeyHandOff() = default;
};

}  // namespace corvane
