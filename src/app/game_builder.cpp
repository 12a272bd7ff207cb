#include "app/game_builder.h"

#include <algorithm>

#include "store/atomic_file.h"
#include "store/byte_fields.h"
#include "store/file_names.h"
#include "table/card.h"
#include "table/codepage.h"
#include "table/gam_file.h"
#include "table/load_game_definition.h"

namespace corvane {
namespace {

constexpr int kDeckSize = 52;
constexpr int kSuits = 4;
constexpr const char* kGameFileEnding = ".gam";

// The wild-card pick list: ranks from Ace to King, each in the suits Spades, Hearts, Clubs and
// Diamonds. Row k (from 1) holds this card.
CardNumber PickListCard(int row) {
  const int rank = (row - 1) / kSuits + 1;
  const int suit = (row - 1) % kSuits + 1;
  return MakeCard(suit, rank);
}

}  // namespace

std::string BuiltGameBytes(const GameDefinition& game,
                           const std::vector<std::string>& description) {
  GameDefinition fields = game;
  fields.DescriptionCount = 0;
  const std::vector<unsigned char> serialized = SerializeGam(fields);
  // SerializeGam ends with a description count of 0; the builder's own lines take its place.
  std::string bytes(serialized.begin(), serialized.end() - 2);
  const int lines = std::min<int>(static_cast<int>(description.size()), kMaxBuiltDescriptionLines);
  ByteWriter out;
  out.Int16(static_cast<std::int16_t>(lines));
  for (int i = 0; i < lines; ++i) out.Text(description[static_cast<std::size_t>(i)], kGamTextSize);
  return bytes + out.bytes();
}

std::string GameNameProblem(std::string_view name) {
  if (name == kEscapedText) return "No name was given.";
  const std::string trimmed = TrimBlanks(name);
  if (trimmed.empty()) return "The name is empty.";
  // A name of dots and blanks alone would name a folder or a hidden file.
  if (trimmed.find_first_not_of(". ") == std::string::npos ||
      trimmed.find('/') != std::string::npos) {
    return "The name " + trimmed + " cannot be used as a file name.";
  }
  if (Utf8ToCp1252(trimmed).size() > kGamTextSize) {
    return "The name is too long: a game name may have at most " + std::to_string(kGamTextSize) +
           " characters.";
  }
  return {};
}

GameBuilder::GameBuilder(Speech& speech, Prompts& prompts, std::string dataFolder,
                         std::string stockFolder)
    : speech_(speech),
      prompts_(prompts),
      dataFolder_(std::move(dataFolder)),
      stockFolder_(std::move(stockFolder)) {}

int GameBuilder::YesNo(const std::string& question, bool startOnYes) {
  return prompts_.AskYesNo(question, startOnYes ? kAnswerYes : kAnswerNo, true);
}

bool GameBuilder::BuildGame(GameDefinition& game) {
  speech_.speak(
      "Using a series of questions and pick lists, you can build your own poker game. This game "
      "can be saved for future use.");
  if (YesNo("Okay to proceed?", true) == kAnswerNo) return false;

  ClearGameRounds(game);
  game.RoundCount = kMaxRounds;

  bool anyDraws = false;
  if (!AskGameQuestions(game, anyDraws)) return false;
  if (!AskWildCards(game)) return false;
  speech_.speak("You will now be assigning features to every round of cards dealt.");
  if (!AskRounds(game, anyDraws)) return false;

  if (YesNo("Would you like to save this poker game?", true) != kAnswerYes) return false;
  const std::string name = AskName();
  if (name.empty()) return false;
  game.GameName = name;

  const std::vector<std::string> description = AskDescription();
  // A game of the same name, whatever the case of its file name, is replaced.
  const std::string path = PathIgnoringCase(dataFolder_, game.GameName + kGameFileEnding);
  std::string error;
  if (!WriteFileAtomically(path, BuiltGameBytes(game, description), error)) {
    speech_.speak("File save error: " + error);
    return false;
  }
  speech_.speak("Game saved in " + dataFolder_);
  return true;
}

bool GameBuilder::AskGameQuestions(GameDefinition& game, bool& anyDraws) {
  // The number prompt keeps its question out of the phrase history by itself.
  const std::int32_t rounds =
      prompts_.InputNumber("How many cards are there in a hand? This does not include drawn cards.",
                           1, kMaxRounds, kMaxRounds, 0, 1);
  if (rounds == -1) return false;
  game.RoundCount = static_cast<std::int16_t>(rounds);

  int answer = YesNo("Will there be any draws?", false);
  if (answer == kAnswerEscape) return false;
  anyDraws = answer == kAnswerYes;

  answer = YesNo("Will there be at least one face up card?", true);
  if (answer == kAnswerEscape) return false;
  game.HasFaceUp = answer == kAnswerYes;

  if (game.HasFaceUp) {
    std::vector<std::string> items{"", "Hi face-up bets first",
                                   "Player to the left of the dealer bets first"};
    std::vector<std::string> keys{"", "F", "L"};
    const int row = prompts_.Menu("???Who bets first?", items, keys, 2, 1, 0, true);
    if (row == kAnswerEscape) return false;
    game.HighShowingBetsFirst = row == 1;

    answer = YesNo("Will there be community/shared cards?", true);
    if (answer == kAnswerEscape) return false;
    game.HasShared = answer == kAnswerYes;
  }

  answer = YesNo("Will there be an ante?", true);
  if (answer == kAnswerEscape) return false;
  game.HasAnte = answer == kAnswerYes;
  return true;
}

bool GameBuilder::AskWildCards(GameDefinition& game) {
  for (;;) {
    const int answer = YesNo("Will there be wild cards?", true);
    if (answer == kAnswerEscape) return false;
    if (answer == kAnswerNo) {
      game.HasWildCards = false;
      return true;
    }
    game.HasWildCards = true;

    std::vector<std::string> items(kDeckSize + 1);
    std::vector<std::string> keys(kDeckSize + 1);
    for (int row = 1; row <= kDeckSize; ++row) {
      items[static_cast<std::size_t>(row)] = CardName(PickListCard(row), 0);
    }
    const int marked =
        prompts_.Menu("Select or unselect wild cards with the space key. Pres Enter when done.",
                      items, keys, kDeckSize, 1, kMenuMultiSelect, true, kMaxPickedWildCards);
    // Escape, and Enter with no card marked, ask again: a game with wild cards names at least one.
    if (marked <= 0) continue;

    std::vector<CardNumber> chosen;
    for (int row = 1; row <= kDeckSize; ++row) {
      if (keys[static_cast<std::size_t>(row)] == "*") chosen.push_back(PickListCard(row));
    }
    if (chosen.empty()) continue;
    if (static_cast<int>(chosen.size()) > kMaxPickedWildCards) {
      speech_.speak("You are limited to 16 wildcards. Pleas re-enter.");
      continue;
    }
    game.WildCount = static_cast<std::int16_t>(chosen.size());
    for (std::size_t i = 0; i < chosen.size(); ++i) game.WildCards[i + 1] = chosen[i];

    std::vector<std::string> rows{""};
    std::vector<std::string> rowKeys{""};
    for (CardNumber card : chosen) {
      rows.push_back(CardName(card, 0));
      rowKeys.emplace_back();
    }
    rows.emplace_back("yes");
    rowKeys.emplace_back("Y");
    rows.emplace_back("No");
    rowKeys.emplace_back("N");
    const int count = static_cast<int>(rows.size()) - 1;
    const int confirmed =
        prompts_.Menu("Are these the wild cards you intended?(Press up and down arrows)", rows,
                      rowKeys, count, 1, 0, true);
    if (confirmed == count - 1) return true;
  }
}

bool GameBuilder::AskRounds(GameDefinition& game, bool anyDraws) {
  for (int i = 1; i <= game.RoundCount; ++i) {
    CardRound& round = game.Rounds[static_cast<std::size_t>(i)];
    const std::string number = std::to_string(i);
    speech_.speak("Card round number " + number);
    // Stored as typed: empty for no announcement (Escape gives "***", which is never heard).
    round.Announcement = prompts_.InputText(
        "Card round number " + number +
            ". What announcement should be made at the start of this round? (optional)",
        "", 0);

    int answer = YesNo("Will this be a betting round?", false);
    if (answer == kAnswerEscape) return false;
    round.Betting = answer == kAnswerYes;

    if (game.HasFaceUp) {
      answer = YesNo("Will this card be dealt face-up?", true);
      if (answer == kAnswerEscape) return false;
      round.FaceUp = answer == kAnswerYes;
      if (round.FaceUp && game.HasShared) {
        answer = YesNo("Will this be a shared community card?", true);
        if (answer == kAnswerEscape) return false;
        round.Shared = answer == kAnswerYes;
      }
    }

    if (anyDraws) {
      // Escape gives -1: no draw after this round.
      round.Draws = static_cast<std::int16_t>(prompts_.InputNumber(
          "How many draws will there be after this round? (Enter 0 for no draw this round.)", 0, 5,
          0, 0, 1));
      if (round.Draws > 0) {
        const std::int32_t most =
            prompts_.InputNumber("What is the maximum number of cards per draw?", 1, 5, 3, 0, 1);
        // A draw of at most -1 cards could never be read back: Escape stops here as elsewhere.
        if (most == -1) return false;
        round.MaxDrawCards = static_cast<std::int16_t>(most);
        answer = YesNo("Will there be betting after the draw?", true);
        if (answer == kAnswerEscape) return false;
        round.BetAfterDraw = answer == kAnswerYes;
      }
    }
  }
  return true;
}

std::string GameBuilder::AskName() {
  for (;;) {
    const std::string typed = prompts_.InputText("What would you like to name this game?", "", 0);
    if (const std::string problem = GameNameProblem(typed); !problem.empty()) {
      speech_.speak(problem + " The game was not saved.");
      return {};
    }
    std::string name = TrimBlanks(typed);
    // The games that come with the program keep their names: a game of the user under one of them
    // would hide that game, or be taken for it.
    if (!FileExistsIgnoringCase(stockFolder_, name + kGameFileEnding)) return name;
    speech_.speak("There is already a game called " + name +
                  " that comes with the program. Please choose another name.");
  }
}

std::vector<std::string> GameBuilder::AskDescription() {
  std::vector<std::string> lines;
  for (;;) {
    const std::string line =
        prompts_.InputText("Enter a description of the game. Leave line blank when done.", "", 0);
    // Escape ends the description as a blank line does.
    if (line == kEscapedText || TrimBlanks(line).empty()) break;
    lines.push_back(line);
    if (static_cast<int>(lines.size()) == kMaxBuiltDescriptionLines) {
      speech_.speak("The description is full at " + std::to_string(kMaxBuiltDescriptionLines) +
                    " lines; the game is saved with these lines.");
      break;
    }
  }
  return lines;
}

}  // namespace corvane
