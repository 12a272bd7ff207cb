#include "app/start_up_pauses.h"

namespace corvane {

void StartUpPauses::Pause(double seconds) {
  const Pace pace = prompts_.pace();
  if (!KeySkipsStartUp(pace)) {
    prompts_.Wait(seconds, false);
    return;
  }
  if (skipped_) return;
  // Keys are only stored here: the first one ends this pause and the ones after it.
  Keyboard& keyboard = prompts_.keyboard();
  Host& host = keyboard.host();
  keyboard.StoreKeysFromNow();
  const double deadline = host.Now() + PausedSeconds(pace, PauseOf::StartUp, seconds);
  do {
    keyboard.Pump(deadline, WaitKind::Pause);
  } while (!keyboard.KeyArrived() && host.Now() < deadline);
  skipped_ = keyboard.KeyArrived();
}

double StartUpPauses::Length(PauseOf kind, double seconds) const {
  return skipped_ ? 0 : PausedSeconds(prompts_.pace(), kind, seconds);
}

}  // namespace corvane
