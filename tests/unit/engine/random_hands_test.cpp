// Thousands of random hands of every built-in game and two custom ones (deuces wild with a draw;
// and one with face-up, shared and wild cards and a round of two draws), with the game's own bots
// and a user who answers at random (bets, discards, wild-card payments), at random table sizes and
// chip counts. After every hand the chips are all there, wild-card payments included, nobody is
// below zero and the pots are empty; nobody acts after folding or going all-in, nor twice in a
// betting round without a bet or raise between (an all-in that raises nothing is a call); a player
// who folded is never the best hand showing nor bets first; every betting round ends with the seats
// still in level, each holding its cards and no card twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/hand_engine.h"
#include "engine/side_pots.h"
#include "platform/virtual_audio_device.h"
#include "support/fake_host.h"
#include "support/fake_speech_engines.h"
#include "test_games.h"

namespace corvane::testing {
namespace {

// A fake host whose user answers every prompt by a rule: a random betting choice, the proposed
// amount, Enter to show the cards, Yes to play on.
class RandomUserHost : public FakeHost {
 public:
  explicit RandomUserHost(std::uint64_t seed) : pick_(seed) {}

  std::optional<HostEvent> NextEvent(double deadline, WaitKind kind) override {
    if (kind != WaitKind::Answer || KeysLeft() != 0) return FakeHost::NextEvent(deadline, kind);
    ++answers;
    return ParseKeyName(Answer());
  }
  int answers = 0;

 private:
  std::string Answer() {
    for (auto it = spoken.rbegin(); it != spoken.rend(); ++it) {
      if (*it == "What would you like to do?") {
        const double r = pick_.Rnd();
        return r < 0.45 ? "C" : r < 0.7 ? "R" : r < 0.8 ? "I" : "F";
      }
      if (*it == "Amount to bet or raise?") return pick_.Rnd() < 0.8 ? "Enter" : "Esc";
      if (*it == "Press space to select card to discard. Press Enter when done.") {
        const double r = pick_.Rnd();
        return r < 0.4 ? "Space" : r < 0.7 ? "Down" : r < 0.8 ? "Up" : r < 0.95 ? "Enter" : "Esc";
      }
      if (*it == "Pay or Fold?") {
        const double r = pick_.Rnd();
        return r < 0.75 ? "P" : r < 0.95 ? "F" : "Esc";
      }
      if (it->rfind("All betting is complete.", 0) == 0) return "Enter";
      if (*it == "Play another hand of this game?") return "Y";
    }
    return "Esc";
  }
  Random pick_;
};

class RandomHandsTest : public ::testing::Test {
 protected:
  RandomHandsTest() {
    speech.TTSSetup(1);
    sound.DSInit();
    engine.hooks().BettingRoundEnded = [this] {
      roundEnds.push_back(host.spoken.size());
      CheckRoundIsLevel();
      CheckCardsAreWhole();
    };
  }

  // A custom game with face-down, face-up and shared cards, the one-eyed Jacks and the suicide
  // King wild, a round of two draws without betting between them and a last draw with betting.
  static GameDefinition MixedWildDraw() {
    GameDefinition g;
    g.GameCode = kCustomGame;
    g.GameName = "Mixed Wild Draw";
    g.RoundCount = 7;
    g.HasWildCards = true;
    g.HasFaceUp = true;
    g.HasShared = true;
    g.HighShowingBetsFirst = true;
    g.WildCount = 3;
    g.WildCards[1] = MakeCard(1, 11);
    g.WildCards[2] = MakeCard(2, 11);
    g.WildCards[3] = MakeCard(2, 13);
    g.Rounds[3].FaceUp = true;
    g.Rounds[3].Betting = true;
    g.Rounds[4].FaceUp = true;
    g.Rounds[4].Shared = true;
    g.Rounds[5].Betting = true;
    g.Rounds[5].Draws = 2;
    g.Rounds[5].MaxDrawCards = 2;
    g.Rounds[6].FaceUp = true;
    g.Rounds[6].Betting = true;
    g.Rounds[7].Betting = true;
    g.Rounds[7].Draws = 1;
    g.Rounds[7].MaxDrawCards = 3;
    g.Rounds[7].BetAfterDraw = true;
    return g;
  }

