#include "commands/command_dispatcher.h"

#include <algorithm>

namespace corvane {

namespace {

// What a person other than the host hears at the keys of the table's own questions.
constexpr const char* kHostDecides = "???The person who hosts the table decides this.";

}  // namespace

CommandDispatcher::CommandDispatcher(TableState& table, HandState& hand, UserSettings& settings,
                                     Speech& speech, Prompts& prompts, Keyboard& keyboard,
                                     BackgroundSound& background, HandEngine& engine,
                                     StatusReports& reports, CommandServices& services, bool hosts)
    : table_(table),
      hand_(hand),
      settings_(settings),
      speech_(speech),
      prompts_(prompts),
      keyboard_(keyboard),
      background_(background),
      engine_(engine),
      reports_(reports),
      services_(services),
      hosts_(hosts) {}

void CommandDispatcher::DispatchCommandKey(int key) {
  if (key % kShiftStep <= 0) return;
  speech_.StopSpeech();
  const HandLog::Pause notPartOfTheHand(handLog_);
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
    case CommandKeyOf(kShift, kKeyPageUp):
      background_.ChangePartyVolume(settings_, 200);
      break;
    case CommandKeyOf(kShift, kKeyPageDown):
      background_.ChangePartyVolume(settings_, -200);
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
      if (hosts_) {
        AskRaiseAnte();
      } else {
        speech_.speak(kHostDecides);
      }
      break;
    case 'H':
      reports_.HandSummary();
      break;
    case kKeyTab:
      reports_.HandStatus(engine_.SecondsThisHand());
      break;
    case kKeyF3:
      reports_.GameVariables();
      break;
    case 'X':
      reports_.ExamineAllHands();
      break;
    case 'W':
      reports_.ChanceOfWinning(engine_.HandUnderWay());
      break;
    case 'V':
      services_.ReadLastHand();
      break;
    case 'G':
      services_.SpeakStatistics();
      break;
    case 'T':
      services_.Talk();
      break;
    case 'M':
      reports_.UserChips();
      break;
    case CommandKeyOf(kShift, 'M'):
      reports_.EveryonesChips();
      break;
    case 'S':
      reports_.CardsShowing();
      break;
    case CommandKeyOf(kShift, 'S'):
      reports_.ShowingDetails();
      break;
    case CommandKeyOf(kControl, kKeyUp):
      speech_.HistoryBack();
      break;
    case CommandKeyOf(kControl, kKeyDown):
      speech_.HistoryForward();
      break;
    case kKeyF2:
      services_.ReadHelp(0);
      break;
    case CommandKeyOf(kShift, kKeyF2):
      services_.ReadHelp(1);
      break;
    case 'O':
      if (speech_.SpeechMode == kOwnVoiceMode) {
        services_.VoiceSettingsMenu();
      } else {
        speech_.speak(
            "???This key is only valid if your speech settings is MS SAPI. Use Control-3 to "
            "switch to MS SAPI.");
      }
      break;
    case 'Q':
      if (hosts_) {
        AskQuit();
      } else {
        speech_.speak(kHostDecides);
      }
      break;
    default:
      break;
  }
}

void CommandDispatcher::ReviewCard(int direction) {
  const int seat = reports_.Seat();
  std::int16_t& position = hand_.ReviewPosition[static_cast<std::size_t>(seat)];
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
    if (next > 52 || table_.Cards[seat][next] == 0) {
      speech_.speak("???Last card");
    } else {
      position = static_cast<std::int16_t>(next);
    }
  }
  speech_.speak("???" + CardName(table_.Cards[seat][position], 0));
  if (position >= 1 && position <= kMaxRounds && table_.game.Rounds[position].FaceUp) {
    speech_.speak("???face up");
  }
}

void CommandDispatcher::BrowseCards() {
  const int seat = reports_.Seat();
  if (hand_.Folded[seat]) return;
  prompts_.ChooseCard(table_.players.PlayerName[seat] + "'s cards, use arrows to review",
                      SortedHandCards(table_, seat, kWorkHand2));
}

void CommandDispatcher::AskRaiseAnte() {
  if (prompts_.AskYesNo(
          "Are you sure you would like to raise the ante at the start of the next hand?", kAnswerNo,
          true) == kAnswerYes) {
    engine_.RequestAnteRaise();
  }
}

void CommandDispatcher::AskQuit() {
  if (prompts_.AskYesNo("Are you sure you would like to quit this hand and remove the table?",
                        kAnswerNo, true) == kAnswerYes) {
    table_.GameOver = true;
  }
}

void CommandDispatcher::ChangeTableVolume(int step) {
  settings_.TableVolume =
      static_cast<std::int16_t>(std::clamp(settings_.TableVolume + step, -3500, 0));
}

}  // namespace corvane
