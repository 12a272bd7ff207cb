#include "app/table_play.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <numeric>

#include "store/file_names.h"
#include "table/load_game_definition.h"

namespace corvane {
namespace fs = std::filesystem;

namespace {

struct Row {
  std::string text;
  int key = 0;
  int choice = 0;  // 1..6 a built-in game, 7 custom games, 0 the other rows
};

constexpr int kChoiceCustom = 20;

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

}  // namespace

TablePlay::TablePlay(Host& host, TableState& table, UserSettings& settings, Speech& speech,
                     Prompts& prompts, SoundEngine& sound, BackgroundSound& background,
                     Random& game, HandEngine& engine, Narration& narration, const Seating& seating,
                     std::string dataFolder, TableServices& services)
    : host_(host),
      table_(table),
      settings_(settings),
      speech_(speech),
      prompts_(prompts),
      sound_(sound),
      background_(background),
      game_(game),
      engine_(engine),
      narration_(narration),
      seating_(seating),
      dataFolder_(std::move(dataFolder)),
      services_(services) {}

std::vector<std::string> TablePlay::ListCustomGames() const {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(dataFolder_, error)) {
    const std::string file = entry.path().filename().string();
    if (file.size() <= 4 || Upper(file.substr(file.size() - 4)) != ".GAM") continue;
    if (!entry.is_regular_file(error)) continue;
    names.push_back(file.substr(0, file.size() - 4));
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return Upper(a) < Upper(b); });
  if (names.size() > kMaxCustomGames) names.resize(kMaxCustomGames);
  return names;
}

std::string TablePlay::GameFile(const std::string& name) const {
  // The list takes ".GAM" in any case, so the file is found the same way.
  return PathIgnoringCase(dataFolder_, name + ".gam");
}

bool TablePlay::BotDealsNext() const {
  return settings_.BotsDealersChoice && table_.Dealer >= 1 &&
         table_.Dealer <= table_.PlayerCount - 1;
}

TablePlay::MenuResult TablePlay::GameSelectionMenu() {
  std::vector<Row> rows{Row{}};
  auto add = [&](std::string text, int key, int choice) {
    rows.push_back(Row{std::move(text), key, choice});
  };
  if (BotDealsNext()) {
    add("Deal New Hand, D", 'D', 1);
  } else {
    add("Seven Card Stud, S", 'S', 1);
    add("Draw Poker (Five Card), D", 'D', 2);
    add("Five Card Stud, F", 'F', 3);
    add("Kings and Little Ones Draw Poker, K", 'K', 4);
    add("Follow The Queen Stud Poker, Q", 'Q', 5);
    add("Texas Holdem, T", 'T', 6);
    add("Play Custom Built Poker games, P", 'P', 7);
  }
  add("Save Table, and Return to Main Menu, A", 'A', 0);
  add("Main Menu, M ", 'M', 0);
  add("Help, F1", 'H', 0);
  add("Game  Settings, G", 'G', 0);
  speech_.speak("Game Selection Menu");
  int current = 1;
  speech_.speak(rows[current].text);
  std::vector<MenuRow> menu;
  for (const Row& row : rows) menu.push_back({row.text, row.key});
  while (true) {
    const RowAnswer answer = prompts_.ChooseRow(menu, current, RowKeys::AsPressed);
    if (answer.row == 0) {
      // Shift with Page Up and Page Down set the party's volume here too; any other key says the
      // row again.
      if (answer.key == CommandKeyOf(kShift, kKeyPageUp)) {
        background_.ChangePartyVolume(settings_, 200);
      } else if (answer.key == CommandKeyOf(kShift, kKeyPageDown)) {
        background_.ChangePartyVolume(settings_, -200);
      }
      speech_.StopSpeech();
      speech_.speak(rows[current].text);
      continue;
    }
    const Row& row = rows[current];
    if (row.choice >= 1 && row.choice <= 6) {
      return StartGame(row.choice) ? MenuResult::Play : MenuResult::Rebuild;
    }
    switch (row.key) {
      case 'P': {
        const int choice = CustomGameMenu();
        if (choice == 0) return MenuResult::Rebuild;
        return StartGame(choice) ? MenuResult::Play : MenuResult::Rebuild;
      }
      case 'A':
        if (services_.SaveTable()) {
          speech_.speak("The table has been saved.");
          return MenuResult::Leave;
        }
        break;
      case 'M':
        if (table_.TableSaved) return MenuResult::Leave;
        if (prompts_.AskYesNo(
                "Are you sure you would like to lose any changes to the current  table?", kAnswerNo,
                true) == kAnswerYes) {
          services_.DeleteSavedTable(true);
          return MenuResult::Leave;
        }
        return MenuResult::Rebuild;
      case 'H':
        services_.ChooseHelpFormat();
        break;
      case 'G':
        services_.AskGameSettings();
        return MenuResult::Rebuild;
      default:
        break;
    }
    speech_.speak(rows[current].text);
  }
}