  // Every seat still in holds a card in every slot dealt so far, and no card is in two places (a
  // community card is one card in every hand).
  void CheckCardsAreWhole() {
    const GameDefinition& g = table.game;
    std::set<CardNumber> seen;
    for (int slot = 1; slot <= hand.CurrentRound; ++slot) {
      const bool shared = g.Rounds[slot].Shared && g.HasShared;
      CardNumber community = 0;
      for (int seat = 1; seat <= table.PlayerCount; ++seat) {
        if (hand.Folded[seat]) continue;
        const CardNumber card = table.Cards[seat][slot];
        EXPECT_NE(card, 0) << "seat " << seat << " slot " << slot << "\n" << host.Transcript();
        if (shared) {
          if (community == 0) community = card;
          EXPECT_EQ(card, community) << host.Transcript();
          continue;
        }
        EXPECT_TRUE(seen.insert(card).second) << CardName(card, 0) << " held twice\n"
                                              << host.Transcript();
      }
      if (community != 0) {
        EXPECT_TRUE(seen.insert(community).second) << host.Transcript();
      }
    }
  }

  void NewTable() {
    table = TableState{};
    hand = HandState{};
    table.settings.Ante = 25;
    table.settings.MaxRaise = deal.Between(0, 1) ? 1000 : 200;
    table.settings.MaxRaises = static_cast<std::int16_t>(deal.Between(1, 4));
    table.PlayerCount = static_cast<std::int16_t>(deal.Between(2, 7));
    static const char* kNames[] = {"",       "The Boss", "Susan", "Harry",
                                   "Donald", "Jill",     "Sarah", "John"};
    for (int seat = 1; seat <= table.PlayerCount; ++seat) {
      table.players.PlayerName[seat] = kNames[seat];
      table.players.Chips[seat] = deal.Between(25, 1200);
      table.players.Bluffing[seat] = static_cast<float>(deal.Rnd());
      table.players.Aggressiveness[seat] = static_cast<float>(deal.Rnd());
      table.players.RiskTaker[seat] = static_cast<float>(deal.Rnd());
    }
    table.settings.StartingChips = 1000;
    table.Dealer = static_cast<std::int16_t>(deal.Between(1, table.PlayerCount));
    table.RoundEndSeat = table.PlayerCount;
    total = 0;
    for (int seat = 1; seat <= table.PlayerCount; ++seat) total += table.players.Chips[seat];
  }

  // What the next-hand sequence does: the deal moves on, the hand state is readied, the antes.
  void NextHand() {
    table.Dealer =
        static_cast<std::int16_t>(table.Dealer >= table.PlayerCount ? 1 : table.Dealer + 1);
    // A new game can be chosen between hands; what the pot carries stays in it.
    const int g = deal.Between(0, 7);
    table.game = g <= 5 ? Builtin(kSevenCardStud + g) : g == 6 ? DeucesWildDraw() : MixedWildDraw();
    ClearForNextHand(hand);
    engine.Shuffle();
    if (table.game.HasAnte) {
      for (int seat = 1; seat <= table.PlayerCount; ++seat) {
        const std::int32_t paid = std::min(table.settings.Ante, table.players.Chips[seat]);
        table.players.Chips[seat] -= paid;
        hand.Pot += paid;
        hand.HandContribution[seat] += paid;
        hand.OpenContribution[seat] += paid;
      }
    }
    table.KeepPlaying = false;
    roundStart = hand.HandContribution;
    roundEnds.clear();
    host.ClearSpoken();
  }

  std::int32_t Chips() const {
    std::int32_t sum = hand.Pot;
    for (int seat = 1; seat <= table.PlayerCount; ++seat) sum += table.players.Chips[seat];
    return sum;
  }

  // Every seat still in and not all-in paid as much as the most anyone paid in the round.
  void CheckRoundIsLevel() {
    std::int32_t most = 0;
    for (int seat = 1; seat <= table.PlayerCount; ++seat) {
      most = std::max(most, hand.HandContribution[seat] - roundStart[seat]);
    }
    for (int seat = 1; seat <= table.PlayerCount; ++seat) {
      if (hand.Folded[seat] || hand.AllIn[seat]) continue;
      EXPECT_EQ(hand.HandContribution[seat] - roundStart[seat], most)
          << table.players.PlayerName[seat] << " is not level\n"
          << host.Transcript();
      EXPECT_EQ(hand.ToCall[seat], 0);
    }
    roundStart = hand.HandContribution;
    ++levelChecks;
  }

