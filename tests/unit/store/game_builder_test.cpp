// The custom game builder: its questions in order with their skips, the wild-card pick list, and
// the .gam file it writes.
#include "store/game_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "store/atomic_file.h"
#include "table/gam_file.h"
#include "test_folder.h"
#include "unit/gamefile/gam_bytes.h"
#include "unit/speech/speech_fixture.h"

namespace corvane::testing {
namespace {

class GameBuilderTest : public SpeechFixture {
 protected:
  GameBuilderTest() {
    game.GameCode = kSevenCardStud;
    game.GameName = "Seven Card Stud";
  }

  bool Build() { return builder.BuildGame(game); }

  std::string FileBytes(const GamBytes& bytes) const {
    return std::string(bytes.Bytes().begin(), bytes.Bytes().end());
  }

  bool Said(const std::string& line) const {
    return std::find(host.spoken.begin(), host.spoken.end(), line) != host.spoken.end();
  }
  int TimesSaid(const std::string& line) const {
    return static_cast<int>(std::count(host.spoken.begin(), host.spoken.end(), line));
  }

  GameDefinition game;
  TestFolder folder;
  std::string dataFolder = folder.File("");
  // The pick list's limit is the multi-select limit of round 0 of the current game.
  Prompts builderPrompts{keyboard, speech, [this] {
                           PromptContext context = Context();
                           context.maxDrawCards = [this] {
                             return int{game.Rounds[0].MaxDrawCards};
                           };
                           return context;
                         }()};
  TestFolder stock;
  GameBuilder builder{speech, builderPrompts, dataFolder, stock.File("")};
};

// Two rounds, one face up; no draws, no wild cards; one description line.
constexpr const char* kTwoRoundKeys =
    "Y "            // Okay to proceed?
    "2 Enter "      // cards in a hand
    "N "            // draws?
    "Y "            // a face-up card?
    "L "            // the player to the left of the dealer bets first
    "N "            // shared cards?
    "Y "            // an ante?
    "N "            // wild cards?
    "H I Enter "    // round 1 announcement
    "N "            // round 1 betting?
    "N "            // round 1 face up?
    "Enter "        // round 2 announcement (none)
    "Y "            // round 2 betting?
    "Y "            // round 2 face up?
    "Y "            // save?
    "T W O Enter "  // the name
    "F U N Enter "  // description line 1
    "Enter";        // end of the description

TEST_F(GameBuilderTest, AGameWithoutWildCardsIsWrittenByteForByte) {
  host.Keys(kTwoRoundKeys);
  EXPECT_TRUE(Build());
  GamBytes expected;
  expected.Text("TWO").Int(2).Int(0).Int(-1).Int(0).Int(0).Int(-1);
  expected.Round("HI", 0, 0, 0, 0, 0, 0).Round("", -1, -1, 0, 0, 0, 0);
  expected.Int(1).Text("FUN");
  EXPECT_EQ(folder.Read("TWO.gam"), FileBytes(expected));
  EXPECT_EQ(folder.Read("TWO.gam").size(), 518u);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"TWO.gam"});
  EXPECT_EQ(host.spoken.back(), "Game saved in " + dataFolder);
  EXPECT_EQ(game.GameName, "TWO");
  EXPECT_EQ(game.RoundCount, 2);
  EXPECT_FALSE(game.HighShowingBetsFirst);
  EXPECT_TRUE(game.Rounds[2].FaceUp);
}

