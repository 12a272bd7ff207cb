// Thousands of random hands of every built-in game and two custom ones (the stock twos wild draw;
// and one with face-up, shared and wild cards and a round of two draws), with the game's own bots
// and a user who answers at random (bets, discards, wild-card payments), at random table sizes and
// chip counts, on the script host. After every hand the chips are all there, wild-card payments
// included, nobody is below zero and the pots are empty; nobody acts after folding or going
// all-in, nor twice in a betting round without a bet or raise between (an all-in that raises
// nothing is a call); a player who folded is never the best hand showing nor bets first; every
// betting round ends with the seats still in level, each holding its cards and no card twice. At
// every pace the cards are heard one by one: two deal sounds never start closer than the spacing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/deck.h"
#include "engine/hand_engine.h"
#include "engine/keyboard_player.h"
#include "engine/pay_in.h"
#include "engine/table_narration.h"
#include "platform/key_names.h"
#include "platform/recording_speech.h"
#include "platform/script_host.h"
#include "platform/virtual_audio_device.h"
#include "speech/pace.h"
#include "table/load_game_definition.h"

namespace corvane {
namespace {

// The script host with a user who answers every prompt by a rule: a random betting choice, the
// proposed amount, random marks in the discard menu, mostly paying for wild cards, Enter to show
// the cards and Yes to play on. The host keeps what was said, one line a phrase.
struct SilentStream {
  std::ostream silent{nullptr};
};
class RandomUserHost : private SilentStream, public ScriptHost {
 public:
  explicit RandomUserHost(std::uint64_t seed)
      : ScriptHost(Script{}, silent, silent, false), pick_(seed) {}

  std::optional<HostEvent> NextEvent(double deadline, WaitKind kind) override {
    if (kind != WaitKind::Answer && !std::isinf(deadline)) {
      return ScriptHost::NextEvent(deadline, kind);
    }
    HostEvent event;
    event.kind = HostEvent::Kind::Key;
    event.code = KeyFromName(Answer())->code;
    return event;
  }
  void OnSpoken(std::string_view text) override { spoken.emplace_back(text); }

  std::string Transcript() const {
    std::string all;
    for (const auto& line : spoken) all += line + "\n";
    return all;
  }
  std::vector<std::string> spoken;

 private:
  std::string Answer() {
    const double r = pick_.Rnd();
    for (auto it = spoken.rbegin(); it != spoken.rend(); ++it) {
      if (*it == "What would you like to do?")
        return r < 0.45 ? "C" : r < 0.7 ? "R" : r < 0.8 ? "I" : "F";
      if (*it == "Amount to bet or raise?") return r < 0.8 ? "Enter" : "Esc";
      if (*it == "Press space to select card to discard. Press Enter when done.") {
        return r < 0.4 ? "Space" : r < 0.7 ? "Down" : r < 0.8 ? "Up" : r < 0.95 ? "Enter" : "Esc";
      }
      if (*it == "Pay or Fold?") return r < 0.75 ? "P" : r < 0.95 ? "F" : "Esc";
      if (it->rfind("All betting is complete.", 0) == 0) return "Enter";
      if (*it == "Play another hand of this game?") return "Y";
    }
    return "Esc";
  }
  Random pick_;
};

// A custom game with face-down, face-up and shared cards, the one-eyed Jacks and the suicide King
// wild, a round of two draws without betting between them and a last draw with betting.
GameDefinition MixedWildDraw() {
  GameDefinition g;
  g.GameCode = kCustomGame;
  g.GameName = "Mixed Wild Draw";
  g.RoundCount = 7;
  g.HasWildCards = g.HasFaceUp = g.HasShared = g.HighShowingBetsFirst = true;
  g.WildCount = 3;
  g.WildCards[1] = MakeCard(1, 11);
  g.WildCards[2] = MakeCard(2, 11);
  g.WildCards[3] = MakeCard(2, 13);
  g.Rounds[3].FaceUp = g.Rounds[3].Betting = true;
  g.Rounds[4].FaceUp = g.Rounds[4].Shared = true;
  g.Rounds[5].Betting = true;
  g.Rounds[5].Draws = 2;
  g.Rounds[5].MaxDrawCards = 2;
  g.Rounds[6].FaceUp = g.Rounds[6].Betting = true;
  g.Rounds[7].Betting = g.Rounds[7].BetAfterDraw = true;
  g.Rounds[7].Draws = 1;
  g.Rounds[7].MaxDrawCards = 3;
  return g;
}

// The stock game of five cards face down, the Twos wild, one draw of up to four cards with betting
// before and after it.
const std::string kTwosWildDraw = CORVANE_PROGRAM_FOLDER "Twos Wild Draw.gam";

class RandomHandsTest : public ::testing::Test, private TableEvents, private Listener {
 protected:
  RandomHandsTest() {
    speech.TTSSetup(1);
    sound.DSInit();
    seating.Seat(kHostSeat, user, this);
  }