int TablePlay::CustomGameMenu() {
  while (true) {
    customGames_ = ListCustomGames();
    if (customGames_.empty()) {
      speech_.speak("There are no custom games yet. Build one from the main menu.");
      return 0;
    }
    std::vector<std::string> items{""};
    std::vector<std::string> keys{""};
    for (const std::string& name : customGames_) {
      items.push_back(name);
      keys.push_back(name.substr(0, 1));
    }
    const int count = static_cast<int>(customGames_.size());
    const int choice = prompts_.Menu(
        "Custom Poker Game Menu. Press Enter to select, or the delete key to remove. Press "
        "Escape to return.",
        items, keys, count, 1, kMenuDelete, true);
    if (choice == 0) return 0;
    if (choice < 0) {
      const std::string& name = customGames_[static_cast<std::size_t>(-choice - 1)];
      if (prompts_.AskYesNo("Are you sure you would like to remove " + name + "?", kAnswerNo,
                            true) == kAnswerYes) {
        std::error_code error;
        fs::remove(GameFile(name), error);
      }
      continue;
    }
    gameFile_ = GameFile(customGames_[static_cast<std::size_t>(choice - 1)]);
    return kChoiceCustom;
  }
}

void TablePlay::DealerChoosesGame(int& choice) {
  const int dealer = table_.Dealer >= table_.PlayerCount ? 1 : table_.Dealer + 1;
  Listener* person = seating_.ListenerAt(dealer);
  // A friend whose program is gone has a bot deal for them.
  if (person == nullptr || dealer == kHostSeat || seating_.BotPlays(dealer)) {
    BotChoosesGame(choice);
    return;
  }
  try {
    choice = PersonChoosesGame(person->Questions());
  } catch (const PersonGone&) {
    BotChoosesGame(choice);
  }
}

int TablePlay::PersonChoosesGame(Prompts& prompts) {
  std::vector<std::string> items{"",
                                 "Seven Card Stud, S",
                                 "Draw Poker (Five Card), D",
                                 "Five Card Stud, F",
                                 "Kings and Little Ones Draw Poker, K",
                                 "Follow The Queen Stud Poker, Q",
                                 "Texas Holdem, T"};
  std::vector<std::string> keys{"", "S", "D", "F", "K", "Q", "T"};
  for (;;) {
    const int choice = prompts.Menu("The deal goes to you. Which game will you deal?", items, keys,
                                    6, 1, 0, false);
    if (choice >= 1 && choice <= 6) return choice;
  }
}

void TablePlay::BotChoosesGame(int& choice) {
  customGames_ = ListCustomGames();
  const float count = static_cast<float>(customGames_.size());
  const float r = static_cast<float>(game_.Rnd());
  if (count >= 1 && count / (count + 6) >= r) {
    const auto pick = static_cast<std::size_t>(std::floor(game_.Rnd() * count));
    gameFile_ = GameFile(customGames_[std::min(pick, customGames_.size() - 1)]);
    choice = kChoiceCustom;
  } else {
    choice = static_cast<int>(std::floor(game_.Rnd() * 6)) + 1;
  }
}

bool TablePlay::StartGame(int choice) {
  if (BotDealsNext()) DealerChoosesGame(choice);
  const int code = choice + 10;
  if (!LoadGameDefinition(table_.game, code, gameFile_)) {
    SayDamagedGameFile();
    return false;
  }
  engine_.ClearForNewGame();
  PlayLoop();
  return true;
}

void TablePlay::SayDamagedGameFile() {
  narration_.Say(Audience::Everyone(), "The game file " + fs::path(gameFile_).stem().string() +
                                           " could not be read. It may be damaged.");
}