TEST_F(GameBuilderTest, TheQuestionsComeInTheirOrder) {
  host.Keys(kTwoRoundKeys);
  EXPECT_TRUE(Build());
  const Lines questions{
      "Using a series of questions and pick lists, you can build your own poker game. This game "
      "can be saved for future use.",
      "Okay to proceed?",
      "How many cards are there in a hand? This does not include drawn cards.",
      "Will there be any draws?",
      "Will there be at least one face up card?",
      "Who bets first?",
      "Will there be community/shared cards?",
      "Will there be an ante?",
      "Will there be wild cards?",
      "You will now be assigning features to every round of cards dealt.",
      "Card round number 1",
      "Card round number 1. What announcement should be made at the start of this round? "
      "(optional)",
      "Will this be a betting round?",
      "Will this card be dealt face-up?",
      "Card round number 2",
      "Card round number 2. What announcement should be made at the start of this round? "
      "(optional)",
      "Will this be a betting round?",
      "Will this card be dealt face-up?",
      "Would you like to save this poker game?",
      "What would you like to name this game?",
      "Enter a description of the game. Leave line blank when done.",
      "Enter a description of the game. Leave line blank when done.",
  };
  // Every question is there, in this order.
  std::size_t at = 0;
  for (const auto& line : host.spoken) {
    if (at < questions.size() && line == questions[at]) ++at;
  }
  EXPECT_EQ(at, questions.size()) << "missing: " << questions[std::min(at, questions.size() - 1)];
  // The shared-card question of a round is only asked in games with shared cards.
  EXPECT_FALSE(Said("Will this be a shared community card?"));
  EXPECT_FALSE(
      Said("How many draws will there be after this round? (Enter 0 for no draw this "
           "round.)"));
  // The starting rows: Yes to proceed, 7 cards, No draws, Yes face up.
  EXPECT_EQ(host.spoken[2], "Yes");
  EXPECT_EQ(host.spoken[5], "7");
  EXPECT_EQ(host.spoken[8], "No");
  EXPECT_EQ(host.spoken[11], "Yes");
}

// Five cards, none face up; a draw of up to three after round 5; three wild cards.
constexpr const char* kWildDrawKeys =
    "Y 5 Enter "
    "Y "  // draws
    "N "  // no face-up card: no bets-first or shared questions
    "N "  // no ante
    "Y "  // wild cards
    "Space Down Down Down Down Space End Space Enter "  // Ace of Spades, Two of Spades, King of
                                                        // Diamonds
    "Y "                                                // these are the wild cards
    "Enter N Enter "                                    // round 1: no draw
    "Enter N Enter "                                    // round 2
    "Enter N Enter "                                    // round 3
    "Enter N Enter "                                    // round 4
    "Enter Y 1 Enter Enter Y "  // round 5: betting, one draw of 3, bet after
    "Y W I L D Enter Enter";

TEST_F(GameBuilderTest, AGameWithWildCardsAndADrawIsWrittenByteForByte) {
  host.Keys(kWildDrawKeys);
  EXPECT_TRUE(Build());
  GamBytes expected;
  expected.Text("WILD").Int(5).Int(-1).Int(0).Int(0).Int(0).Int(0);
  expected.Int(3).Int(1).Int(2).Int(52);
  for (int r = 1; r <= 4; ++r) expected.Round("", 0, 0, 0, 0, 0, 0);
  expected.Round("", -1, 0, 0, 1, 3, -1);
  expected.Int(0);
  EXPECT_EQ(folder.Read("WILD.gam"), FileBytes(expected));
  EXPECT_EQ(game.WildCount, 3);
  EXPECT_EQ(game.WildCards[3], 52);
}

TEST_F(GameBuilderTest, SkipsFollowTheAnswers) {
  host.Keys(kWildDrawKeys);
  EXPECT_TRUE(Build());
  EXPECT_FALSE(Said("Who bets first?"));
  EXPECT_FALSE(Said("Will there be community/shared cards?"));
  EXPECT_FALSE(Said("Will this card be dealt face-up?"));
  EXPECT_EQ(
      TimesSaid("How many draws will there be after this round? (Enter 0 for no draw this round.)"),
      5);
  // Only the round with a draw asks for its size and the betting after it.
  EXPECT_EQ(TimesSaid("What is the maximum number of cards per draw?"), 1);
  EXPECT_EQ(TimesSaid("Will there be betting after the draw?"), 1);
  EXPECT_TRUE(Said("Are these the wild cards you intended?(Press up and down arrows)"));
}

