// The command keys of one person at the table: reports from their seat, their card review, their
// two volumes, help and their voice settings; and, for the person who hosts the table, the
// raise-ante and quit requests.
#pragma once

#include <cstdint>

#include "commands/command_services.h"
#include "commands/hand_log.h"
#include "commands/status_reports.h"
#include "engine/hand_engine.h"
#include "engine/hand_state.h"
#include "sound/sound_engine.h"
#include "speech/keyboard.h"
#include "speech/prompts.h"
#include "speech/speech.h"
#include "table/table_state.h"
#include "table/user_settings.h"

namespace corvane {

class CommandDispatcher {
 public:
  CommandDispatcher(TableState& table, HandState& hand, UserSettings& settings, Speech& speech,
                    Prompts& prompts, Keyboard& keyboard, BackgroundSound& background,
                    HandEngine& engine, StatusReports& reports, CommandServices& services,
                    bool hosts = true);

  // Runs the command of `key`, a command key (CommandKeyOf(shift, code)).
  void DispatchCommandKey(int key);
  // The log that records each hand as it is spoken; nullptr for none.
  void SetHandLog(HandLog* log) { handLog_ = log; }

 private:
  void ReviewCard(int direction);
  void BrowseCards();
  void AskRaiseAnte();
  void AskQuit();
  void ChangeTableVolume(int step);

  TableState& table_;
  HandState& hand_;
  UserSettings& settings_;
  Speech& speech_;
  Prompts& prompts_;
  Keyboard& keyboard_;
  BackgroundSound& background_;
  HandEngine& engine_;
  StatusReports& reports_;
  CommandServices& services_;
  bool hosts_;
  HandLog* handLog_ = nullptr;
};

}  // namespace corvane
