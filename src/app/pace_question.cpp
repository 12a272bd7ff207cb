#include "app/pace_question.h"

#include <string>
#include <vector>

namespace corvane {

bool AskPace(Prompts& prompts, UserSettings& settings) {
  // Rows in the order of the paces, from 1.
  std::vector<std::string> items{"", "Normal, N", "Quick, every pause halved, Q",
                                 "Fastest, no pauses in the deal, the antes and between hands, F"};
  std::vector<std::string> keys{"", "N", "Q", "F"};
  const int count = static_cast<int>(items.size()) - 1;
  const int current = static_cast<int>(settings.GamePace) + 1;
  const int answer =
      prompts.Menu("How fast should the game play?", items, keys, count, current, 0, true);
  if (answer < 1 || answer > count) return false;
  settings.GamePace = static_cast<Pace>(answer - 1);
  return true;
}

}  // namespace corvane
