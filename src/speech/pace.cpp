#include "speech/pace.h"

#include <algorithm>

namespace corvane {

double PausedSeconds(Pace pace, PauseOf kind, double seconds) {
  if (kind == PauseOf::DealtCard) {
    return std::max(PausedSeconds(pace, PauseOf::Deal, seconds), kCardSpacing);
  }
  switch (pace) {
    case Pace::Normal:
      return seconds;
    case Pace::Quick:
      return kind == PauseOf::IntroMusic ? 0 : seconds / 2;
    case Pace::Fastest:
      return kind == PauseOf::Play ? seconds / 2 : 0;
  }
  return seconds;
}

bool KeySkipsStartUp(Pace pace) {
  return pace != Pace::Normal;
}

}  // namespace corvane
