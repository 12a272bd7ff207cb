#include "app/help_reader.h"

#include <sys/stat.h>

#include <algorithm>

#include "app/line_reader.h"

namespace corvane {
namespace {

constexpr int kHelpFormatPage = 1;
constexpr int kHelpFormatText = 2;
// Said when the full help cannot be shown: the spoken help needs no other program.
constexpr const char* kKeysInstead = "Press Shift-F2 to hear the list of keys.";

// The texts of the built-in games, read by F2.
const std::vector<std::string> kSevenCardStudText{
    "Seven Card Stud is the most common form of stud poker. Each player pays an ante to the pot,  "
    "and are delt seven cards, two face-down, four dealt face up, and the final card dealt "
    "face-down.",
    "There is betting after every face up card dealt, and a final betting round after the last "
    "face down card. The player selects five cards of his seven cards to make their best poker "
    "hand.",
};
const std::vector<std::string> kFiveCardDrawText{
    "Five card Draw starts with everyone paying an ante, and is followed by five cards dealt out "
    "to each player.",
    "There is then a betting round. Players can then discard up to three of their least useful "
    "cards with the dealer replacing the discarded cards with new face-down cards from the deck.  "
    "There is then a final betting round. The five cards left in the player's had are used as the "
    "final poker hand.",
};
const std::vector<std::string> kFiveCardStudText{
    "Five card stud is very similar to Seven Card Stud. Players start by paying their ante. "
    "Players are then dealt One card face down and one card face up, and there is a betting round, "
    "followed by two cards dealt face up, followed by another betting round.",
    "Finally, there is one more card dealt face up, followed by the last betting round.",
};
const std::vector<std::string> kKingsAndLittleOnesText{
    "Kings and Little ones is a wild card version of Five Card Draw. Players must first pay an "
    "ante. The players are dealt five cards, and they can then discard up to three of their cards "
    "which they feel are not helping their hand.",
    "The players discarded cards are replaced with the same number of new cards from the deck. "
    "Note that Kings and the lowest card in the player's hand are wild. This works out well if you "
    "have at least a pair of low cards.",
    "A round of betting is performed after the initial five cards are dealt, and there is another "
    "betting round after the player draws their new cards.",
};
const std::vector<std::string> kFollowTheQueenText{
    "Follow the Queen is almost identical to Seven Card Stud, but with the use of wild cards. If a "
    "queen is dealt while dealing the face up cards, the  card dealt immediately after is also "
    "wild.",
    "This card is called the trailer.  All cards dealt that are queens or match the face of the "
    "trailer are also wild.",
    "Note that the trailer may change if another queen is dealt. You must pay a small amount to "
    "the pot if you are dealt a queen or a trailer. If the queen is played as the last face-up "
    "card, there are no trailers, which makes queens then the only wild cards. The player selects "
    "five cards of his seven cards to make their best poker hand.",
};
const std::vector<std::string> kTexasHoldemText{
    "Texas Holdem starts with the player to the left of the dealer, known as the small blind, "
    "placing his ante into the pot.",
    "The player to the left of the small blind, known as the big blind, then pays twice the ante "
    "to the pot.",
    "A betting round begins with the player to the left of the big blind,  with players who either "
    "call the big blind, raise the bet, or fold. Two cards are then dealt face-down to each "
    "player.",
    "Another betting round is performed. Three cards are dealt to the center of the table.These "
    "are shared cards and are referred to as the flop.",
    "Shared cards can be used by every player, and are available to be used in every player's "
    "hand. Another betting round ensues, followed by another shared face-up card dealt to the "
    "center of the table. This card will be referred to as the return. This is followed by another "
    "betting round.",
    "The last shared card, known as the river, is dealt to the center of the table. This is "
    "followed by the final betting round.",
    "Players can use the two face-down cards, or any of the five face-up shared caards to make "
    "their best five-card poker hand.",
};

std::string WithoutTrailingBlanks(const std::string& text) {
  const auto last = text.find_last_not_of(' ');
  return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

const std::vector<std::string>& KeystrokeLines() {
  static const std::vector<std::string> lines{
      "",
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
      "T, Talk: type a line that everyone at the table hears, when friends play with you.",
      "A, Raise the ante.",
      "Q, Quit the hand and shutdown the table without saving.",
      "Page Up/Page Down, Raise/Lower table sound volume",
      "Shift-Page Up/Page Down, Raise/Lower party background sound volume.",
      "Control-1, Switch to screen reader mode.",
      "Control-3, Switch to MS-Sapi mode.",
      "Control-0, Switch to no speech. Braille mode. Messages will be displayed in a text window.",
      "Control-Plus/Minus, Larger/Smaller letters in the text window.",
      "O, Adjust MS-Sapi settings.",
      "Control-Up/Down arrows, Browse through the recent history of the hand. Remembers the last " +
          std::to_string(kHistorySize) + " phrases spoken. ",
      "Note that most of the above commands are best used at the Check/Call/Raise/Fold prompt or "
      "at the end of the hand, but they can be used at anytime during the hand.",
  };
  return lines;
}

std::vector<std::string> DescriptionLines(const GameDefinition& game) {
  std::vector<std::string> lines{""};
  const auto add = [&lines](const std::vector<std::string>& texts) {
    lines.insert(lines.end(), texts.begin(), texts.end());
  };
  switch (game.GameCode) {
    case kSevenCardStud:
      add(kSevenCardStudText);
      break;
    case kFiveCardDraw:
      add(kFiveCardDrawText);
      break;
    case kFiveCardStud:
      add(kFiveCardStudText);
      break;
    case kKingsAndLittleOnes:
      add(kKingsAndLittleOnesText);
      break;
    case kFollowTheQueen:
      add(kFollowTheQueenText);
      break;
    case kTexasHoldem:
      add(kTexasHoldemText);
      break;
    case kCustomGame: {
      // A game file pads each line to its full width; the padding is not read out.
      const int count = std::clamp<int>(game.DescriptionCount, 0, kMaxDescriptionLines);
      for (int i = 1; i <= count; ++i) {
        lines.push_back(WithoutTrailingBlanks(game.Description[static_cast<std::size_t>(i)]));
      }
      break;
    }
    default:
      break;
  }
  return lines;
}

HelpReader::HelpReader(Speech& speech, Prompts& prompts, std::string programFolder)
    : speech_(speech), prompts_(prompts), programFolder_(std::move(programFolder)) {}

int HelpReader::ChooseHelpFormat() {
  std::vector<std::string> items{"", "Help in Windows Help format, W",
                                 "Help in Notepad Text format"};
  std::vector<std::string> keys{"", "W", "T"};
  const int choice = prompts_.Menu("What Help format would you like?", items, keys, 2, 1, 0, true);
  if (choice == kHelpFormatPage) {
    prompts_.Wait(0.5, true);
    OpenHelpFile(kHelpPage);
  } else if (choice == kHelpFormatText) {
    OpenHelpFile(kHelpText);
  }
  return choice;
}

void HelpReader::OpenHelpFile(const std::string& name) {
  const std::string path = programFolder_ + name;
  if (!IsRegularFile(path)) {
    speech_.speak("The help file " + name + " could not be found in the folder " + programFolder_ +
                  ". " + kKeysInstead);
    return;
  }
  if (!prompts_.keyboard().host().OpenDocument(path)) {
    speech_.speak("The help file " + name +
                  " could not be opened: there is no program to show it, or it failed to start. " +
                  kKeysInstead);
  }
}

void HelpReader::ReadHelp(int kind, const GameDefinition& game) {
  if (kind == 1) {
    speech_.speak("Corvane. Use arrows to review keystrokes , and escape to exit.");
    ReadLines(KeystrokeLines());
    return;
  }
  speech_.speak("Description of Game - use arrows to read and Escape to exit.");
  std::vector<std::string> lines = DescriptionLines(game);
  if (game.GameCode == kCustomGame && lines.size() <= 1) {
    speech_.speak("There is no description for this game.");
  }
  ReadLines(std::move(lines));
}

void HelpReader::ReadLines(std::vector<std::string> lines) {
  if (lines.empty()) lines.emplace_back();
  // One empty line after the last filled one.
  lines.emplace_back();
  // The help's lines are said without a marker, so they enter the phrase history.
  corvane::ReadLines(prompts_.keyboard(), speech_, lines, LineHistory::kRecorded);
}

}  // namespace corvane
