// One hand engine at a table on the fake host: stacked decks and scripted keys in, spoken lines
// and chips out. Bots can be scripted move by move.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <initializer_list>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "engine/deck.h"
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
#include "table/table_state.h"
#include "table/user_settings.h"
#include "test_games.h"

namespace corvane::testing {

using Lines = std::vector<std::string>;

class EngineFixture : public ::testing::Test {
 protected:
  EngineFixture() {
    speech.TTSSetup(1);
    sound.DSInit();
    engine.hooks().BotDecision = [this](int seat, const BotSituation&) {
      auto& moves = botMoves[seat];
      if (moves.empty()) return BotChoice{BotMove::Call, 0, BotStep::LastResort};
      const BotChoice choice = moves.front();
      moves.pop_front();
      return choice;
    };
  }

  ~EngineFixture() override {
    // CORVANE_SHOW_TRANSCRIPT=1 prints what each test heard, to read a hand as the user would.
    if (std::getenv("CORVANE_SHOW_TRANSCRIPT") != nullptr) std::cout << host.Transcript() << '\n';
  }

  // Seats the players: the user first. Every seat gets the given chips.
  void Seat(const GameDefinition& game, std::initializer_list<std::string> names,
            std::initializer_list<std::int32_t> chips, int dealer) {
    table.game = game;
    table.PlayerCount = static_cast<std::int16_t>(names.size());
    int seat = 1;
    for (const auto& name : names) table.players.PlayerName[seat++] = name;
    seat = 1;
    for (const auto amount : chips) table.players.Chips[seat++] = amount;
    table.Dealer = static_cast<std::int16_t>(dealer);
    table.RoundEndSeat = table.PlayerCount;
  }

  // What the caller does before every hand: ready the hand state, stack the deck, take the antes.
  void Ready(std::initializer_list<CardNumber> top, bool antes) {
    Ready(std::vector<CardNumber>(top), antes);
  }
  void Ready(const std::vector<CardNumber>& top, bool antes) {
    ClearForNextHand(hand);
    Shuffle(table, game);
    StackDeck(table, top);
    if (antes) TakeAntes();
  }

  // The top of a deck that deals each seat its cards, slot by slot, when seat 1 receives first
  // (the dealer in the last seat) and nobody folds during the deal; `after` follows (the cards of
  // the draws, in the order they are dealt).
  static std::vector<CardNumber> DealtAs(const std::vector<std::vector<CardNumber>>& hands,
                                         const std::vector<CardNumber>& after = {}) {
    std::vector<CardNumber> top;
    std::size_t slots = 0;
    for (const auto& h : hands) slots = std::max(slots, h.size());
    for (std::size_t slot = 0; slot < slots; ++slot) {
      for (const auto& h : hands) {
        if (slot < h.size()) top.push_back(h[slot]);
      }
    }
    top.insert(top.end(), after.begin(), after.end());
    return top;
  }

  // The cards of a seat's slots 1..count.
  std::vector<CardNumber> HandCards(int seat, int count) const {
    std::vector<CardNumber> cards;
    for (int slot = 1; slot <= count; ++slot) cards.push_back(table.Cards[seat][slot]);
    return cards;
  }

  // The spoken lines from the first that equals `from` on (empty when it was never said).
  Lines LinesFrom(const std::string& from) const {
    Lines lines;
    bool found = false;
    for (const auto& line : host.spoken) {
      found = found || line == from;
      if (found) lines.push_back(line);
    }
    return lines;
  }
  int CountSaid(const std::string& line) const {
    return static_cast<int>(std::count(host.spoken.begin(), host.spoken.end(), line));
  }
  void TakeAntes() {
    const std::int32_t ante = table.settings.Ante;
    for (int seat = 1; seat <= table.PlayerCount; ++seat) {
      const std::int32_t paid = std::min(ante, table.players.Chips[seat]);
      table.players.Chips[seat] -= paid;
      hand.Pot += paid;
      hand.HandContribution[seat] += paid;
      hand.OpenContribution[seat] += paid;
    }
  }

  void Script(int seat, std::initializer_list<BotChoice> moves) {
    for (const auto& m : moves) botMoves[seat].push_back(m);
  }
  static BotChoice Check() { return {BotMove::CheckOrFold, 0, BotStep::LastResort}; }
  static BotChoice Call() { return {BotMove::Call, 0, BotStep::LastResort}; }
  static BotChoice Raise(std::int32_t r) { return {BotMove::Raise, r, BotStep::LastResort}; }

  // Plays the hand; the program's end (a prompt with no key left) ends it too.
  void Play() {
    try {
      engine.PlayHand();
    } catch (const EndProgram&) {
      ended = true;
    }
  }

  std::int32_t TotalChips() const {
    std::int32_t total = hand.Pot;
    for (int seat = 1; seat <= table.PlayerCount; ++seat) total += table.players.Chips[seat];
    return total;
  }

  // True when `expected` appears in the spoken lines in this order (other lines may lie between).
  bool SaidInOrder(const Lines& expected) const {
    std::size_t next = 0;
    for (const auto& line : host.spoken) {
      if (next < expected.size() && line == expected[next]) ++next;
    }
    return next == expected.size();
  }
  bool Said(const std::string& line) const {
    for (const auto& l : host.spoken) {
      if (l == line) return true;
    }
    return false;
  }
  bool SaidContaining(const std::string& part) const {
    for (const auto& l : host.spoken) {
      if (l.find(part) != std::string::npos) return true;
    }
    return false;
  }

  FakeHost host;
  FakeSpeechEngineFactory engines;
  Keyboard keyboard{host};
  Speech speech{host, engines};
  // The menu's multi-select limit: the current round's MaxDrawCards, as the application wires it,
  // or, with `menuLimitWired` false, the menu's own wide limit (so that the draw's own check of the
  // selection shows).
  bool menuLimitWired = true;
  Prompts prompts{
      keyboard, speech,
      PromptContext{
          .maxDrawCards =
              [this] {
                if (!menuLimitWired) return 16;
                const int round = hand.CurrentRound;
                return int{
                    table.game.Rounds[round >= 0 && round <= kMaxRounds ? round : 0].MaxDrawCards};
              },
          .cardLeftKey = [] { return 37; },
          .cardRightKey = [] { return 39; }}};
  VirtualAudioDevice audio{[this] { return host.Now(); }};
  Random game{7};
  Random cosmetic{11};
  SoundEngine sound{host, audio, cosmetic, CORVANE_PROGRAM_FOLDER};
  TableState table;
  HandState hand;
  UserSettings settings;
  HandEngine engine{table, hand, settings, speech, prompts, keyboard, sound, game, cosmetic};
  std::map<int, std::deque<BotChoice>> botMoves;
  bool ended = false;
};

}  // namespace corvane::testing
