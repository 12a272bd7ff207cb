#include "engine/hand_engine.h"

#include "engine/deck.h"
#include "engine/seat_valuation.h"
#include "engine/side_pots.h"

namespace corvane {

HandEngine::HandEngine(TableState& table, HandState& hand, const UserSettings& settings,
                       Narration& narration, Seating& seating, Prompts& hostPrompts, Random& game,
                       TableEvents& events)
    : table_(table),
      hand_(hand),
      settings_(settings),
      narration_(narration),
      seating_(seating),
      prompts_(hostPrompts),
      game_(game),
      events_(events) {}

void HandEngine::Shuffle() {
  corvane::Shuffle(table_, game_);
}

void HandEngine::RefillDeck() {
  corvane::RefillDeck(table_, game_);
}

NextHand HandEngine::PlayHand() {
  NextHand next = NextHand::TableOver;
  try {
    next = PlayHandSteps();
  } catch (const HandAbandoned&) {
    // GameOver: the hand is left unsettled; the chips in the pot stay there.
  }
  CleanUp();
  return next;
}

NextHand HandEngine::PlayHandSteps() {
  StartHand();
  const GameDefinition& game = table_.game;
  for (int r = 1; r <= game.RoundCount; ++r) {
    const CardRound& round = game.Rounds[r];
    hand_.CurrentRound = static_cast<std::int16_t>(r);
    if (!round.Announcement.empty()) Say(round.Announcement);
    hand_.DrawsLeft = round.Draws;
    DealRound(r);
    if (round.Betting && !BettingRound(FirstBettor())) return EndOfHand();
    // Every draw of the round, one after another, each followed by its betting round when the
    // round bets after the draw.
    for (;;) {
      Pause(0.5);
      if (hand_.DrawsLeft <= 0) break;
      --hand_.DrawsLeft;
      RunDraw();
      CheckGameOver();
      if (round.BetAfterDraw && !BettingRound(FirstBettor())) return EndOfHand();
    }
  }
  Showdown();
  return EndOfHand();
}

void HandEngine::StartHand() {
  table_.DealtCount = 0;
  table_.DiscardTop = 53;
  table_.Discards.fill(0);
  hand_.HandOver = false;
  hand_.CardsShown = false;
  hand_.FoldCount = 0;
  hand_.FollowRank = 0;
  hand_.FollowPending = false;
  table_.TableSaved = false;
  for (auto& h : table_.Cards) h.fill(0);
  hand_.Folded.fill(false);
  hand_.AllIn.fill(false);
  hand_.PendingAllIn.fill(false);
  hand_.ToCall.fill(0);
  hand_.BestShowingValue = 0;
  hand_.BestShowingSeat = 0;
  hand_.HandReport.clear();
  hand_.CurrentRound = 0;
  hand_.DrawsLeft = 0;
  hand_.ReviewPosition.fill(0);
  hand_.SeenDiscards = 0;
  hand_.OwnDiscards.fill(0);
  hand_.DrawUnderWay = false;
  // A player whose ante took the last chip has paid all it can: it is all-in for the ante.
  for (int seat = 1; seat <= table_.PlayerCount; ++seat) {
    if (table_.players.Chips[seat] <= 0) {
      hand_.AllIn[seat] = true;
      hand_.PendingAllIn[seat] = true;
    }
  }
}

int HandEngine::SeatAfterDealer() const {
  const int seat = table_.Dealer + 1;
  return seat > table_.PlayerCount ? 1 : seat;
}

int HandEngine::FirstBettor() {
  // Before any face-up card has been valued there is no best hand showing: the seat after the
  // dealer opens, as in the games without face-up cards.
  if (!table_.game.HighShowingBetsFirst || hand_.BestShowingSeat < 1) return SeatAfterDealer();
  // Players may have folded since the last face-up card: the best hand of those still in opens.
  FindBestShowing();
  return hand_.BestShowingSeat >= 1 ? hand_.BestShowingSeat : SeatAfterDealer();
}

NextHand HandEngine::EndOfHand() {
  hand_.HandOver = true;
  events_.HandSettled();
  Pause(6, PauseOf::BetweenHands);
  RemovePlayersWhoCannotCover();
  return AskToPlayOn();
}

NextHand HandEngine::AskToPlayOn() {
  if (table_.PlayerCount <= 1 || table_.GameOver) return NextHand::TableOver;
  const auto ask = [&](const std::string& question) {
    for (;;) {
      const int answer = prompts_.AskYesNo(question, kAnswerYes, false);
      CheckGameOver();
      if (answer == kAnswerYes || answer == kAnswerNo) return answer == kAnswerYes;
    }
  };
  if (!settings_.BotsDealersChoice) {
    return ask("Play another hand of this game?") ? NextHand::SameGame : NextHand::GameSelection;
  }
  // Dealer's choice: a bot dealing next declares its game; the user dealing next plays on with
  // the game just played or chooses another.
  if (table_.Dealer < table_.PlayerCount) {
    return ask("The deal passes to the next player. Continue?") ? NextHand::DealersChoice
                                                                : NextHand::GameSelection;
  }
  return ask("The Deal goes to you. Play another hand of " + table_.game.GameName + "?")
             ? NextHand::SameGame
             : NextHand::GameSelection;
}

void HandEngine::CleanUp() {
  ClearPots(hand_);
  hand_.OpenContribution.fill(0);
  hand_.ExtraContribution.fill(0);
  hand_.PendingAllIn.fill(false);
  hand_.ToCall.fill(0);
}

HandValue HandEngine::ValueHand(int seat, bool showingOnly, std::string& description) const {
  return ValueSeat(table_, hand_, seat, showingOnly, description);
}

void HandEngine::Say(const Audience& audience, const std::string& text) {
  narration_.Say(audience, text);
  CheckGameOver();
}

void HandEngine::Pause(double seconds, PauseOf kind) {
  prompts_.Pause(kind, seconds);
  CheckGameOver();
}

void HandEngine::CheckGameOver() const {
  if (table_.GameOver) throw HandAbandoned{};
}

void HandEngine::ChipSound(int seat, std::int32_t amount) {
  narration_.ChipSound(seat, amount);
  CheckGameOver();
}

}  // namespace corvane
