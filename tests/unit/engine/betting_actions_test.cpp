// The all-in on its own, one row each, at a table of three where Harry raised 100 and the Boss
// called: what Susan's all-in says, whether it reopens the betting (the seat the round ends at),
// counts as a raise, sets the last raise, and what the others then owe.
#include <gtest/gtest.h>

#include <sstream>

#include "engine/hand_engine.h"
#include "engine/table_narration.h"
#include "platform/recording_speech.h"
#include "platform/script_host.h"
#include "platform/virtual_audio_device.h"

namespace corvane {
namespace {

// The person at seat 1, who hears everything said to the table.
struct HearsAll : Listener {
  HearsAll(Speech& speech, SoundEngine& sound, Prompts& prompts)
      : speech(speech), sound(sound), prompts(prompts) {}
  Speech& Ears() override { return speech; }
  SoundEngine& Sounds() override { return sound; }
  int TableVolume() const override { return 0; }
  Prompts& Questions() override { return prompts; }
  Speech& speech;
  SoundEngine& sound;
  Prompts& prompts;
};

TEST(BettingActions, AnAllInReopensAndRaisesByItsSize) {
  const struct {
    std::int32_t chips;
    bool othersOut;  // the Boss has folded and Harry is all-in
    int endSeat, raiseCount;
    std::int32_t lastRaise, bossOwes, harryOwes;
  } rows[] = {
      {80, false, 3, 1, 100, 0, 0},     // less than the call: a call, nothing reopens
      {100, false, 3, 1, 100, 0, 0},    // the call exactly
      {150, false, 2, 1, 100, 50, 50},  // half the last raise: reopens, but is no raise
      {151, false, 2, 2, 100, 51, 51},  // more than half: a raise, the last raise stays
      {250, false, 2, 2, 150, 150, 150},
      {250, true, 2, 2, 150, 0, 0},  // nothing more is owed by who folded or is all-in
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.chips);
    std::ostringstream said;
    ScriptHost host(Script{}, said, said, false);
    RecordingSpeech engines;
    Keyboard keyboard{host};
    Speech speech{host, engines};
    Prompts prompts{keyboard, speech};
    VirtualAudioDevice audio{[&host] { return host.Now(); }};
    Random game{7}, cosmetic{11};
    SoundEngine sound{host, audio, cosmetic, CORVANE_PROGRAM_FOLDER};
    TableState table;
    HandState hand;
    UserSettings settings;
    TableEvents events;
    Seating seating{game};
    TableNarration narration{table, seating, prompts, cosmetic};
    HearsAll user{speech, sound, prompts};
    seating.Seat(1, seating.PlayerAt(1), &user);
    HandEngine engine{table, hand, settings, narration, seating, prompts, game, events};
    speech.TTSSetup(1);
    sound.DSInit();
    table.PlayerCount = 3;
    table.players.PlayerName = {"", "The Boss", "Susan", "Harry"};
    table.players.Chips = {0, 1000, row.chips, 1000};
    table.settings.Ante = 25;
    hand.LastRaise = 100;
    hand.RaiseCount = 1;
    hand.EndSeat = 3;
    hand.ToCall[2] = 100;
    hand.Folded[1] = hand.AllIn[3] = row.othersOut;
    engine.ApplyBet(2, {BetAction::AllIn});
    EXPECT_NE(said.str().find("Susan is going all in for " + std::to_string(row.chips) + "\n"),
              std::string::npos)
        << said.str();
    EXPECT_EQ(hand.EndSeat, row.endSeat);
    EXPECT_EQ(hand.RaiseCount, row.raiseCount);
    EXPECT_EQ(hand.LastRaise, row.lastRaise);
    EXPECT_EQ(hand.ToCall[1], row.bossOwes);
    EXPECT_EQ(hand.ToCall[3], row.harryOwes);
    EXPECT_EQ(hand.ToCall[2], 0);
    EXPECT_TRUE(hand.AllIn[2] && hand.PendingAllIn[2]);
    EXPECT_EQ(table.players.Chips[2], 0);
    EXPECT_EQ(hand.Pot, row.chips);
  }
}

}  // namespace
}  // namespace corvane
