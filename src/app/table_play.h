// The play of a table: the party background, the game selection menu, the custom game menu, the
// bots' dealer's choice, hands dealt one after another as the answer after each decides, the end
// of the game with its standings.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/hand_engine.h"
#include "engine/narration.h"
#include "engine/seating.h"
#include "platform/host.h"
#include "sound/sound_engine.h"
#include "speech/keyboard.h"
#include "speech/prompts.h"
#include "speech/speech.h"
#include "table/random.h"
#include "table/table_state.h"
#include "table/user_settings.h"

namespace corvane {

inline constexpr int kMaxCustomGames = 100;
inline constexpr int kShuffleTimer = 1;

// What the table play asks of the rest of the program: the saved table, the game settings
// questions and the help.
class TableServices {
 public:
  virtual ~TableServices() = default;
  // True when saved.
  virtual bool SaveTable() = 0;
  virtual void DeleteSavedTable(bool announce) = 0;
  virtual void AskGameSettings() = 0;
  // The help-format question.
  virtual void ChooseHelpFormat() = 0;
};

class TablePlay {
 public:
  // The table's menus and questions are the host's: `speech`, `prompts` and `sound` are the host's
  // own; what the whole table hears goes through `narration`.
  TablePlay(Host& host, TableState& table, UserSettings& settings, Speech& speech, Prompts& prompts,
            SoundEngine& sound, BackgroundSound& background, Random& game, HandEngine& engine,
            Narration& narration, const Seating& seating, std::string dataFolder,
            TableServices& services);

  // Runs the table, with the party in the background.
  void PlayTable();
  void ShowStandings(const std::string& message);
  void OfferAttributes();
  // The custom games in the data folder, sorted by name ignoring case, at most 100.
  std::vector<std::string> ListCustomGames() const;

 private:
  enum class MenuResult { Rebuild, Leave, Play };
  MenuResult GameSelectionMenu();
  // 1..6 built-in, 20 custom (gameFile_ set), 0 back to the game selection menu.
  int CustomGameMenu();
  // The path of a listed custom game's file.
  std::string GameFile(const std::string& name) const;
  bool BotDealsNext() const;
  // The game of the next deal in dealer's choice: a person other than the host who deals next
  // chooses it for their own deal; a bot draws it.
  void DealerChoosesGame(int& choice);
  void BotChoosesGame(int& choice);
  // 1..6, the built-in game the person chose.
  int PersonChoosesGame(Prompts& prompts);
  bool StartGame(int choice);
  void SayDamagedGameFile();
  void PlayLoop();
  bool GameEndReached();
  void UserWins();
  void WaitForSound(std::int16_t index);

  Host& host_;
  TableState& table_;
  UserSettings& settings_;
  Speech& speech_;
  Prompts& prompts_;
  SoundEngine& sound_;
  BackgroundSound& background_;
  Random& game_;
  HandEngine& engine_;
  Narration& narration_;
  const Seating& seating_;
  std::string dataFolder_;
  TableServices& services_;
  std::vector<std::string> customGames_;
  std::string gameFile_;
  bool standingsFanfarePlayed_ = false;
};

}  // namespace corvane
