#include "app/person.h"

#include <algorithm>

#include "speech/voice_settings.h"
#include "store/settings_file.h"
#include "table/chips.h"

namespace corvane {

Person::Person(const PersonPlace& place)
    : speech(place.output, place.engines),
      keyboard(place.host, this, place.id, place.output, place.router),
      prompts(keyboard, speech, settings),
      sound(place.output, place.audio, place.cosmetic, place.programFolder),
      help(speech, prompts, place.programFolder),
      history(speech, keyboard, handLog, place.dataFolder),
      statistics(speech, place.dataFolder, place.lock),
      id_(place.id),
      dataFolder_(place.dataFolder),
      timers_(place.timers),
      settledHands_(place.settledHands) {
  speech.SetPhraseListener(&handLog);
}

void Person::JoinTable(const TableParts& parts, bool hosts) {
  table_ = &parts.table;
  hand_ = &parts.hand;
  seating_ = &parts.seating;
  narration_ = &parts.narration;
  reports_ = std::make_unique<StatusReports>(parts.table, parts.hand, speech, parts.seating, *this);
  CommandServices& services = *this;
  dispatcher_ = std::make_unique<CommandDispatcher>(parts.table, parts.hand, settings, speech,
                                                    prompts, keyboard, background, parts.engine,
                                                    *reports_, services, hosts);
  dispatcher_->SetHandLog(&handLog);
}

int Person::Seat() const {
  return seating_ == nullptr ? 0 : seating_->SeatOf(this);
}

void Person::HandBegins(const CalendarTime& when) {
  if (table_ != nullptr) handLog.Begin(*table_, when, Seat());
}

void Person::HandSettled() {
  const LoggedHand* hand = handLog.Settle();
  const int seat = Seat();
  if (hand == nullptr || seat == 0) return;
  // The person's chips only leave for the pot (the ante, bets, wild cards) and only come back
  // from it, so what they took from the pots is the gain over the start plus what was paid in.
  const std::int32_t chips = table_->players.Chips[seat];
  const std::int64_t paidIn =
      std::int64_t{hand_->HandContribution[seat]} + hand_->WildPayments[seat];
  const std::int64_t collected = std::int64_t{chips} - hand->userChips + paidIn;
  const std::int32_t taken = ChipSum(0, std::max<std::int64_t>(collected, 0));
  statistics.HandSettled(hand->game, taken, chips);
  history.Keep(*hand);
  if (settledHands_ != nullptr) settledHands_->HandSettled(*hand, taken, chips);
}

void Person::TableStarts(std::int32_t chips) {
  handLog.TableStarts();
  statistics.TableStarts(chips);
}

void Person::SwitchSpeechMode(int mode) {
  speech.TTSSetup(static_cast<std::int16_t>(mode));
  speech.SpeechMode = static_cast<std::int16_t>(mode);
  if (mode == kOwnVoiceMode) {
    speech.SetSapiValues(settings.SapiVoice, settings.SapiRate, settings.SapiVolume, 0, true);
  }
}

void Person::DispatchCommandKey(int commandKey) {
  if (dispatcher_ != nullptr) dispatcher_->DispatchCommandKey(commandKey);
}

void Person::OpenFullHelp() {
  // What F1 says (a help file that cannot be opened) is not part of a hand being played.
  const HandLog::Pause notPartOfTheHand(&handLog);
  help.OpenHelpFile(kHelpPage);
}

void Person::TimerFired(int id) {
  if (timers_ != nullptr) timers_->TimerFired(id);
}

void Person::ReadHelp(int kind) {
  if (table_ != nullptr) help.ReadHelp(kind, table_->game);
}

void Person::VoiceSettingsMenu() {
  VoiceSettings voice(speech, prompts, settings,
                      [this](const UserSettings& chosen, std::string& error) {
                        if (dataFolder_.empty()) {
                          error = "nothing is kept for you at this table";
                          return false;
                        }
                        return SaveVoiceSettings(dataFolder_ + "CV config.ini", chosen, error);
                      });
  voice.SapiSettingsMenu();
}

void Person::ReadLastHand() {
  history.ReadAgain();
}

void Person::SpeakStatistics() {
  statistics.Speak();
}

void Person::Talk() {
  const int seat = Seat();
  bool othersHere = false;
  for (int other = 1; seat != 0 && other <= table_->PlayerCount; ++other) {
    othersHere |= other != seat && seating_->ListenerAt(other) != nullptr;
  }
  if (!othersHere) {
    speech.speak("???There is nobody at this table to talk to.");
    return;
  }
  // While the line is typed, a turn of the person's waits for it.
  const HandLog::Pause notPartOfTheHand(&handLog);
  const std::string line =
      prompts.InputText("Type what you would like to say, and press Enter.", "", 0);
  if (line == kEscapedText || line.find_first_not_of(' ') == std::string::npos) return;
  narration_->Say(Audience::Everyone(),
                  table_->players.PlayerName[static_cast<std::size_t>(seat)] + " says " + line);
}

}  // namespace corvane
