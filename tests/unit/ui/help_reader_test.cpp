// The help reader: the keystroke list and the game descriptions read with the arrows, and the
// help-format question that opens the full help.
#include "app/help_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/speech/speech_fixture.h"
#include "unit/store/test_folder.h"

namespace corvane::testing {
namespace {

const Lines kKeystrokes{
    "Shift-F2, List of keystrokes. (This Help).",
    "F1, Full Help.",
    "F2, Brief description of the current game.",
    "F3,       Review the game variables, such as maximum bet, ante amount, and so on.",
    "Tab, current status of the hand.",
    "C, Check or Call when prompted.",
    "R, Raise or bet when prompted.",
    "F, Fold when prompted.",
    "I, When prompted, declare that your chips are All-In. Available when running low on chips.",
    "J, K, L, Speak your previous, current, next cards in the order they were dealt.",
    "Left and Right arrows, if the option is on, it is the same as the J and L keys.",
    "D, Speak your down turned cards.",
    "U, Speak your up-turned cards.",
    "S, Summary of opponents up-turned cards.",
    "Shift-S, Details of opponents up-turned cards.",
    "H, Summary of your hand.",
    "W, Your chance of winning the hand, counting the cards you can see.",
    "E, Browse through your entire hand. Use the arrow keys.",
    "X, Examine all of the cards of all surviving players at the end of the hand.",
    "V, Read the last hand again, line by line with the arrows. During a hand, the hand so far.",
    "P, Number of chips in the pot.",
    "M, The number of chips you have. (Money)",
    "Shift-M, The number of chips your opponents have.",
    "G, Your statistics: hands played and won, at this table and over all tables.",
    "A, Raise the ante.",
    "Q, Quit the hand and shutdown the table without saving.",
    "Page Up/Page Down, Raise/Lower table sound volume",
    "Shift-Page Up/Page Down, Raise/Lower party background sound volume.",
    "Control-1, Switch to screen reader mode.",
    "Control-3, Switch to MS-Sapi mode.",
    "Control-0, Switch to no speech. Braille mode. Messages will be displayed in a text window.",
    "Control-Plus/Minus, Larger/Smaller letters in the text window.",
    "O, Adjust MS-Sapi settings.",
    "Control-Up/Down arrows, Browse through the recent history of the hand. Remembers the last 50 "
    "phrases spoken. ",
    "Note that most of the above commands are best used at the Check/Call/Raise/Fold prompt or at "
    "the end of the hand, but they can be used at anytime during the hand.",
};

class HelpReaderTest : public SpeechFixture {
 protected:
  GameDefinition Game(int code) {
    GameDefinition game;
    game.GameCode = static_cast<std::int16_t>(code);
    return game;
  }
  // The lines said after the reader's introduction.
  Lines AfterIntro() const { return Lines(host.spoken.begin() + 1, host.spoken.end()); }