  // Nobody acts after folding or going all-in (one who called or bet its last chip is all-in too);
  // a folded player draws no cards, nobody out pays for a wild card, and the best hand showing and
  // the first bettor are players still in. In a betting round a player acts again only after a bet
  // or a raise: what each has put in tells whether an all-in raised. The payments spoken add up to
  // WildPayments.
  void CheckNobodyActsWhenOut() {
    std::set<std::string> out;
    std::set<std::string> folded;
    std::map<std::string, std::int32_t> paid;
    std::map<std::string, std::int32_t> put;  // in this betting round
    std::int32_t level = 0;                   // the most anyone has put in this round
    std::set<std::string> actedSinceRaise;
    std::size_t nextEnd = 0;
    for (std::size_t i = 0; i < host.spoken.size(); ++i) {
      if (nextEnd < roundEnds.size() && i == roundEnds[nextEnd]) {
        ++nextEnd;
        put.clear();
        level = 0;
        actedSinceRaise.clear();
      }
      const std::string& line = host.spoken[i];
      const auto space = line.find(' ');
      if (space == std::string::npos) continue;
      // Names are one word except the user's.
      const std::string name = line.rfind("The Boss ", 0) == 0 ? "The Boss" : line.substr(0, space);
      const std::string rest = line.substr(name.size());
      const auto amount = [&rest](const char* format) {
        int a = 0;
        int b = 0;
        return std::sscanf(rest.c_str(), format, &a, &b) >= 1 ? a + b : 0;
      };
      if (rest.rfind("  has the best hand showing with ", 0) == 0 || rest == " bets first.") {
        EXPECT_EQ(folded.count(name), 0u) << line << "\n" << host.Transcript();
      }
      if (rest.rfind(" pays  the ", 0) == 0) {
        put[name] += amount(" pays  the %*s blind of %d");
        level = std::max(level, put[name]);
      }
      const bool pays = rest.rfind(" pays for the ", 0) == 0;
      if (pays) paid[name] += std::atoi(line.substr(line.rfind(' ') + 1).c_str());
      if (rest.rfind(" draws ", 0) == 0 || pays) {
        EXPECT_EQ(folded.count(name), 0u) << name << " is out: " << line << "\n"
                                          << host.Transcript();
      }
      if (pays) {
        EXPECT_EQ(out.count(name), 0u) << name << " is out: " << line << "\n" << host.Transcript();
      }
      const bool acts = rest.rfind(" checks", 0) == 0 || rest.rfind(" calls, ", 0) == 0 ||
                        (rest.rfind(" bets ", 0) == 0 && rest != " bets first.") ||
                        rest.rfind(" sees the ", 0) == 0 || rest.rfind(" folds.", 0) == 0 ||
                        rest.rfind(" is going all in", 0) == 0;
      if (!acts) continue;
      EXPECT_EQ(out.count(name), 0u) << name << " acted when out: " << line << "\n"
                                     << host.Transcript();
      EXPECT_EQ(actedSinceRaise.count(name), 0u) << name << " acted again: " << line << "\n"
                                                 << host.Transcript();
      put[name] += amount(" calls, %d") + amount(" bets %d") +
                   amount(" sees the %d chips and raises %d") + amount(" is going all in for %d");
      if (put[name] > level) {
        level = put[name];
        actedSinceRaise.clear();
      }
      actedSinceRaise.insert(name);
      if (rest.rfind(" folds.", 0) == 0 || rest.rfind(" is going all in", 0) == 0) out.insert(name);
      if (rest.rfind(" folds.", 0) == 0) folded.insert(name);
    }
    for (int seat = 1; seat <= table.PlayerCount; ++seat) {
      const std::string& name = table.players.PlayerName[seat];
      EXPECT_EQ(paid[name], hand.WildPayments[seat]) << name << "\n" << host.Transcript();
      totalWildPayments += hand.WildPayments[seat];
    }
  }