  Speech& Ears() override { return speech; }
  SoundEngine& Sounds() override { return sound; }
  int TableVolume() const override { return 0; }
  Prompts& Questions() override { return prompts; }

  void BettingRoundEnded() override {
    roundEnds.push_back(host.spoken.size());
    CheckRoundIsLevel();
    CheckCardsAreWhole();
  }

  void NewTable() {
    table = TableState{};
    hand = HandState{};
    table.settings.Ante = 25;
    table.settings.MaxRaise = deal.Between(0, 1) ? 1000 : 200;
    table.settings.MaxRaises = static_cast<std::int16_t>(deal.Between(1, 4));
    table.settings.StartingChips = 1000;
    table.PlayerCount = static_cast<std::int16_t>(deal.Between(2, 7));
    static const char* kNames[] = {"",       "The Boss", "Susan", "Harry",
                                   "Donald", "Jill",     "Sarah", "John"};
    total = 0;
    for (int seat = 1; seat <= table.PlayerCount; ++seat) {
      table.players.PlayerName[seat] = kNames[seat];
      table.players.Chips[seat] = deal.Between(25, 1200);
      table.players.Bluffing[seat] = static_cast<float>(deal.Rnd());
      table.players.Aggressiveness[seat] = static_cast<float>(deal.Rnd());
      table.players.RiskTaker[seat] = static_cast<float>(deal.Rnd());
      total += table.players.Chips[seat];
    }
    table.Dealer = static_cast<std::int16_t>(deal.Between(1, table.PlayerCount));
    table.RoundEndSeat = table.PlayerCount;
    settings.GamePace = static_cast<Pace>((static_cast<int>(settings.GamePace) + 1) % 3);
  }

  // What the next-hand sequence does: the deal moves on, a game is chosen (what the pot carries
  // stays in it), the hand state is readied, the antes are taken.
  void NextHand() {
    table.Dealer = static_cast<std::int16_t>(table.Dealer % table.PlayerCount + 1);
    const int g = deal.Between(0, 7);
    if (g <= 5) {
      LoadGameDefinition(table.game, kSevenCardStud + g, "");
    } else if (g == 6) {
      ASSERT_TRUE(LoadGameDefinition(table.game, kCustomGame, kTwosWildDraw));
    } else {
      table.game = MixedWildDraw();
    }
    ClearForNextHand(hand);
    Shuffle(table, game);
    for (int seat = 1; seat <= table.PlayerCount && table.game.HasAnte; ++seat)
      TakeAnte(table, hand, seat);
    roundStart = hand.HandContribution;
    roundEnds.clear();
    host.spoken.clear();
    audio.ClearPlays();
  }

  // The deal sounds of the hand (the latest the device keeps) are never closer than the spacing.
  void CheckDealIsSpaced() {
    double last = -kCardSpacing;
    for (const auto& play : audio.Plays()) {
      if (play.name != "deal.wav") continue;
      EXPECT_GE(play.at - last, kCardSpacing - 1e-9) << int(settings.GamePace) << host.Transcript();
      last = play.at;
    }
  }

