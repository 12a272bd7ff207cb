// Players leaving the table: a player who cannot pay for the next hand leaves; the remaining chips
// of a bot (or of a person other than the host) go into the pot, to be won in the next hand; the
// host's leaving closes the table.
#include "engine/deck.h"
#include "engine/hand_engine.h"
#include "table/chips.h"

namespace corvane {

void HandEngine::RemovePlayersWhoCannotCover() {
  for (int seat = 1; seat <= table_.PlayerCount && !table_.GameOver; ++seat) {
    if (table_.players.Chips[seat] >= table_.settings.Ante) continue;
    Say(Name(seat) + " cannot cover the next hand. " + Name(seat) + " leaves the table.");
    PlayerLeaves(seat);
  }
}

void HandEngine::PlayerLeaves(int& seat) {
  if (seat < 1 || seat > table_.PlayerCount) return;
  if (seat == kHostSeat) {
    events_.UserEliminated();
    narration_.Say(Audience::Only(seat), "better luck next time. The table is closed to you.");
    hand_.HandOver = true;
    table_.GameOver = true;
    events_.TableClosedToUser();
    return;
  }
  // Another person leaves as a bot does, and hears it as the host would.
  if (narration_.HeardAt(seat)) {
    narration_.Say(Audience::Only(seat), "better luck next time. The table is closed to you.");
  }
  AddChips(hand_.Pot, table_.players.Chips[seat]);
  table_.players.Chips[seat] = 0;
  SeatSound("leavetable.wav", seat);
  // The pause lets the sound play; GameOver set meanwhile is for the caller to see.
  prompts_.Pause(PauseOf::Play, 3);
  if (table_.LeftTableCount < static_cast<int>(table_.LeftTable.size()) - 1) {
    ++table_.LeftTableCount;
    table_.LeftTable[table_.LeftTableCount] = AttributeText(table_, seat);
  }
  if (table_.RoundEndSeat >= seat) --table_.RoundEndSeat;
  // The dealer keeps his place when a seat before him empties. A dealer who leaves hands the
  // button back to the player before him, so that the deal moves on to the player after him, who
  // moves down into his seat; the user never leaves this way, so a player is always there.
  if (table_.Dealer >= seat) --table_.Dealer;
  MoveSeatsDown(seat);
  --table_.PlayerCount;
  --seat;
}

void HandEngine::MoveSeatsDown(int seat) {
  const GameDefinition& game = table_.game;
  // The leaving seat's own cards go to the discard pile (a community card stays on the table).
  if (!hand_.Folded[seat]) {
    for (int slot = 1; slot <= game.RoundCount; ++slot) {
      const CardNumber card = table_.Cards[seat][slot];
      if (card != 0 && !(game.Rounds[slot].Shared && game.HasShared)) Discard(table_, card);
    }
  } else if (hand_.FoldCount > 0) {
    --hand_.FoldCount;
  }

  Players& p = table_.players;
  const int last = table_.PlayerCount;
  for (int s = seat; s < last; ++s) {
    p.PlayerName[s] = p.PlayerName[s + 1];
    p.Chips[s] = p.Chips[s + 1];
    p.Intelligence[s] = p.Intelligence[s + 1];
    p.Aggressiveness[s] = p.Aggressiveness[s + 1];
    p.RiskTaker[s] = p.RiskTaker[s + 1];
    p.Bluffing[s] = p.Bluffing[s + 1];
    hand_.HandContribution[s] = hand_.HandContribution[s + 1];
    // A seat can leave during a hand (a blind it cannot pay): everything of the hand moves with
    // the player, so that nobody inherits the leaver's cards, bets or flags.
    table_.Cards[s] = table_.Cards[s + 1];
    hand_.Folded[s] = hand_.Folded[s + 1];
    hand_.AllIn[s] = hand_.AllIn[s + 1];
    hand_.PendingAllIn[s] = hand_.PendingAllIn[s + 1];
    hand_.OpenContribution[s] = hand_.OpenContribution[s + 1];
    hand_.ExtraContribution[s] = hand_.ExtraContribution[s + 1];
    hand_.WildPayments[s] = hand_.WildPayments[s + 1];
    hand_.ToCall[s] = hand_.ToCall[s + 1];
    hand_.ReviewPosition[s] = hand_.ReviewPosition[s + 1];
    hand_.OwnDiscards[s] = hand_.OwnDiscards[s + 1];
  }
  // The seat that emptied at the end.
  p.PlayerName[last].clear();
  p.Chips[last] = 0;
  p.Intelligence[last] = p.Aggressiveness[last] = p.RiskTaker[last] = p.Bluffing[last] = 0;
  table_.Cards[last].fill(0);
  hand_.Folded[last] = hand_.AllIn[last] = hand_.PendingAllIn[last] = false;
  hand_.HandContribution[last] = hand_.OpenContribution[last] = 0;
  hand_.ExtraContribution[last] = hand_.WildPayments[last] = hand_.ToCall[last] = 0;
  hand_.ReviewPosition[last] = 0;
  hand_.OwnDiscards[last] = 0;
  // The players and listeners move down with their seats; whoever sits down in the emptied seat
  // later is a bot unless seated otherwise.
  seating_.MoveDown(seat, last);

  const auto shift = [seat](auto& index) {
    if (index == seat) {
      index = 0;
    } else if (index > seat) {
      --index;
    }
  };
  shift(hand_.BestShowingSeat);
  for (auto& cap : hand_.PotCap) shift(cap);
}

}  // namespace corvane