  TestFolder folder;
  std::string programFolder = folder.File("");
  HelpReader reader{speech, prompts, programFolder};
};

TEST_F(HelpReaderTest, TheKeystrokeListWordForWord) {
  std::string keys;
  for (int i = 0; i < 36; ++i) keys += "Down ";
  host.Keys(keys + "Esc");
  reader.ReadHelp(1, Game(kSevenCardStud));
  ASSERT_FALSE(host.spoken.empty());
  EXPECT_EQ(host.spoken[0], "Corvane. Use arrows to review keystrokes , and escape to exit.");
  // Line 36 is the empty line after the list: nothing is heard there.
  EXPECT_EQ(AfterIntro(), kKeystrokes);
  EXPECT_EQ(KeystrokeLines().size(), 36u);
}

TEST_F(HelpReaderTest, TheFirstDownOrUpBothSayLineOne) {
  host.Keys("Down Esc");
  reader.ReadHelp(1, Game(kSevenCardStud));
  EXPECT_EQ(AfterIntro(), (Lines{"Shift-F2, List of keystrokes. (This Help)."}));
  host.ClearSpoken();
  host.Keys("Up Esc");
  reader.ReadHelp(1, Game(kSevenCardStud));
  EXPECT_EQ(AfterIntro(), (Lines{"Shift-F2, List of keystrokes. (This Help)."}));
}

TEST_F(HelpReaderTest, EndGoesToTheEmptyLineAfterTheListAndStaysThere) {
  host.Keys("End Down Up Home K L I J Right Left X Esc");
  reader.ReadHelp(1, Game(kSevenCardStud));
  EXPECT_EQ(AfterIntro(),
            (Lines{kKeystrokes[34], kKeystrokes[0], kKeystrokes[1], kKeystrokes[2], kKeystrokes[1],
                   kKeystrokes[0], kKeystrokes[1], kKeystrokes[0], kKeystrokes[0]}));
}

TEST_F(HelpReaderTest, LinesAreKeptInThePhraseHistoryAndSilencedOnEachKey) {
  host.Keys("Down Down Esc");
  reader.ReadHelp(1, Game(kSevenCardStud));
  EXPECT_EQ(speech.PhraseHistory[kHistorySize], "F1, Full Help.");
  // Every key silences what is being said before the next line.
  int stops = 0;
  for (const auto& call : engines.log) stops += call == "Stop" ? 1 : 0;
  EXPECT_EQ(stops, 2);
}

TEST_F(HelpReaderTest, AnyOtherKeyRepeatsTheLineAndNothingBeforeTheFirst) {
  host.Keys("X Down Tab Esc");
  reader.ReadHelp(1, Game(kSevenCardStud));
  EXPECT_EQ(AfterIntro(), (Lines{kKeystrokes[0], kKeystrokes[0]}));
  EXPECT_TRUE(dispatched.empty());
}

TEST_F(HelpReaderTest, SevenCardStudDescription) {
  host.Keys("Down Down Down Esc");
  reader.ReadHelp(0, Game(kSevenCardStud));
  EXPECT_EQ(
      host.spoken,
      (Lines{"Description of Game - use arrows to read and Escape to exit.",
             "Seven Card Stud is the most common form of stud poker. Each player pays an ante "
             "to the pot,  and are delt seven cards, two face-down, four dealt face up, and "
             "the final card dealt face-down.",
             "There is betting after every face up card dealt, and a final betting round "
             "after the last face down card. The player selects five cards of his seven "
             "cards to make their best poker hand."}));
}

TEST_F(HelpReaderTest, EveryBuiltInGameHasItsLines) {
  EXPECT_EQ(DescriptionLines(Game(kSevenCardStud)).size(), 3u);
  EXPECT_EQ(DescriptionLines(Game(kFiveCardDraw)).size(), 3u);
  EXPECT_EQ(DescriptionLines(Game(kFiveCardStud)).size(), 3u);
  EXPECT_EQ(DescriptionLines(Game(kKingsAndLittleOnes)).size(), 4u);
  EXPECT_EQ(DescriptionLines(Game(kFollowTheQueen)).size(), 4u);
  EXPECT_EQ(DescriptionLines(Game(kTexasHoldem)).size(), 8u);
  EXPECT_EQ(DescriptionLines(Game(kNoGame)).size(), 1u);
  EXPECT_EQ(DescriptionLines(Game(kTexasHoldem))[7],
            "Players can use the two face-down cards, or any of the five face-up shared caards to "
            "make their best five-card poker hand.");
  EXPECT_EQ(DescriptionLines(Game(kFiveCardDraw))[1],
            "Five card Draw starts with everyone paying an ante, and is followed by five cards "
            "dealt out to each player.");
  EXPECT_EQ(DescriptionLines(Game(kFollowTheQueen))[2],
            "This card is called the trailer.  All cards dealt that are queens or match the face "
            "of the trailer are also wild.");
}

TEST_F(HelpReaderTest, TexasHoldemEndIsTheEmptyLineAfterItsSeventh) {
  host.Keys("End Up Esc");
  reader.ReadHelp(0, Game(kTexasHoldem));
  EXPECT_EQ(AfterIntro(), (Lines{DescriptionLines(Game(kTexasHoldem))[7]}));
}

TEST_F(HelpReaderTest, ACustomGameWithoutADescriptionSaysSo) {
  host.Keys("Down Esc");
  reader.ReadHelp(0, Game(kCustomGame));
  EXPECT_EQ(host.spoken, (Lines{"Description of Game - use arrows to read and Escape to exit.",
                                "There is no description for this game."}));
}

TEST_F(HelpReaderTest, ACustomGameReadsItsOwnLinesWithoutTheirPadding) {
  GameDefinition game = Game(kCustomGame);
  game.DescriptionCount = 2;
  game.Description[1] = "Deuces are wild." + std::string(104, ' ');
  game.Description[2] = "  Draw up to three." + std::string(101, ' ');
  host.Keys("Down Down Down Home Esc");
  reader.ReadHelp(0, game);
  EXPECT_EQ(AfterIntro(), (Lines{"Deuces are wild.", "  Draw up to three.", "Deuces are wild."}));
}

TEST_F(HelpReaderTest, AnUnknownGameHasNoLines) {
  host.Keys("Down Up End Esc");
  reader.ReadHelp(0, Game(kNoGame));
  EXPECT_EQ(host.spoken, (Lines{"Description of Game - use arrows to read and Escape to exit."}));
}

TEST_F(HelpReaderTest, TheReaderGivesTheKeyboardBackAsItFoundIt) {
  keyboard.InputWaiting = false;
  host.Keys("Down Esc");
  reader.ReadHelp(1, Game(kSevenCardStud));
  EXPECT_FALSE(keyboard.InputWaiting);
  EXPECT_EQ(keyboard.KeyPressed, 0);
}

TEST_F(HelpReaderTest, ChoosingTheWebPageOpensHelpHtml) {
  folder.Write("help.html", "<html></html>");
  folder.Write("Corvane.txt", "Corvane");
  host.Keys("W");
  EXPECT_EQ(reader.ChooseHelpFormat(), 1);
  EXPECT_EQ(host.spoken,
            (Lines{"What Help format would you like?", "Help in Windows Help format, W",
                   "Help in Windows Help format, W"}));
  EXPECT_EQ(host.documents, (Lines{programFolder + "help.html"}));
  // The half-second pause before the viewer opens.
  EXPECT_DOUBLE_EQ(host.pausedSeconds, 0.5);
}

TEST_F(HelpReaderTest, ChoosingTheTextOpensCorvaneTxt) {
  folder.Write("help.html", "<html></html>");
  folder.Write("Corvane.txt", "Corvane");
  host.Keys("Down Enter");
  EXPECT_EQ(reader.ChooseHelpFormat(), 2);
  EXPECT_EQ(host.documents, (Lines{programFolder + "Corvane.txt"}));
  host.Keys("T");
  EXPECT_EQ(reader.ChooseHelpFormat(), 2);
  EXPECT_EQ(host.documents.size(), 2u);
}

TEST_F(HelpReaderTest, EscapeOpensNothingAndCommandKeysAreOff) {
  folder.Write("help.html", "<html></html>");
  host.Keys("P Esc");
  EXPECT_EQ(reader.ChooseHelpFormat(), 0);
  EXPECT_TRUE(host.documents.empty());
  EXPECT_TRUE(dispatched.empty());
}

TEST_F(HelpReaderTest, AMissingHelpFileIsSaid) {
  host.Keys("T");
  reader.ChooseHelpFormat();
  EXPECT_TRUE(host.documents.empty());
  EXPECT_EQ(host.spoken.back(),
            "The help file Corvane.txt could not be found in the folder " + programFolder + ".");
}

TEST_F(HelpReaderTest, AViewerThatCannotStartIsSaid) {
  folder.Write("help.html", "<html></html>");
  host.openDocumentResult = false;
  host.Keys("W");
  reader.ChooseHelpFormat();
  EXPECT_EQ(host.documents.size(), 1u);
  EXPECT_EQ(host.spoken.back(),
            "The help file help.html could not be opened: no program to show it could be "
            "started.");
}

TEST_F(HelpReaderTest, TheShippedHelpFilesAreFound) {
  HelpReader shipped{speech, prompts, std::string(CORVANE_SOURCE_DIR) + "/assets/help/"};
  host.Keys("W T");
  shipped.ChooseHelpFormat();
  shipped.ChooseHelpFormat();
  EXPECT_EQ(host.documents, (Lines{std::string(CORVANE_SOURCE_DIR) + "/assets/help/help.html",
                                   std::string(CORVANE_SOURCE_DIR) + "/assets/help/Corvane.txt"}));
}

}  // namespace
}  // namespace corvane::testing