  std::int64_t Chips() const {
    std::int64_t sum = hand.Pot;
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

  // Every seat still in holds a card in every slot dealt so far, and no card is in two places (a
  // community card is one card in every hand).
  void CheckCardsAreWhole() {
    std::set<CardNumber> seen;
    for (int slot = 1; slot <= hand.CurrentRound; ++slot) {
      const bool shared = table.game.Rounds[slot].Shared && table.game.HasShared;
      CardNumber community = 0;
      for (int seat = 1; seat <= table.PlayerCount; ++seat) {
        if (hand.Folded[seat]) continue;
        const CardNumber card = table.Cards[seat][slot];
        EXPECT_NE(card, 0) << "seat " << seat << " slot " << slot << "\n" << host.Transcript();
        if (shared && community == 0) community = card;
        if (shared) {
          EXPECT_EQ(card, community) << host.Transcript();
        } else {
          EXPECT_TRUE(seen.insert(card).second) << CardName(card, 0) << " twice\n"
                                                << host.Transcript();
        }
      }
      if (community != 0) {
        EXPECT_TRUE(seen.insert(community).second) << host.Transcript();
      }
    }
  }

  // Nobody acts after folding or going all-in (one who called or bet its last chip is all-in too);
  // a folded player draws no cards, nobody out pays for a wild card, and the best hand showing and
  // the first bettor are players still in. In a betting round a player acts again only after a bet
  // or a raise: what each has put in tells whether an all-in raised. The payments spoken add up to
  // WildPayments.
  void CheckNobodyActsWhenOut() {
    std::set<std::string> out, folded, actedSinceRaise;
    std::map<std::string, std::int32_t> paid, put;  // put: in this betting round
    std::int32_t level = 0;                         // the most anyone has put in this round
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
        int a = 0, b = 0;
        return std::sscanf(rest.c_str(), format, &a, &b) >= 1 ? a + b : 0;
      };
      const auto says = [&rest](const char* start) { return rest.rfind(start, 0) == 0; };
      const std::string trace = name + ": " + line + "\n" + host.Transcript();
      if (says("  has the best hand showing with ") || rest == " bets first.") {
        EXPECT_EQ(folded.count(name), 0u) << trace;
      }
      if (says(" pays  the ")) {
        put[name] += amount(" pays  the %*s blind of %d");
        level = std::max(level, put[name]);
      }
      const bool pays = says(" pays for the ");
      if (pays) paid[name] += std::atoi(line.substr(line.rfind(' ') + 1).c_str());
      if (says(" draws ") || pays) {
        EXPECT_EQ(folded.count(name), 0u) << trace;
      }
      if (pays) {
        EXPECT_EQ(out.count(name), 0u) << trace;
      }
      const bool acts = says(" checks") || says(" calls, ") ||
                        (says(" bets ") && rest != " bets first.") || says(" sees the ") ||
                        says(" folds.") || says(" is going all in");
      if (!acts) continue;
      EXPECT_EQ(out.count(name), 0u) << "acted when out: " << trace;
      EXPECT_EQ(actedSinceRaise.count(name), 0u) << "acted again: " << trace;
      put[name] += amount(" calls, %d") + amount(" bets %d") +
                   amount(" sees the %d chips and raises %d") + amount(" is going all in for %d");
      if (put[name] > level) {
        level = put[name];
        actedSinceRaise.clear();
      }
      actedSinceRaise.insert(name);
      if (says(" folds.") || says(" is going all in")) out.insert(name);
      if (says(" folds.")) folded.insert(name);
    }
    for (int seat = 1; seat <= table.PlayerCount; ++seat) {
      const std::string& name = table.players.PlayerName[seat];
      EXPECT_EQ(paid[name], hand.WildPayments[seat]) << name << "\n" << host.Transcript();
      totalWildPayments += hand.WildPayments[seat];
    }
  }

