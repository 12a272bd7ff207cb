// A whole table on the fake host, wired as the application wires it: the hand engine, the status
// reports and the command dispatcher behind the keyboard. Keys in (pressed at once, answered at a
// prompt, or by standing rules on what is said), spoken lines, chips and sounds out.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "commands/command_dispatcher.h"
#include "commands/status_reports.h"
#include "engine/hand_engine.h"
#include "engine/hand_state.h"
#include "platform/virtual_audio_device.h"
#include "sound/sound_engine.h"
#include "speech/keyboard.h"
#include "speech/prompts.h"
#include "speech/speech.h"
#include "support/cards.h"
#include "support/fake_host.h"
#include "support/fake_speech_engines.h"
#include "table/load_game_definition.h"
#include "table/random.h"
#include "table/table_state.h"
#include "table/user_settings.h"

namespace corvane::testing {

using Lines = std::vector<std::string>;

// The fake host with standing answers, as a script's "on TEXT => KEYS" lines: whenever a spoken
// line contains the text, the keys are queued as answers. Actions can also be run on a line.
class RulesHost : public FakeHost {
 public:
  void On(std::string text, std::string keys) { rules_.push_back({std::move(text), keys, {}}); }
  void OnLine(std::string text, std::function<void()> action) {
    rules_.push_back({std::move(text), "", std::move(action)});
  }
  void ClearRules() { rules_.clear(); }

  void OnSpoken(std::string_view line) override {
    FakeHost::OnSpoken(line);
    // A copy: an action may add rules.
    const auto rules = rules_;
    for (const auto& rule : rules) {
      if (line.find(rule.text) == std::string_view::npos) continue;
      if (!rule.keys.empty()) Keys(rule.keys);
      if (rule.action) rule.action();
    }
  }

 private:
  struct Rule {
    std::string text;
    std::string keys;
    std::function<void()> action;
  };
  std::vector<Rule> rules_;
};

class TableFixture : public ::testing::Test {
 protected:
  TableFixture() {
    speech.TTSSetup(1);
    sound.DSInit();
    keyboard.SetCommandDispatcher([this] { dispatcher.DispatchCommandKey(); });
    // The bots call (or check) every time unless a test scripts them otherwise.
    engine.hooks().BotDecision = [](int, const BotSituation&) {
      return BotChoice{BotMove::Call, 0, BotStep::LastResort};
    };
    engines.log.clear();
  }

  ~TableFixture() override {
    // CORVANE_SHOW_TRANSCRIPT=1 prints what each test heard.
    if (std::getenv("CORVANE_SHOW_TRANSCRIPT") != nullptr) std::cout << host.Transcript() << '\n';
  }

  // Seats the players with the built-in game `gameCode` (11..16); the user is seat 1.
  void Seat(int gameCode, std::initializer_list<std::string> names,
            std::initializer_list<std::int32_t> chips, int dealer) {
    ASSERT_TRUE(LoadGameDefinition(table.game, gameCode, ""));
    table.PlayerCount = static_cast<std::int16_t>(names.size());
    int seat = 1;
    for (const auto& name : names) table.players.PlayerName[seat++] = name;
    seat = 1;
    for (const auto amount : chips) table.players.Chips[seat++] = amount;
    table.Dealer = static_cast<std::int16_t>(dealer);
    table.RoundEndSeat = table.PlayerCount;
  }

  // Puts cards in a seat's slots 1.. (0 leaves a slot empty).
  void Deal(int seat, std::initializer_list<CardNumber> cards) {
    int slot = 1;
    for (const auto card : cards) table.Cards[seat][slot++] = card;
  }

  // Presses a key (a script's key name) at the window while no prompt waits; returns what was
  // said in answer.
  Lines Press(std::string_view name) {
    host.ClearSpoken();
    engines.log.clear();
    const HostEvent key = ParseKeyName(name);
    keyboard.InputWaiting = false;
    keyboard.WindowKeyDown(key.code, key.shift);
    return host.spoken;
  }

  // The phrases given to the screen reader since the log was last cleared ("" for a phrase that
  // was empty after its marker).
  Lines SaidToReader() const {
    Lines said;
    for (const auto& call : engines.log) {
      if (call.rfind("Say(", 0) == 0) said.push_back(call.substr(4, call.size() - 5));
    }
    return said;
  }

  int CountSaid(const std::string& line) const {
    return static_cast<int>(std::count(host.spoken.begin(), host.spoken.end(), line));
  }
  bool Said(const std::string& line) const { return CountSaid(line) > 0; }
  // True when `expected` appears in the spoken lines in this order (other lines may lie between).
  bool SaidInOrder(const Lines& expected) const {
    std::size_t next = 0;
    for (const auto& line : host.spoken) {
      if (next < expected.size() && line == expected[next]) ++next;
    }
    return next == expected.size();
  }
  int CountSounds(const std::string& name) const {
    return static_cast<int>(std::count(host.sounds.begin(), host.sounds.end(), name));
  }

  std::int32_t TotalChips() const {
    std::int32_t total = hand.Pot;
    for (int seat = 1; seat <= table.PlayerCount; ++seat) total += table.players.Chips[seat];
    return total;
  }

  // Runs the next-hand sequence as the play loop does; the end of the scripted keys ends it too.
  void NextHand() {
    table.KeepPlaying = true;
    keyboard.KeyPressed = 0;
    try {
      dispatcher.DispatchCommandKey();
    } catch (const EndProgram&) {
      ended = true;
    }
  }

  // Standing answers that carry a hand to its end: the user checks or calls, confirms the
  // showdown and stops after the hand.
  void AnswerEveryQuestion() {
    host.On("What would you like to do?", "C");
    host.On("All betting is complete.", "Enter");
    host.On("Play another hand of this game?", "N");
  }

  RulesHost host;
  FakeSpeechEngineFactory engines;
  Keyboard keyboard{host};
  Speech speech{host, engines};
  Prompts prompts{
      keyboard, speech,
      PromptContext{
          .maxDrawCards =
              [this] {
                const int round = hand.CurrentRound;
                return int{
                    table.game.Rounds[round >= 0 && round <= kMaxRounds ? round : 0].MaxDrawCards};
              },
          .cardLeftKey = [this] { return int{settings.CardLeftKey}; },
          .cardRightKey = [this] { return int{settings.CardRightKey}; }}};
  VirtualAudioDevice audio{[this] { return host.Now(); }};
  Random game{7};
  Random cosmetic{11};
  SoundEngine sound{host, audio, cosmetic, CORVANE_PROGRAM_FOLDER};
  TableState table;
  HandState hand;
  UserSettings settings;
  HandEngine engine{table, hand, settings, speech, prompts, keyboard, sound, game, cosmetic};
  StatusReports reports{table, hand, speech, engine};
  std::vector<int> helpScreens;
  int voiceSettingsOpened = 0;
  CommandDispatcher dispatcher{
      host,
      table,
      hand,
      settings,
      speech,
      prompts,
      keyboard,
      sound,
      engine,
      reports,
      CommandHooks{.readHelp = [this](int kind) { helpScreens.push_back(kind); },
                   .voiceSettings = [this] { ++voiceSettingsOpened; }}};
  bool ended = false;
};

}  // namespace corvane::testing