TEST_F(GameBuilderTest, TheFileReadsBackAsTheGameBuilt) {
  host.Keys(kWildDrawKeys);
  EXPECT_TRUE(Build());
  const auto read = ReadGamFile(folder.File("WILD.gam"));
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->GameName, "WILD");
  EXPECT_EQ(read->RoundCount, 5);
  EXPECT_TRUE(read->HasWildCards);
  EXPECT_FALSE(read->HasAnte);
  EXPECT_EQ(read->WildCount, 3);
  EXPECT_EQ(read->WildCards[1], 1);
  EXPECT_EQ(read->WildCards[2], 2);
  EXPECT_EQ(read->Rounds[5].Draws, 1);
  EXPECT_EQ(read->Rounds[5].MaxDrawCards, 3);
  EXPECT_TRUE(read->Rounds[5].BetAfterDraw);
  EXPECT_EQ(read->DescriptionCount, 0);
}

TEST_F(GameBuilderTest, ThePickListStartsWithTheAcesAndEscapeAsksAgain) {
  host.Keys("Y 1 Enter N N Y Y Down Down Down Down Esc Esc");
  EXPECT_FALSE(Build());
  const auto list = std::find(host.spoken.begin(), host.spoken.end(),
                              "Select or unselect wild cards with the space key. Pres Enter when "
                              "done.");
  ASSERT_NE(list, host.spoken.end());
  EXPECT_EQ(Lines(list + 1, list + 6), (Lines{"Ace of Spades", "Ace of Hearts", "Ace of Clubs",
                                              "Ace of Diamonds", "Two of Spades"}));
  // Escape in the list goes back to the wild-card question; Escape there stops.
  EXPECT_EQ(TimesSaid("Will there be wild cards?"), 2);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

TEST_F(GameBuilderTest, SixteenMarksAreTheMost) {
  std::string keys = "Y 1 Enter N N Y Y ";
  for (int i = 0; i < 16; ++i) keys += "Space Down ";
  keys += "Space Enter Y Enter N Y O N E Enter Enter";
  host.Keys(keys);
  EXPECT_TRUE(Build());
  EXPECT_TRUE(Said("You can only discard up to 16 cards."));
  EXPECT_EQ(game.WildCount, 16);
  // The confirmation lists the sixteen cards, then its two answers.
  const auto confirm =
      std::find(host.spoken.begin(), host.spoken.end(),
                "Are these the wild cards you intended?(Press up and down arrows)");
  ASSERT_NE(confirm, host.spoken.end());
  EXPECT_EQ(*(confirm + 1), "Ace of Spades");
  GamBytes expected;
  expected.Text("ONE").Int(1).Int(-1).Int(0).Int(0).Int(0).Int(-1).Int(16);
  // The first sixteen rows: the Aces to the Fours, each in Spades, Hearts, Clubs, Diamonds.
  for (int rank = 1; rank <= 4; ++rank) {
    for (int suit = 1; suit <= 4; ++suit) expected.Int((suit - 1) * 13 + rank);
  }
  expected.Round("", 0, 0, 0, 0, 0, 0).Int(0);
  EXPECT_EQ(folder.Read("ONE.gam"), FileBytes(expected));
}

TEST_F(GameBuilderTest, OnlyTheYesRowConfirmsTheWildCards) {
  // "No" goes back to the question; Enter with nothing marked asks again as well.
  host.Keys("Y 1 Enter N N Y Y Space Enter N Y Enter N Esc Esc");
  EXPECT_FALSE(Build());
  EXPECT_EQ(TimesSaid("Will there be wild cards?"), 3);
  EXPECT_FALSE(game.HasWildCards);
}

TEST_F(GameBuilderTest, NoToProceedStopsAtOnceButEscapeGoesOn) {
  host.Keys("N");
  EXPECT_FALSE(Build());
  EXPECT_EQ(host.spoken.back(), "No");
  EXPECT_EQ(game.GameName, "Seven Card Stud");
  host.ClearSpoken();
  host.Keys("Esc Esc");
  EXPECT_FALSE(Build());
  EXPECT_TRUE(Said("How many cards are there in a hand? This does not include drawn cards."));
}

TEST_F(GameBuilderTest, EscapeAtTheNameStopsWithoutSaving) {
  host.Keys("Y 1 Enter N N Y N Enter N Y Esc");
  EXPECT_FALSE(Build());
  EXPECT_EQ(host.spoken.back(), "No name was given. The game was not saved.");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

TEST_F(GameBuilderTest, AnEmptyOrBlankNameStopsWithoutSaving) {
  host.Keys("Y 1 Enter N N Y N Enter N Y Enter");
  EXPECT_FALSE(Build());
  EXPECT_EQ(host.spoken.back(), "The name is empty. The game was not saved.");
  host.Keys("Y 1 Enter N N Y N Enter N Y Space Space Enter");
  EXPECT_FALSE(Build());
  EXPECT_EQ(host.spoken.back(), "The name is empty. The game was not saved.");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

TEST_F(GameBuilderTest, DotNamesAreNoFileNames) {
  host.Keys("Y 1 Enter N N Y N Enter N Y Period Period Enter");
  EXPECT_FALSE(Build());
  EXPECT_EQ(host.spoken.back(),
            "The name .. cannot be used as a file name. The game was not saved.");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

TEST_F(GameBuilderTest, NameProblems) {
  EXPECT_EQ(GameNameProblem("***"), "No name was given.");
  EXPECT_EQ(GameNameProblem(""), "The name is empty.");
  EXPECT_EQ(GameNameProblem("   "), "The name is empty.");
  EXPECT_EQ(GameNameProblem(" . "), "The name . cannot be used as a file name.");
  EXPECT_EQ(GameNameProblem(".."), "The name .. cannot be used as a file name.");
  EXPECT_EQ(GameNameProblem("A/B"), "The name A/B cannot be used as a file name.");
  EXPECT_EQ(GameNameProblem(std::string(121, 'A')),
            "The name is too long: a game name may have at most 120 characters.");
  EXPECT_EQ(GameNameProblem(std::string(120, 'A')), "");
  EXPECT_EQ(GameNameProblem("..."), "");
  EXPECT_EQ(GameNameProblem("DEUCES WILD"), "");
}

TEST_F(GameBuilderTest, NoToSavingStopsBeforeTheName) {
  host.Keys("Y 1 Enter N N Y N Enter N N");
  EXPECT_FALSE(Build());
  EXPECT_FALSE(Said("What would you like to name this game?"));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

TEST_F(GameBuilderTest, EscapeAtARoundQuestionStops) {
  host.Keys("Y 2 Enter N Y F Y Y N Enter Y Esc");
  EXPECT_FALSE(Build());
  EXPECT_EQ(host.spoken.back(), "Yes");
  EXPECT_EQ(game.RoundCount, 2);
  EXPECT_TRUE(game.HighShowingBetsFirst);
  EXPECT_TRUE(game.HasShared);
  EXPECT_TRUE(game.Rounds[1].Betting);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

TEST_F(GameBuilderTest, EscapeAtTheDrawSizeStopsRatherThanKeepANegativeSize) {
  host.Keys("Y 1 Enter Y N Y N Enter N 2 Enter Esc");
  EXPECT_FALSE(Build());
  EXPECT_EQ(game.Rounds[1].Draws, 2);
  EXPECT_FALSE(Said("Will there be betting after the draw?"));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{});
}

TEST_F(GameBuilderTest, EscapeAtTheDrawCountMeansNoDraw) {
  host.Keys("Y 1 Enter Y N Y N Enter N Esc Y X Enter Enter");
  EXPECT_TRUE(Build());
  EXPECT_EQ(game.Rounds[1].Draws, -1);
  EXPECT_FALSE(Said("What is the maximum number of cards per draw?"));
  GamBytes expected;
  expected.Text("X").Int(1).Int(0).Int(0).Int(0).Int(0).Int(-1);
  expected.Round("", 0, 0, 0, -1, 0, 0).Int(0);
  EXPECT_EQ(folder.Read("X.gam"), FileBytes(expected));
}

TEST_F(GameBuilderTest, AGameOfTheSameNameIsReplacedWhateverTheCase) {
  folder.Write("two.gam", "old game");
  host.Keys(kTwoRoundKeys);
  EXPECT_TRUE(Build());
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"two.gam"});
  EXPECT_EQ(folder.Read("two.gam").size(), 518u);
  EXPECT_EQ(folder.Read("two.gam").substr(0, 3), "TWO");
}

TEST_F(GameBuilderTest, ADescriptionStopsAtFiftyThreeLines) {
  std::string keys = "Y 1 Enter N N Y N Enter N Y L O N G Enter ";
  for (int i = 0; i < 53; ++i) keys += "A Enter ";
  host.Keys(keys);
  EXPECT_TRUE(Build());
  EXPECT_TRUE(Said("The description is full at 53 lines; the game is saved with these lines."));
  EXPECT_EQ(TimesSaid("Enter a description of the game. Leave line blank when done."), 53);
  const std::string bytes = folder.Read("LONG.gam");
  // Name, six fields, one round, the count and 53 lines.
  ASSERT_EQ(bytes.size(), 120u + 12u + 132u + 2u + 53u * 120u);
  EXPECT_EQ(bytes.substr(264, 2), Bytes({53, 0}));
  EXPECT_EQ(bytes.substr(bytes.size() - 120, 1), "A");
  // The game reads back its first twenty lines.
  const auto read = ReadGamFile(folder.File("LONG.gam"));
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->DescriptionCount, 20);
  EXPECT_EQ(host.spoken.back(), "Game saved in " + dataFolder);
}

TEST_F(GameBuilderTest, EscapeEndsTheDescription) {
  host.Keys("Y 1 Enter N N Y N Enter N Y E Enter O N E Enter Esc");
  EXPECT_TRUE(Build());
  const std::string bytes = folder.Read("E.gam");
  ASSERT_EQ(bytes.size(), 120u + 12u + 132u + 2u + 120u);
  EXPECT_EQ(bytes.substr(266, 3), "ONE");
}

TEST_F(GameBuilderTest, AFailedWriteIsSaidAndLeavesTheOldGame) {
  folder.Write("TWO.gam", "the old game");
  FileCalls calls = SystemFileCalls();
  calls.write = [](int fd, const void* data, std::size_t size) -> ssize_t {
    if (size > 100) return ::write(fd, data, 100);
    errno = ENOSPC;
    return -1;
  };
  GameBuilder failing{speech, builderPrompts, dataFolder, stock.File(""),
                      [&](const std::string& path, std::string_view bytes, std::string& error) {
                        return WriteFileAtomically(path, bytes, error, calls);
                      }};
  host.Keys(kTwoRoundKeys);
  EXPECT_FALSE(failing.BuildGame(game));
  EXPECT_EQ(host.spoken.back(), "File save error: No space left on device");
  EXPECT_EQ(folder.Read("TWO.gam"), "the old game");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"TWO.gam"});
}

TEST_F(GameBuilderTest, BuiltBytesAreSerializeGamsForAShortDescription) {
  GameDefinition g;
  g.GameName = "DEUCES";
  g.RoundCount = 5;
  g.HasWildCards = true;
  g.WildCount = 4;
  g.WildCards = {0, 2, 15, 28, 41};
  g.Rounds[5].Betting = true;
  g.Rounds[5].Draws = 1;
  g.Rounds[5].MaxDrawCards = 3;
  g.DescriptionCount = 2;
  g.Description[1] = "Deuces are wild.";
  g.Description[2] = "Draw up to three.";
  const std::vector<unsigned char> serialized = SerializeGam(g);
  EXPECT_EQ(BuiltGameBytes(g, {"Deuces are wild.", "Draw up to three."}),
            std::string(serialized.begin(), serialized.end()));
}

}  // namespace
}  // namespace corvane::testing