  Random deal{20261206};
  RandomUserHost host{99};
  RecordingSpeech engines;
  Keyboard keyboard{host};
  Speech speech{host, engines};
  UserSettings settings;
  Prompts prompts{keyboard, speech, settings};
  VirtualAudioDevice audio{[this] { return host.Now(); }};
  Random game{5};
  Random cosmetic{6};
  SoundEngine sound{host, audio, cosmetic, CORVANE_PROGRAM_FOLDER};
  TableState table;
  HandState hand;
  Seating seating{game};
  TableNarration narration{table, seating, prompts, cosmetic};
  KeyboardPlayer user{prompts};
  HandEngine engine{table, hand, settings, narration, seating, prompts, game, *this};
  PerSeat<std::int32_t> roundStart{};
  std::int64_t total = 0;
  std::int64_t totalWildPayments = 0;
  // Where in the spoken lines of the hand each betting round that went all the way round ended.
  std::vector<std::size_t> roundEnds;
  int levelChecks = 0;
};

TEST_F(RandomHandsTest, ChipsAreConservedAndEveryRuleHolds) {
  std::map<std::int16_t, int> played;
  std::map<std::string, int> seen;  // hands in which a line containing this was said
  const std::vector<std::string> kCounted{"side pots", " draws ", "You can only discard up to",
                                          "Pay or Fold?", "leaves the table"};
  int closedTables = 0;
  NewTable();
  for (int n = 0; n < 8000 && !HasFailure(); ++n) {
    if (table.GameOver || table.PlayerCount < 2) NewTable();
    NextHand();
    const int seatsBefore = table.PlayerCount;
    const int leftBefore = table.LeftTableCount;
    engine.PlayHand();
    ++played[table.game.GameCode];
    const std::string transcript = host.Transcript();
    for (const auto& text : kCounted) seen[text] += transcript.find(text) != std::string::npos;

    ASSERT_EQ(Chips(), total) << transcript;
    for (int seat = 1; seat <= table.PlayerCount; ++seat) {
      ASSERT_GE(table.players.Chips[seat], 0) << transcript;
    }
    EXPECT_EQ(hand.PotCount, 0);
    for (int p = 1; p <= kMaxPots; ++p) EXPECT_EQ(hand.PotAmount[p], 0);
    EXPECT_TRUE(hand.HandOver);
    if (table.GameOver) {
      ++closedTables;  // the user could not pay a blind or the next ante
    } else {
      // The pot keeps only what players who left put in: less than an ante each.
      EXPECT_LE(hand.Pot, (table.LeftTableCount - leftBefore) * (table.settings.Ante - 1))
          << transcript;
    }
    // The payments are checked against the seats before anyone leaves at the end of the hand.
    if (table.PlayerCount == seatsBefore) CheckNobodyActsWhenOut();
    CheckDealIsSpaced();
    // A new table starts with its own chips: what was carried stays with the table it was on.
    if (table.GameOver || table.PlayerCount < 2) hand.Pot = 0;
  }
  // The hands went where the rules are tested.
  for (int code = kSevenCardStud; code <= kTexasHoldem; ++code) {
    EXPECT_GT(played[static_cast<std::int16_t>(code)], 700) << code;
  }
  EXPECT_GT(played[kCustomGame], 1400);
  EXPECT_GT(seen["side pots"], 200);
  EXPECT_GT(seen[" draws "], 1500);
  EXPECT_GT(seen["You can only discard up to"], 10);
  EXPECT_GT(seen["Pay or Fold?"], 200);
  EXPECT_GT(seen["leaves the table"], 100);
  EXPECT_GT(totalWildPayments, 10000);
  EXPECT_GT(levelChecks, 6000);
  EXPECT_GT(closedTables, 10);
}

}  // namespace
}  // namespace corvane
