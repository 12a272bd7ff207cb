#include "app/table_setup.h"

#include <cmath>
#include <vector>

#include "store/table_setup_file.h"

namespace corvane {

TableSetup::TableSetup(TableState& table, Speech& speech, Prompts& prompts, Random& game,
                       std::string setupFile)
    : table_(table),
      speech_(speech),
      prompts_(prompts),
      game_(game),
      setupFile_(std::move(setupFile)) {}

bool TableSetup::Cancel() {
  table_.GameOver = true;
  return false;
}

void TableSetup::ReadLastSetup() {
  for (int seat = 1; seat <= kMaxSeats; ++seat)
    table_.players.PlayerName[seat] = table_.DefaultName[seat];
  TableSetupRecord record;
  switch (LoadTableSetup(setupFile_, record)) {
    case FileRead::kRead:
      ApplyTableSetup(record, table_);
      break;
    case FileRead::kRefused:
      speech_.speak(
          "Your last table setup in CV PokerSettings.sav cannot be read. It may be damaged. The "
          "questions start on the default answers; the file is kept until this setup is "
          "finished.");
      break;
    case FileRead::kMissing:
      break;
  }
}

bool TableSetup::AskPlayerCount() {
  std::vector<std::string> items{""};
  std::vector<std::string> keys{""};
  for (int players = 2; players <= kMaxSeats; ++players) {
    items.push_back(std::to_string(players) + " Players");
    keys.push_back(std::to_string(players));
  }
  const int row = prompts_.Menu("Number of Players at the table?", items, keys, 6,
                                table_.PlayerCount - 1, 0, true);
  if (row + 1 < 2) return false;
  table_.PlayerCount = static_cast<std::int16_t>(row + 1);
  return true;
}

bool TableSetup::AskNames() {
  auto& names = table_.players.PlayerName;
  const std::string user = prompts_.InputText("What name would you like to go buy?", names[1], 0);
  if (user == "***") {
    names[1] = "The Boss";
    return false;
  }
  names[1] = user;
  if (prompts_.AskYesNo("Would you like to change the names of the other players?", kAnswerNo,
                        true) != kAnswerYes) {
    return true;
  }
  for (int seat = 2; seat <= table_.PlayerCount; ++seat) {
    const std::string name =
        prompts_.InputText("Name of player " + std::to_string(seat) + "?", names[seat], 0);
    if (name == "***" || name.empty()) return false;
    names[seat] = name;
  }
  return true;
}

bool TableSetup::AskLimits() {
  GameSettings& s = table_.settings;
  while (true) {
    const auto maxRaise = prompts_.InputNumber("What is the highest allowed raise in betting?", 1,
                                               1000000, s.MaxRaise, 0, 0);
    if (maxRaise < 0) return false;
    s.MaxRaise = maxRaise;
    const auto maxRaises =
        prompts_.InputNumber("What is the maximum number of raises?", 1, 20, s.MaxRaises, 0, 1);
    if (maxRaises < 0) return false;
    s.MaxRaises = static_cast<std::int16_t>(maxRaises);
    const auto ante = prompts_.InputNumber("What is the standard ante for each hand?", 1, 1000000,
                                           s.Ante, 0, s.Ante);
    if (ante < 0) return false;
    s.Ante = ante;
    if (s.MaxRaise >= s.Ante) return true;
    speech_.speak("The ante cannot be more than the max bet.");
  }
}

bool TableSetup::AskEndRule() {
  GameSettings& s = table_.settings;
  if (s.GameEndRule == kEndRuleNotChosen) {
    s.GameEndRule = kEndOnChips;
    s.GameEndAmount = 10;
  }
  std::vector<std::string> items{
      "", "you lose all of your chips, or all other players lose their chips",
      "a specified amount of time hass passed",
      "a specified number of dealing rounds have been completed"};
  std::vector<std::string> keys{"", "L", "T", "D"};
  const int row = prompts_.Menu("The game is over when ", items, keys, 3, s.GameEndRule, 0, true);
  if (row < 1) return false;
  if (row != s.GameEndRule) s.GameEndAmount = row == kEndOnMinutes ? 120 : 10;
  s.GameEndRule = static_cast<std::int16_t>(row);
  if (row == kEndOnMinutes) {
    const auto minutes = prompts_.InputNumber("How many minutes would you like the game to last?",
                                              5, 1000, s.GameEndAmount, 0, 10);
    if (minutes < 0) return false;
    s.GameEndAmount = minutes;
  } else if (row == kEndOnDealingRounds) {
    const auto rounds = prompts_.InputNumber("How many dealing rounds will there be in the game?",
                                             1, 1000, s.GameEndAmount, 0, 5);
    if (rounds < 0) return false;
    s.GameEndAmount = rounds;
  }
  return true;
}

void TableSetup::StoreSetup() {
  const TableSetupRecord record = TableSetupRecordOf(table_);
  std::string error;
  if (!SaveTableSetup(setupFile_, record, error)) {
    // The table is still playable; the player only loses the remembered answers.
    speech_.speak("The table setup could not be saved: " + error);
  }
}

void TableSetup::SeatPlayers() {
  Players& p = table_.players;
  for (int seat = 1; seat <= table_.PlayerCount; ++seat) {
    p.Intelligence[seat] = static_cast<float>(game_.Rnd());
    p.Aggressiveness[seat] = static_cast<float>(game_.Rnd());
    p.Bluffing[seat] = static_cast<float>(game_.Rnd());
    p.RiskTaker[seat] = static_cast<float>(game_.Rnd());
    p.Chips[seat] = table_.settings.StartingChips;
  }
  table_.Dealer = static_cast<std::int16_t>(std::floor(game_.Rnd() * table_.PlayerCount));
  table_.RoundEndSeat = table_.Dealer == 0 ? table_.PlayerCount : table_.Dealer;
  if (table_.Dealer == 0) speech_.speak("???You win the deal");
}

bool TableSetup::SetupTable() {
  table_.ElapsedSeconds = 0;
  table_.DealerRounds = 0;
  table_.LeftTableCount = 0;
  table_.SavedTableReserved = 0;
  ReadLastSetup();
  if (table_.PlayerCount == 0) {
    SetDefaults(table_);
    for (int seat = 1; seat <= kMaxSeats; ++seat)
      table_.players.PlayerName[seat] = table_.DefaultName[seat];
  }
  if (!AskPlayerCount()) return Cancel();
  if (!AskNames()) return Cancel();
  if (!AskLimits()) return Cancel();
  const auto chips = prompts_.InputNumber("What is the starting number of chips for each player?",
                                          50, 10000000, table_.settings.StartingChips, 0, 500);
  if (chips < 0) return Cancel();
  table_.settings.StartingChips = chips;
  if (!AskEndRule()) return Cancel();
  StoreSetup();
  SeatPlayers();
  table_.ElapsedSeconds = 0;
  table_.TableSaved = false;
  return true;
}

}  // namespace corvane
