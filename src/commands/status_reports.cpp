#include "commands/status_reports.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "engine/seat_valuation.h"
#include "engine/side_pots.h"
#include "engine/win_chance.h"
#include "table/rounding.h"

namespace corvane {

namespace {
std::string Number(std::int64_t value) {
  return std::to_string(value);
}
}  // namespace

StatusReports::StatusReports(const TableState& table, const HandState& hand, Speech& speech,
                             const Seating& seating, const Listener& listener)
    : table_(table), hand_(hand), speech_(speech), seating_(seating), listener_(listener) {}

std::string StatusReports::CardList(int hand, bool faceUp, bool faceDown, bool leadingBlank) const {
  std::string list;
  for (int slot = 1; slot <= table_.game.RoundCount; ++slot) {
    const CardNumber card = table_.Cards[hand][slot];
    if (card == 0) continue;
    const bool up = table_.game.Rounds[slot].FaceUp;
    if ((up && !faceUp) || (!up && !faceDown)) continue;
    if (leadingBlank) list += " ";
    list += CardName(card, 0) + ", ";
  }
  return list;
}

std::int32_t StatusReports::PotTotal() const {
  return hand_.Pot;
}

void StatusReports::FaceDownCards() {
  Say(CardList(Seat(), false, true, false));
}

void StatusReports::FaceUpCards() {
  Say(CardList(Seat(), true, false, false));
}

void StatusReports::Pots() {
  // The chips bet in this round are put into the pots they will go to when it ends, on a copy, so
  // that the pots add up to the whole pot.
  // Two players all-in for the same amount cut a pot with nothing in it: it is not worth a word,
  // and the side pots are numbered as the player hears them.
  HandState pots = hand_;
  GatherPot(pots, table_.PlayerCount);
  std::vector<std::int32_t> amounts;
  for (int k = 1; k <= pots.PotCount; ++k) {
    if (k == 1 || pots.PotAmount[k] > 0) amounts.push_back(pots.PotAmount[k]);
  }
  if (amounts.size() > 1) {
    Say("There is " + Number(amounts[0]) + " in the main pot.");
    for (std::size_t k = 1; k < amounts.size(); ++k) {
      Say("There is " + Number(amounts[k]) + " in side pot " + Number(static_cast<int>(k)));
    }
    return;
  }
  Say("The pot contains " + Number(PotTotal()) + " chips.");
}

void StatusReports::HandSummary() {
  if (hand_.Folded[Seat()]) return;
  std::string description;
  ValueSeat(table_, hand_, Seat(), false, description);
  Say(table_.players.PlayerName[Seat()] + " has " + description);
}

void StatusReports::UserChips() {
  Say(Number(table_.players.Chips[Seat()]) + " chips.");
}

void StatusReports::EveryonesChips() {
  for (int seat = 1; seat <= table_.PlayerCount; ++seat) {
    Say(table_.players.PlayerName[seat] + " " + Number(table_.players.Chips[seat]) + " chips.");
  }
  Say("The pot has " + Number(PotTotal()) + " chips");
}

void StatusReports::GameVariables() {
  const GameSettings& s = table_.settings;
  Say("Name " + table_.players.PlayerName[Seat()] + ".");
  Say("Maximum numbe r of raises " + Number(s.MaxRaises) + ".");
  Say("Starting chips " + Number(s.StartingChips) + ".");
  Say("Maximum raise " + Number(s.MaxRaise) + ".");
  Say("Ante " + Number(s.Ante) + ".");
}

void StatusReports::CardsShowing() {
  if (!table_.game.HasFaceUp) {
    Say("No cards face up, or all up cards are shared.");
    return;
  }
  Say("Cards showing.");
  for (int seat = 1; seat <= table_.PlayerCount; ++seat) {
    if (hand_.Folded[seat]) continue;
    std::string description;
    ValueSeat(table_, hand_, seat, true, description);
    if (description.empty()) continue;
    Say(table_.players.PlayerName[seat] + " has " + description + ".");
  }
}

void StatusReports::ShowingDetails() {
  if (!table_.game.HasFaceUp || table_.game.HasShared) {
    Say("No cards face up, or all up cards are shared.");
    return;
  }
  Say("Cards showing");
  // Everyone's face-up cards but the reader's own.
  for (int seat = 1; seat <= table_.PlayerCount; ++seat) {
    if (seat == Seat() || hand_.Folded[seat]) continue;
    std::string description;
    ValueSeat(table_, hand_, seat, true, description);
    Say(table_.players.PlayerName[seat] + ", " + description + ", " +
        CardList(seat, true, false, true));
  }
}

void StatusReports::ExamineAllHands() {
  if (!hand_.HandOver) return;
  // Nobody paid to see the cards of a hand that everyone else folded to.
  if (!hand_.CardsShown) {
    Say("Unfortunately, no one paid to see the winners cards.");
    return;
  }
  for (int seat = 1; seat <= table_.PlayerCount; ++seat) {
    if (hand_.Folded[seat]) continue;
    std::string description;
    ValueSeat(table_, hand_, seat, false, description);
    // The cards are read from a sorted copy, so the seat's own order is never disturbed.
    TableState sorted;
    sorted.game.RoundCount = table_.game.RoundCount;
    sorted.Cards[1] = table_.Cards[seat];
    SortHand(sorted, 1, kWorkHand);
    std::string list;
    for (int slot = 1; slot <= table_.game.RoundCount; ++slot) {
      const CardNumber card = sorted.Cards[kWorkHand][slot];
      if (card != 0) list += " " + CardName(card, 0) + ", ";
    }
    Say(table_.players.PlayerName[seat] + ", " + description + ", " + list);
  }
}

void StatusReports::ChanceOfWinning(bool handUnderWay) {
  if (!handUnderWay) {
    Say("There is no hand being played.");
  } else if (hand_.HandOver) {
    Say("This hand is over.");
  } else if (hand_.Folded[Seat()]) {
    Say("You have folded this hand.");
  } else {
    const WinChance chance = corvane::ChanceOfWinning(table_, hand_, Seat());
    const std::int64_t percent = RoundHalfEven(chance.share * 100);
    Say("Your chance of winning is about " + Number(percent) +
        (chance.drawToCome ? " percent before the draw." : " percent."));
  }
}

void StatusReports::HandStatus(double secondsThisHand) {
  const GameDefinition& game = table_.game;
  Say(game.GameName);
  if (game.GameCode == kFollowTheQueen) {
    if (hand_.FollowRank != 0) {
      Say("The trailer wildcard is " + std::string(RankName[hand_.FollowRank]) + ".");
    } else {
      Say("There is no trailer wildcard.");
    }
  }
  const int round = hand_.CurrentRound;
  if (round >= 1 && round <= game.RoundCount && game.Rounds[round].Draws > 0) {
    if (hand_.DrawsLeft == 0) {
      Say("No more draws left.");
    } else {
      Say(Number(hand_.DrawsLeft) + " draws left.");
    }
  }
  if (hand_.HandOver) {
    Say("The hand is over.");
    // After split or side pots the result holds one line per winner, each ended by a line break.
    std::string_view report = hand_.HandReport;
    while (!report.empty()) {
      const std::size_t end = report.find("\r\n");
      Say(std::string(report.substr(0, end)));
      if (end == std::string_view::npos) break;
      report.remove_prefix(end + 2);
    }
  }
  Say(Number(round) + " of " + Number(game.RoundCount) + " cards have been dealt.");
  Say("You have " +
      Number(std::int64_t{hand_.HandContribution[Seat()]} + hand_.WildPayments[Seat()]) +
      " invested in this hand.");
  Say("The Players are");
  for (int seat = 1; seat <= table_.PlayerCount; ++seat) {
    if (!hand_.Folded[seat]) Say(table_.players.PlayerName[seat]);
  }
  if (hand_.FoldCount > 0) {
    Say("Players who have folded.");
    for (int seat = 1; seat <= table_.PlayerCount; ++seat) {
      if (hand_.Folded[seat]) Say(table_.players.PlayerName[seat]);
    }
  }
  Say("The dealer is " + table_.players.PlayerName[table_.Dealer]);
  const GameSettings& s = table_.settings;
  if (s.GameEndRule == kEndOnMinutes) {
    const double played = table_.ElapsedSeconds + std::max(0.0, secondsThisHand);
    const auto minutes = std::max<std::int64_t>(0, s.GameEndAmount - RoundHalfEven(played / 60.0));
    Say("You have " + Number(minutes) + " minutes remaining in the game.");
  } else if (s.GameEndRule == kEndOnDealingRounds) {
    Say("You have " + Number(s.GameEndAmount - table_.DealerRounds) +
        " dealing rounds left in the game.");
  }
}

}  // namespace corvane