  Random deal{20261206};
  RandomUserHost host{99};
  FakeSpeechEngineFactory engines;
  Keyboard keyboard{host};
  Speech speech{host, engines};
  Prompts prompts{keyboard, speech};
  VirtualAudioDevice audio{[this] { return host.Now(); }};
  Random game{5};
  Random cosmetic{6};
  SoundEngine sound{host, audio, cosmetic, CORVANE_PROGRAM_FOLDER};
  TableState table;
  HandState hand;
  UserSettings settings;
  HandEngine engine{table, hand, settings, speech, prompts, keyboard, sound, game, cosmetic};
  PerSeat<std::int32_t> roundStart{};
  std::int64_t total = 0;
  std::int64_t totalWildPayments = 0;
  // Where in the spoken lines of the hand each betting round that went all the way round ended.
  std::vector<std::size_t> roundEnds;
  int levelChecks = 0;
};

TEST_F(RandomHandsTest, ChipsAreConservedAndEveryRuleHolds) {
  constexpr int kHands = 8000;
  std::map<std::int16_t, int> played;
  int sidePotHands = 0;
  int closedTables = 0;
  int drawHands = 0;
  int tooManyHands = 0;
  int payOrFoldHands = 0;
  NewTable();
  for (int n = 0; n < kHands && !HasFailure(); ++n) {
    if (table.GameOver || table.PlayerCount < 2) NewTable();
    NextHand();
    const int seatsBefore = table.PlayerCount;
    const int leftBefore = table.LeftTableCount;
    engine.PlayHand();
    ++played[table.game.GameCode];
    const std::string transcript = host.Transcript();
    if (transcript.find("side pots") != std::string::npos) ++sidePotHands;
    if (transcript.find(" draws ") != std::string::npos) ++drawHands;
    if (transcript.find("Too many cards drawn.") != std::string::npos) ++tooManyHands;
    if (transcript.find("Pay or Fold?") != std::string::npos) ++payOrFoldHands;

    ASSERT_EQ(Chips(), total) << host.Transcript();
    for (int seat = 1; seat <= table.PlayerCount; ++seat) {
      ASSERT_GE(table.players.Chips[seat], 0) << host.Transcript();
    }
    EXPECT_EQ(hand.PotCount, 0);
    for (int p = 1; p <= kMaxPots; ++p) EXPECT_EQ(hand.PotAmount[p], 0);
    EXPECT_LE(table.PlayerCount, seatsBefore);
    EXPECT_TRUE(hand.HandOver);
    if (table.GameOver) {
      // The user could not pay a blind or the next ante: the table is closed.
      ++closedTables;
    } else {
      // The pot keeps only what players who left put in: less than an ante each.
      const int left = table.LeftTableCount - leftBefore;
      EXPECT_LE(hand.Pot, left * (table.settings.Ante - 1)) << host.Transcript();
    }
    // The payments are checked against the seats before anyone leaves at the end of the hand.
    if (table.PlayerCount == seatsBefore) CheckNobodyActsWhenOut();
    // A new table starts with its own chips: what was carried stays with the table it was on.
    if (table.GameOver || table.PlayerCount < 2) hand.Pot = 0;
  }
  std::cout << "hands by game code:";
  for (const auto& [code, count] : played) std::cout << ' ' << code << ": " << count;
  std::cout << "; " << sidePotHands << " with side pots or splits; " << drawHands << " with draws; "
            << tooManyHands << " with too many cards drawn; " << payOrFoldHands
            << " asking the user to pay or fold; " << totalWildPayments
            << " chips paid for wild cards; " << levelChecks << " betting rounds; " << closedTables
            << " tables closed to the user\n";
  for (const int code : {kSevenCardStud, kFiveCardDraw, kFiveCardStud, kKingsAndLittleOnes,
                         kFollowTheQueen, kTexasHoldem}) {
    EXPECT_GT(played[static_cast<std::int16_t>(code)], 700) << code;
  }
  EXPECT_GT(played[kCustomGame], 1400);
  EXPECT_GT(sidePotHands, 200);
  EXPECT_GT(drawHands, 1500);
  EXPECT_GT(tooManyHands, 10);
  EXPECT_GT(payOrFoldHands, 200);
  EXPECT_GT(totalWildPayments, 10000);
  EXPECT_GT(levelChecks, 6000);
  EXPECT_GT(closedTables, 10);
}

}  // namespace
}  // namespace corvane::testing
