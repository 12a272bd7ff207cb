#include <string>
#include <vector>

#include "app/application.h"
#include "app/table_setup.h"

namespace corvane {

namespace {

constexpr std::string_view kSwitchToVoice = "Switch to MS SAPI, S";
constexpr std::string_view kSwitchToReader = "Switch to Screenreader, S";

}  // namespace

void Application::PlayBackground(const std::string& file) {
  background_.Start(file);
}

// The main menu's music: "intro.wav" under "intro2.wav", which fades out when it ends or at the
// first key (at once at a faster pace).
void Application::PlayIntroUntilKey() {
  PlayBackground("intro.wav");
  const std::int16_t intro = sound_.PlaySound("intro2.wav");
  keyboard_.StoreKeysFromNow();
  const double musicEnd = host_.Now() + startUp_.Length(PauseOf::IntroMusic, kForever);
  while (!keyboard_.KeyArrived() && sound_.IsPlaying(intro) && host_.Now() < musicEnd) {
    keyboard_.Pump(host_.Now() + 0.01, WaitKind::Pause);
  }
  for (int volume = 0; sound_.IsPlaying(intro) && volume >= -2999; volume -= 50) {
    sound_.SetVolume(intro, volume);
    prompts_.Wait(startUp_.Length(PauseOf::StartUp, 0.02), true);
  }
  sound_.StopPlay(intro);
}

void Application::MainMenu() {
  PlayIntroUntilKey();
  table_.TableSaved = true;

  std::vector<MenuRow> rows(9);
  int current = 1;
  bool rebuild = true;
  while (true) {
    if (rebuild) {
      rows[AddMenuRow(0)] = {"Start a New Table, T", 'T'};
      rows[AddMenuRow(kKeepCountingRows)] = {"Restore the Saved Table, R", 'R'};
      rows[AddMenuRow(kKeepCountingRows)] = {"Play with Friends, F", 'F'};
      rows[AddMenuRow(kKeepCountingRows)] = {"Delete the Saved Table, D", 'D'};
      rows[AddMenuRow(kKeepCountingRows)] = {"Build a Poker Game, B", 'B'};
      rows[AddMenuRow(kKeepCountingRows)] = {
          std::string(speech_.SpeechMode == kOwnVoiceMode ? kSwitchToReader : kSwitchToVoice), 'S'};
      rows[AddMenuRow(kKeepCountingRows)] = {"Help, H (F1)", 'H'};
      rows[AddMenuRow(kKeepCountingRows)] = {"Exit, X", 'X'};
      rows.resize(static_cast<std::size_t>(rowCount_) + 1);
      speech_.speak("Select from Menu");
      current = 1;
      speech_.speak(rows[current].text);
      rebuild = false;
    }
    // The main menu compares the key code alone: a shifted letter still chooses its row. Any other
    // key says the row again.
    if (prompts_.ChooseRow(rows, current, RowKeys::IgnoringShift).row == 0) {
      speech_.speak(rows[current].text);
      continue;
    }
    switch (rows[current].key) {
      case 'S':
        SwitchSpeech();
        rows[current].text =
            std::string(speech_.SpeechMode == kOwnVoiceMode ? kSwitchToReader : kSwitchToVoice);
        speech_.speak(rows[current].text);
        break;
      case 'X':
        Exit();
        return;
      case 'T':
        if (NewTable()) {
          rebuild = true;
        } else {
          // A cancelled setup comes back to the first row.
          current = 1;
          speech_.speak(rows[current].text);
        }
        break;
      case 'R':
        RestoreTable();
        rebuild = true;
        break;
      case 'F':
        PlayWithFriends();
        rebuild = true;
        break;
      case 'D':
        DeleteTable();
        rebuild = true;
        break;
      case 'B':
        BuildGame();
        rebuild = true;
        break;
      case 'H':
        help_.ChooseHelpFormat();
        speech_.speak(rows[current].text);
        break;
      default:
        break;
    }
  }
}

void Application::RunTable() {
  table_.GameOver = false;
  // The host sits at seat 1 at every table.
  hostPerson_.TableStarts(table_.players.Chips[kHostSeat]);
  SeatGuests();
  tablePlay_.PlayTable();
  UnseatGuests();
  background_.Stop();
  PlayBackground("intro.WAV");
  host_.StopTimer(kShuffleTimer);
  table_.GameOver = false;
  statistics_.Flush();
}

bool Application::NewTable() {
  if (SavedTableExists()) {
    const int answer = prompts_.AskYesNo(
        "Are you sure you would like to lose the previously saved table?", kAnswerNo, true);
    if (answer == kAnswerNo) return true;
    if (answer == kAnswerYes && saved_.DeleteSavedTable(true) != 0) {
      speech_.speak("Error deleting saved table.");
    }
  }
  if (!SetUpNewTable()) return false;
  RunTable();
  return true;
}

bool Application::SetUpNewTable() {
  table_.game.GameCode = kNoGame;
  TableSetup setup(table_, speech_, prompts_, game_, folders_.DataFolder + "CV PokerSettings.sav");
  if (!setup.SetupTable()) {
    table_.GameOver = false;
    return false;
  }
  return true;
}

void Application::RestoreTable() {
  if (saved_.RestoreTable() != 0) return;
  RunTable();
}

void Application::DeleteTable() {
  if (saved_.DeleteSavedTable(true) != 0) speech_.speak("Error finding or removing a saved table.");
}

void Application::SwitchSpeech() {
  if (speech_.SpeechMode == kOwnVoiceMode) {
    speech_.SpeechMode = kScreenReaderMode;
  } else if (speech_.SpeechMode == kScreenReaderMode) {
    speech_.SpeechMode = kOwnVoiceMode;
  } else {
    return;
  }
  speech_.TTSSetup(speech_.SpeechMode);
  if (speech_.SpeechMode == kOwnVoiceMode) {
    speech_.SetSapiValues(settings_.SapiVoice, settings_.SapiRate, settings_.SapiVolume, 0, true);
    prompts_.Pause(PauseOf::Play, 1);
    speech_.speak("Press the O key to adjust MS Sapi settings after selecting a poker game.");
    prompts_.Pause(PauseOf::Play, 6);
  }
}

void Application::Exit() {
  std::string error;
  if (!pace_.KeepLook(error)) speech_.speak("File save error: " + error);
  speech_.speak("Thank you for playing. Goodbye.");
  prompts_.Wait(7, false);
}

}  // namespace corvane