void TablePlay::PlayLoop() {
  for (;;) {
    const NextHand next = engine_.DealNextHand();
    if (!table_.GameOver && next == NextHand::DealersChoice) {
      int choice = 1;
      DealerChoosesGame(choice);
      if (!LoadGameDefinition(table_.game, choice + 10, gameFile_)) {
        // A damaged custom game: the player hears why, and the bot deals a built-in game instead.
        SayDamagedGameFile();
        LoadGameDefinition(table_.game, static_cast<int>(std::floor(game_.Rnd() * 6)) + 11, "");
      }
      engine_.ClearForNewGame();
    }
    if (table_.GameOver || GameEndReached()) return;
    if (next != NextHand::SameGame && next != NextHand::DealersChoice) return;
  }
}

bool TablePlay::GameEndReached() {
  const GameSettings& s = table_.settings;
  std::string message;
  if (s.GameEndRule == kEndOnMinutes && table_.ElapsedSeconds > 60LL * s.GameEndAmount) {
    message = "The " + std::to_string(s.GameEndAmount) + " minute game time is up.";
  } else if (s.GameEndRule == kEndOnDealingRounds &&
             ((table_.Dealer == table_.RoundEndSeat && table_.DealerRounds >= s.GameEndAmount) ||
              table_.DealerRounds > s.GameEndAmount)) {
    message = "The " + std::to_string(s.GameEndAmount) + " dealer rounds has been reached.";
  } else {
    return false;
  }
  ShowStandings(message);
  OfferAttributes();
  services_.DeleteSavedTable(false);
  table_.GameOver = true;
  return true;
}

void TablePlay::WaitForSound(std::int16_t index) {
  while (sound_.IsPlaying(index)) prompts_.Wait(0.02, true);
}

void TablePlay::ShowStandings(const std::string& message) {
  std::vector<int> order(static_cast<std::size_t>(table_.PlayerCount));
  std::iota(order.begin(), order.end(), 1);
  std::vector<std::int32_t> chips;
  for (int seat : order) chips.push_back(table_.players.Chips[seat]);
  for (std::size_t i = 0; i + 1 < order.size(); ++i) {
    for (std::size_t j = i + 1; j < order.size(); ++j) {
      if (chips[i] < chips[j]) {
        std::swap(chips[i], chips[j]);
        std::swap(order[i], order[j]);
      }
    }
  }
  bool firstTime = true;
  do {
    const Audience everyone = Audience::Everyone();
    narration_.Say(everyone, "The game is now over. " + message);
    narration_.Say(everyone, "The winner is " + table_.players.PlayerName[order[0]] + " with " +
                                 std::to_string(chips[0]));
    if (order[0] == kHostSeat && firstTime) {
      prompts_.Pause(PauseOf::Play, 2);
      WaitForSound(sound_.PlaySound("congratz.wav"));
    }
    firstTime = false;
    narration_.Say(everyone, "The remainingg players' standings  are as follows");
    for (std::size_t i = 1; i < order.size(); ++i) {
      narration_.Say(everyone,
                     table_.players.PlayerName[order[i]] + " has " + std::to_string(chips[i]));
    }
  } while (prompts_.AskYesNo("Would you like these standings repeated?", kAnswerYes, true) ==
           kAnswerYes);
}

void TablePlay::OfferAttributes() {
  while (prompts_.AskYesNo("Would you like to view the players' attributes?", kAnswerNo, false) ==
         kAnswerYes) {
    for (int i = 1; i <= table_.LeftTableCount; ++i) speech_.speak(table_.LeftTable[i]);
    for (int seat = 2; seat <= table_.PlayerCount; ++seat)
      speech_.speak(AttributeText(table_, seat));
  }
}

void TablePlay::UserWins() {
  prompts_.Pause(PauseOf::Play, 3);
  speech_.speak("Congratulations! You are the big winner.");
  prompts_.Pause(PauseOf::Play, 2);
  WaitForSound(sound_.PlaySound("congratz.wav"));
  OfferAttributes();
  services_.DeleteSavedTable(false);
}

void TablePlay::PlayTable() {
  background_.Replace("POKERPARTY.WAV", settings_.PartyVolume, kDSLoop | kDSClass3);
  host_.StartTimer(kShuffleTimer, 2.0);
  if (settings_.BotsDealersChoice) customGames_ = ListCustomGames();
  while (true) {
    const MenuResult result = GameSelectionMenu();
    if (result == MenuResult::Leave) return;
    if (result == MenuResult::Rebuild) continue;
    if (table_.GameOver) return;
    if (table_.PlayerCount == 1) {
      UserWins();
      return;
    }
  }
}

}  // namespace corvane
