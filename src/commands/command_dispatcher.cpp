#include "commands/command_dispatcher.h"

#include <algorithm>
#include <cmath>

#include "sound/seat_sounds.h"
#include "table/rounding.h"

namespace corvane {

CommandDispatcher::CommandDispatcher(Host& host, TableState& table, HandState& hand,
                                     UserSettings& settings, Speech& speech, Prompts& prompts,
                                     Keyboard& keyboard, SoundEngine& sound, HandEngine& engine,
                                     StatusReports& reports, CommandHooks hooks)
    : host_(host),
      table_(table),
      hand_(hand),
      settings_(settings),
      speech_(speech),
      prompts_(prompts),
      keyboard_(keyboard),
      sound_(sound),
      engine_(engine),
      reports_(reports),
      hooks_(std::move(hooks)) {}

void CommandDispatcher::DispatchCommandKey() {
  if (table_.KeepPlaying) {
    table_.KeepPlaying = false;
    NextHand();
  }
  if (keyboard_.KeyPressed <= 0) return;
  speech_.StopSpeech();
  const HandLog::Pause notPartOfTheHand(handLog_);
  const int key = keyboard_.CommandKey();
  switch (key) {
    case 'D':
      reports_.FaceDownCards();
      break;
    case 'U':
      reports_.FaceUpCards();
      break;
    case 'P':
      reports_.Pots();
      break;
    case 'E':
      BrowseCards();
      break;
    case kKeyPageUp:
      ChangeTableVolume(200);
      break;
    case kKeyPageDown:
      ChangeTableVolume(-200);
      break;
    case 1000 + kKeyPageUp:
      ChangePartyVolume(200);
      break;
    case 1000 + kKeyPageDown:
      ChangePartyVolume(-200);
      break;
    case 'J':
    case kKeyLeft:
      ReviewCard(-1);
      break;
    case 'K':
      ReviewCard(0);
      break;
    case 'L':
    case kKeyRight:
      ReviewCard(1);
      break;
    case 'F':
      speech_.speak("???You cannot fold at this time. You might need to \"check\".");
      break;
    case 'R':
      speech_.speak("???Raising is not available to you at this time.");
      break;
    case 'I':
      speech_.speak("???All-In is not available to you at this time.");
      break;
    case 'A':
      AskRaiseAnte();
      break;
    case 'H':
      reports_.HandSummary();
      break;
    case kKeyTab:
      reports_.HandStatus(handRunning_ ? host_.Now() - handStart_ : 0.0);
      break;
    case kKeyF3:
      reports_.GameVariables();
      break;
    case 'X':
      reports_.ExamineAllHands();
      break;
    case 'W':
      reports_.ChanceOfWinning(handRunning_);
      break;
    case 'V':
      if (hooks_.lastHand) hooks_.lastHand();
      break;
    case 'G':
      if (hooks_.statistics) hooks_.statistics();
      break;
    case 'M':
      reports_.UserChips();
      break;
    case 1000 + 'M':
      reports_.EveryonesChips();
      break;
    case 'S':
      reports_.CardsShowing();
      break;
    case 1000 + 'S':
      reports_.ShowingDetails();
      break;
    case 2000 + kKeyUp:
      speech_.HistoryBack();
      break;
    case 2000 + kKeyDown:
      speech_.HistoryForward();
      break;
    case kKeyF2:
      if (hooks_.readHelp) hooks_.readHelp(0);
      break;
    case 1000 + kKeyF2:
      if (hooks_.readHelp) hooks_.readHelp(1);
      break;
    case 'O':
      if (speech_.SpeechMode == 3) {
        if (hooks_.voiceSettings) hooks_.voiceSettings();
      } else {
        speech_.speak(
            "???This key is only valid if your speech settings is MS SAPI. Use Control-3 to "
            "switch to MS SAPI.");
      }
      break;
    case 'Q':
      AskQuit();
      break;
    default:
      break;
  }
}

void CommandDispatcher::ReviewCard(int direction) {
  std::int16_t& position = hand_.ReviewPosition;
  if (direction < 0) {
    if (position <= 1) {
      speech_.speak("???First card");
      position = 2;
    }
    --position;
  } else if (direction == 0) {
    if (position <= 1) {
      speech_.speak("???first card");
      position = 1;
    }
  } else {
    const int next = position + 1;
    if (next > 52 || table_.Cards[kUserSeat][next] == 0) {
      speech_.speak("???Last card");
    } else {
      position = static_cast<std::int16_t>(next);
    }
  }
  speech_.speak("???" + CardName(table_.Cards[kUserSeat][position], 0));
  if (position >= 1 && position <= kMaxRounds && table_.game.Rounds[position].FaceUp) {
    speech_.speak("???face up");
  }
}

void CommandDispatcher::BrowseCards() {
  if (hand_.Folded[kUserSeat]) return;
  prompts_.ChooseCard(table_.players.PlayerName[kUserSeat] + "'s cards, use arrows to review",
                      SortedHandCards(table_, kUserSeat, kWorkHand2));
}

void CommandDispatcher::AskRaiseAnte() {
  if (prompts_.AskYesNo(
          "Are you sure you would like to raise the ante at the start of the next hand?", 2,
          true) == 1) {
    raiseAnte_ = true;
  }
}

void CommandDispatcher::AskQuit() {
  if (prompts_.AskYesNo("Are you sure you would like to quit this hand and remove the table?", 2,
                        true) == 1) {
    table_.GameOver = true;
    table_.KeepPlaying = false;
  }
}

void CommandDispatcher::ChangeTableVolume(int step) {
  settings_.TableVolume =
      static_cast<std::int16_t>(std::clamp(settings_.TableVolume + step, -3500, 0));
}

void CommandDispatcher::ChangePartyVolume(int step) {
  settings_.PartyVolume =
      static_cast<std::int16_t>(std::clamp(settings_.PartyVolume + step, -5000, -1000));
  if (background_ != nullptr) sound_.SetVolume(*background_, settings_.PartyVolume);
}

bool CommandDispatcher::RaiseAnte() {
  raiseAnte_ = false;
  GameSettings& s = table_.settings;
  const std::int32_t oldAnte = s.Ante;
  const std::int32_t proposal = std::min<std::int64_t>(2LL * oldAnte, s.MaxRaise);
  const std::int32_t ante =
      prompts_.InputNumber("What is the new ante?", oldAnte, s.MaxRaise, proposal, 0, oldAnte);
  if (ante <= 0) return false;
  const auto scaled = RoundHalfEven(static_cast<double>(s.MaxRaise) * ante / oldAnte);
  s.MaxRaise = static_cast<std::int32_t>(std::min<std::int64_t>(scaled, 1000000000));
  s.Ante = ante;
  speech_.speak("The ante is now " + std::to_string(s.Ante) + " and the max bet is now " +
                std::to_string(s.MaxRaise) + ".");
  return true;
}

void CommandDispatcher::TakeAntes() {
  const std::int32_t ante = table_.settings.Ante;
  speech_.speak("Everyone puts in the " + std::to_string(ante) + " chip ante.");
  for (int seat = 1; seat <= table_.PlayerCount && !table_.GameOver; ++seat) {
    if (table_.players.Chips[seat] <= 0) {
      speech_.speak(table_.players.PlayerName[seat] +
                    " cannot cover another hand, so they leave the table.");
      engine_.PlayerLeaves(seat);
      continue;
    }
    const std::int32_t paid = engine_.TakeAnte(seat);
    PlayChipSound(sound_, prompts_, engine_.cosmetic(), table_.PlayerCount, seat, paid,
                  table_.settings.Ante, settings_.TableVolume);
    prompts_.Pause(PauseOf::Deal, 0.2);
  }
}

void CommandDispatcher::NextHand() {
  ClearForNextHand(hand_);
  hand_.HandOver = false;
  engine_.Shuffle();
  if (table_.FirstDeal) {
    speech_.speak("Press F1 for Help, and Shift-F2 for a list of commands.");
    speech_.speak("Press F2 to obtain a brief description of the game.");
    // A key pressed during the greeting gets its answer at once rather than being lost.
    prompts_.Pause(PauseOf::BetweenHands, 2);
  }
  speech_.speak("Now shuffling.");
  table_.FirstDeal = false;

  const std::int16_t previousDealer = table_.Dealer;
  const std::int32_t previousRounds = table_.DealerRounds;
  ++table_.Dealer;
  if (table_.Dealer > table_.PlayerCount) {
    table_.Dealer = 1;
    ++table_.DealerRounds;
  }
  const std::string& dealer = table_.players.PlayerName[table_.Dealer];
  // The hand's record starts with the deal; the engine settles it when the pots are paid.
  const HandLog::HandScope record(handLog_, table_, host_.LocalTime());
  speech_.speak("The deal goes to " + dealer);
  if (settings_.BotsDealersChoice) {
    speech_.speak(dealer + " declares the game to be " + table_.game.GameName);
  }
  PlaySeatSound(sound_, "shuffle*2.wav", table_.PlayerCount, table_.Dealer, 0,
                settings_.TableVolume);
  prompts_.Pause(PauseOf::BetweenHands, 4);
  ClearPots(hand_);
  if (raiseAnte_ && !RaiseAnte()) {
    // No new ante, no hand: the deal stays with the dealer before, who deals the next hand.
    table_.Dealer = previousDealer;
    table_.DealerRounds = previousRounds;
    return;
  }
  if (table_.game.HasAnte) TakeAntes();
  if (table_.GameOver) return;

  hand_.HandOver = false;
  handStart_ = host_.Now();
  handRunning_ = true;
  engine_.PlayHand();
  handRunning_ = false;
  ++handsPlayed_;
  // The playing time is kept in whole seconds: the hand's time is rounded, not cut, so that the
  // fractions of many hands do not go missing.
  const double seconds = host_.Now() - handStart_;
  if (seconds > 0) table_.ElapsedSeconds += static_cast<std::int32_t>(RoundHalfEven(seconds));
  hand_.HandOver = true;
}

}  // namespace corvane
