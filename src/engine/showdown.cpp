// The end of a hand that is settled: the last seat in claims the pot, or at the showdown the hands
// still in are ranked, every pot is paid to the best hand that may claim it and the result is
// spoken and kept in HandReport.
#include <fmt/format.h>

#include <vector>

#include "engine/hand_engine.h"
#include "engine/pot_award.h"
#include "engine/side_pots.h"
#include "table/chips.h"

namespace corvane {

void HandEngine::ClaimPot() {
  int winner = 0;
  for (int seat = 1; seat <= table_.PlayerCount; ++seat) {
    if (!hand_.Folded[seat]) {
      winner = seat;
      break;
    }
  }
  if (winner == 0) return;
  const std::int32_t pot = hand_.Pot;
  const std::string line = fmt::format("{} claims the pot. of {} chips.", Name(winner), pot);
  hand_.HandReport = line;
  AddChips(table_.players.Chips[winner], pot);
  hand_.Pot = 0;
  ClearPots(hand_);
  Say(line);
  ChipSound(winner, pot);
}

void HandEngine::Showdown() {
  // The hands still in, in seat order, and their descriptions.
  std::vector<RankedHand> ranked;
  std::array<std::string, kMaxSeats + 1> handText{};
  for (int seat = 1; seat <= table_.PlayerCount; ++seat) {
    if (hand_.Folded[seat]) continue;
    const HandValue value = ValueHand(seat, false, handText[seat]);
    ranked.push_back({seat, value});
  }
  if (ranked.size() > 1) {
    while (prompts_.AskOK("All betting is complete. Time to show your cards. Press Enter when "
                          "ready.") == 0) {
      CheckGameOver();
    }
    CheckGameOver();
    hand_.CardsShown = true;
    RankHands(ranked);
  }
  if (ranked.empty()) return;

  // Every chip of the Pot is in one of the pots before they are paid.
  GatherPot(hand_, table_.PlayerCount);
  const PotAward award = AwardPots(ranked, hand_, table_.Dealer, table_.PlayerCount);
  const int winner = ranked.front().seat;

  if (award.tieCount == 0 && hand_.PotCount <= 1) {
    hand_.HandReport = fmt::format("{} wins this hand with {}. The pot is worth {}", Name(winner),
                                   handText[winner], hand_.Pot);
    Say(hand_.HandReport);
    Say(Name(winner) + " collects the pot.");
    Pause(1.5);
    const std::int32_t pot = hand_.Pot;
    AddChips(table_.players.Chips[winner], pot);
    hand_.Pot = 0;
    ChipSound(winner, pot);
    Pause(2);
    ClearPots(hand_);
  } else {
    Say("The following has been calculated based on split pots and side pots.");
    hand_.HandReport.clear();
    for (std::size_t k = 0; k < ranked.size(); ++k) {
      const std::int32_t share = award.share[k];
      if (share <= 0) continue;
      const int seat = ranked[k].seat;
      const std::string line =
          fmt::format("{} has {} which pays {}", Name(seat), handText[seat], share);
      hand_.HandReport += line + "\r\n";
      AddChips(table_.players.Chips[seat], share);
      hand_.Pot -= share;
      Say(line);
      Pause(1);
      ChipSound(seat, share);
      Pause(2);
    }
    hand_.Pot = 0;
    ClearPots(hand_);
    Pause(1);
  }

  Say("Other players in order of hand ranking");
  for (std::size_t k = 0; k < ranked.size(); ++k) {
    const int seat = ranked[k].seat;
    if (award.share[k] > 0 || hand_.Folded[seat]) continue;
    Say(Name(seat) + " had " + handText[seat]);
  }
  Say("???Use Control-Up arrow to review the hand.");
}

}  // namespace corvane
