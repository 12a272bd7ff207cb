#include "app/bench_tables.h"

#include <fmt/format.h>

#include <array>

namespace corvane {

namespace {

// The user's ways of betting: every table answers each betting turn with one of them.
constexpr std::string_view kCalls = "on What would you like to do? => Enter\n";
// The second row is Raise when a raise is allowed, else All-In or Fold.
constexpr std::string_view kRaises = "on What would you like to do? => Down Enter\n";
// The last row is Fold when there is a bet to call, else Raise when a raise is allowed.
constexpr std::string_view kFoldsToBets = "on What would you like to do? => End Enter\n";

// The keys that answer the game settings questions with the bots' dealer's choice on and the
// normal pace, then deal.
constexpr std::string_view kDealersChoice = "G Y N N N Y D";

constexpr std::array kTables{
    BenchTable{"Seven Card Stud", 11, 7, 50000, 20, "S", kCalls},
    BenchTable{"Draw Poker (Five Card)", 12, 5, 40000, 30, "D", kRaises},
    BenchTable{"Five Card Stud", 13, 2, 1000, 60, "F", kFoldsToBets},
    BenchTable{"Kings and Little Ones", 14, 6, 100000, 25, "K", kCalls},
    BenchTable{"Follow the Queen", 15, 4, 50000, 40, "Q", kRaises},
    BenchTable{"Texas Holdem", 16, 7, 1000000, 24, "T", kFoldsToBets},
    BenchTable{"Twos Wild Draw", 17, 3, 20000, 50, "P T", kCalls},
    BenchTable{"Village Green", 18, 4, 10000, 40, "P V", kFoldsToBets},
    BenchTable{"Winking Jacks", 19, 5, 10000, 30, "P W", kRaises},
    BenchTable{"Dealer's choice", 20, 6, 100000, 25, kDealersChoice, kCalls},
};

// A number typed key by key: "1 2 0".
std::string DigitKeys(std::int64_t number) {
  std::string keys;
  for (const char digit : std::to_string(number)) {
    if (!keys.empty()) keys += ' ';
    keys += digit;
  }
  return keys;
}

// Everything but the betting turn is answered the same way at every table: the setup takes the
// table's numbers and the defaults, a raise is the smallest, a draw discards the second and third
// cards, a Queen is paid for, every hand is followed by another, and the standings and attributes
// are heard once.
constexpr std::string_view kScript = R"(on Number of Players at the table? => {players}
on What name would you like to go buy? => Enter
on Would you like to change the names => N
on What is the highest allowed raise in betting? => Enter
on What is the maximum number of raises? => Enter
on What is the standard ante for each hand? => Enter
on What is the starting number of chips for each player? => {chips} Enter
on The game is over when => D
on How many dealing rounds will there be in the game? => {rounds} Enter
on Amount to bet or raise? => Enter
on Press space to select card to discard. => Down Space Down Space Enter
on Pay or Fold? => P
on All betting is complete. => Enter
on Play another hand of this game? => Y
on The deal passes to the next player. Continue? => Y
on The Deal goes to you. Play another hand of => Y
on Would you like these standings repeated? => N
on Would you like to view the players' attributes? => N
{strategy}expect Select from Menu
key T
expect Game Selection Menu
key {choose}
expect Select from Menu
key X
)";

}  // namespace

std::span<const BenchTable> BenchTables() {
  return kTables;
}

std::string BenchScript(const BenchTable& table) {
  return fmt::format(kScript, fmt::arg("players", table.players),
                     fmt::arg("chips", DigitKeys(table.chips)),
                     fmt::arg("rounds", DigitKeys(table.rounds)),
                     fmt::arg("strategy", table.strategy), fmt::arg("choose", table.choose));
}

}  // namespace corvane
