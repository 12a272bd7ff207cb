#include "speech/keyboard.h"

namespace corvane {

bool Keyboard::Pump(double deadline, WaitKind kind) {
  std::optional<HostEvent> event = host_.NextEvent(deadline, kind);
  if (!event) return false;
  if (event->kind == HostEvent::Kind::Wake) {
    if (router_ != nullptr) router_->DescriptorWoke(event->code);
    return true;
  }
  if (event->kind == HostEvent::Kind::Key && event->person != person_) {
    if (router_ == nullptr) return true;
    if (Keyboard* other = router_->KeyboardOf(event->person)) other->Handle(*event);
    return true;
  }
  Handle(*event);
  return true;
}

PressedKey Keyboard::AwaitKey() {
  keyCode_ = 0;
  keyShift_ = 0;
  if (gone_) throw PersonGone{person_};
  // The host is told whose answer is awaited for as long as the wait lasts, however it ends.
  struct Waiting {
    explicit Waiting(PersonOutput& output) : output(output) { output.AnswerWaiting(true); }
    ~Waiting() { output.AnswerWaiting(false); }
    Waiting(const Waiting&) = delete;
    Waiting& operator=(const Waiting&) = delete;
    PersonOutput& output;
  } waiting(output_);
  const WaitKind kind = output_.KeysFromElsewhere() ? WaitKind::Remote : WaitKind::Answer;
  while (keyCode_ == 0) {
    InputWaiting = true;
    if (!Pump(clock_ != nullptr ? clock_->NextAlarm() : kForever, kind) && clock_ != nullptr) {
      clock_->Alarm();
    }
    if (gone_) throw PersonGone{person_};
  }
  return {keyCode_, keyShift_};
}

void Keyboard::StoreKeysFromNow() {
  keyCode_ = 0;
  InputWaiting = true;
}

void Keyboard::Handle(const HostEvent& event) {
  switch (event.kind) {
    case HostEvent::Kind::Key:
      // F1 in either window opens the full help, whatever the game is doing.
      if (event.code == kKeyF1 && event.shift == 0 && handOff_ != nullptr) {
        handOff_->OpenFullHelp();
        break;
      }
      if (event.window == Window::Speech) {
        // The speech window only remembers the key; the polling prompt takes it from there.
        keyCode_ = event.code;
        LastKeyWindow = Window::Speech;
      } else {
        WindowKeyDown(event.code, event.shift);
      }
      break;
    case HostEvent::Kind::Close:
      throw EndProgram{0};
    case HostEvent::Kind::Timer:
      if (handOff_ != nullptr) handOff_->TimerFired(event.code);
      break;
    case HostEvent::Kind::Wake:
      // Pump hands these to the router; a table hosted elsewhere waits in a loop of its own.
      break;
  }
}

void Keyboard::WindowKeyDown(int keyCode, int shift) {
  if (keyCode == kKeyF4 && (shift & kAlt) != 0) throw EndProgram{0};
  if (keyCode == kKeyShift || keyCode == kKeyControl || keyCode == kKeyAlt) return;
  if (shift == kControl && keyCode >= '0' && keyCode <= '3') {
    if (handOff_ != nullptr) handOff_->SwitchSpeechMode(keyCode - '0');
    return;
  }
  keyCode_ = keyCode;
  keyShift_ = shift;
  LastKeyWindow = Window::Sound;
  if (InputWaiting) return;
  DispatchCommandKey(CommandKeyOf(shift, keyCode));
  // The pause that let the key in still owns the keyboard: a question the command asked (the
  // ante, quitting, the card browser) must not leave the pause's later keys stored and unanswered.
  InputWaiting = false;
}

}  // namespace corvane
