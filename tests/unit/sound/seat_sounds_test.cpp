#include "sound/seat_sounds.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "platform/virtual_audio_device.h"
#include "speech/keyboard.h"
#include "speech/prompts.h"
#include "speech/speech.h"
#include "support/fake_host.h"
#include "support/fake_speech_engines.h"
#include "test_waves.h"

namespace corvane {
namespace {

using ::testing::MatchesRegex;

struct Expected {
  int players, seat, angle, volume, pan;
};

// Worked out by hand: step X = (180 - 360 / N) / (N - 2); seat s at X * (s - (N + 2) / 2)
// rounded; volume (|angle| - 70) * 15; pan angle * 33.333 rounded.
const std::vector<Expected> kSeats = {
    // Two players: the opponent straight ahead, quieter.
    {2, 1, 0, -1050, 0},
    {2, 2, 0, -1400, 0},
    // Three: X = 60.
    {3, 1, 0, -1050, 0},
    {3, 2, -30, -600, -1000},
    {3, 3, 30, -600, 1000},
    // Four: X = 45.
    {4, 2, -45, -375, -1500},
    {4, 3, 0, -1050, 0},
    {4, 4, 45, -375, 1500},
    // Five: X = 36.
    {5, 2, -54, -240, -1800},
    {5, 3, -18, -780, -600},
    {5, 4, 18, -780, 600},
    {5, 5, 54, -240, 1800},
    // Six: X = 30.
    {6, 2, -60, -150, -2000},
    {6, 3, -30, -600, -1000},
    {6, 4, 0, -1050, 0},
    {6, 5, 30, -600, 1000},
    {6, 6, 60, -150, 2000},
    // Seven: X = 25.714..; -64.29 -> -64, -38.57 -> -39, -12.86 -> -13.
    {7, 1, 0, -1050, 0},
    {7, 2, -64, -90, -2133},
    {7, 3, -39, -465, -1300},
    {7, 4, -13, -855, -433},
    {7, 5, 13, -855, 433},
    {7, 6, 39, -465, 1300},
    {7, 7, 64, -90, 2133},
    // The table itself.
    {2, 0, 0, -500, 0},
    {5, 0, 0, -500, 0},
    {7, 0, 0, -500, 0},
};

TEST(PlaceSeat, AnglesVolumesAndPansForTwoToSevenPlayers) {
  for (const Expected& e : kSeats) {
    const SeatPlacement place = PlaceSeat(e.players, e.seat);
    EXPECT_EQ(place.angle, e.angle) << e.players << " players, seat " << e.seat;
    EXPECT_EQ(place.volume, e.volume) << e.players << " players, seat " << e.seat;
    EXPECT_EQ(place.pan, e.pan) << e.players << " players, seat " << e.seat;
  }
}

TEST(ChipSoundCount, OneCoinPerTwoAntesPlusOneHalvesToEven) {
  EXPECT_EQ(ChipSoundCount(0, 5), 1);
  EXPECT_EQ(ChipSoundCount(5, 5), 2);   // 1.5 -> 2
  EXPECT_EQ(ChipSoundCount(15, 5), 2);  // 2.5 -> 2
  EXPECT_EQ(ChipSoundCount(25, 5), 4);  // 3.5 -> 4
  EXPECT_EQ(ChipSoundCount(24, 5), 3);  // 3.4 -> 3
  EXPECT_EQ(ChipSoundCount(100, 10), 6);
  EXPECT_EQ(ChipSoundCount(490, 5), 50);
  EXPECT_EQ(ChipSoundCount(500, 5), 50);  // 51 -> at most 50
  EXPECT_EQ(ChipSoundCount(1000000, 1), 50);
  EXPECT_EQ(ChipSoundCount(-300, 5), 1);  // at least 1
  EXPECT_EQ(ChipSoundCount(100, 0), 1);   // no ante to measure by
}

class SeatSoundTest : public ::testing::Test {
 protected:
  SeatSoundTest() {
    testing::WriteWave(folder.Path() + "deal.wav", 0.2);
    for (int i = 1; i <= 4; ++i) {
      testing::WriteWave(folder.Path() + "coin" + std::to_string(i) + ".wav", 0.05);
    }
    engine.DSInit();
  }

  testing::TempFolder folder;
  testing::FakeHost host;
  VirtualAudioDevice device{[this] { return host.Now(); }};
  Random cosmetic{99};
  SoundEngine engine{host, device, cosmetic, folder.Path()};
};

TEST_F(SeatSoundTest, TheSeatsPlaceAndTheVolumesAddUp) {
  for (const Expected& e : kSeats) {
    PlaySeatSound(engine, "deal.wav", e.players, e.seat, -800, -200);
    ASSERT_FALSE(device.Plays().empty());
    EXPECT_EQ(device.Plays().back().volume, e.volume - 1000);
    EXPECT_EQ(device.Plays().back().pan, e.pan);
  }
  // The sum is clamped to silence at worst.
  PlaySeatSound(engine, "deal.wav", 2, 2, -9000, -3500);
  EXPECT_EQ(device.Plays().back().volume, -10000);
}

TEST_F(SeatSoundTest, ChipSoundsPlayOneCoinPerTwoAntesWithShortPauses) {
  testing::FakeSpeechEngineFactory engines;
  Speech speech{host, engines};
  Keyboard keyboard{host};
  Prompts prompts{keyboard, speech};
  for (const auto& [amount, ante] : std::vector<std::pair<int, int>>{{25, 5}, {0, 5}, {5000, 5}}) {
    host.sounds.clear();
    device.ClearPlays();
    const double before = host.Now();
    PlayChipSound(engine, prompts, cosmetic, 4, 4, amount, ante, 0);
    const int coins = ChipSoundCount(amount, ante);
    ASSERT_EQ(static_cast<int>(host.sounds.size()), coins) << amount;
    for (const auto& sound : host.sounds) EXPECT_THAT(sound, MatchesRegex("coin[1-4]\\.wav"));
    for (const auto& play : device.Plays()) {
      EXPECT_EQ(play.volume, -375 - 800);  // seat 4 of 4, with the coin's offset
      EXPECT_EQ(play.pan, 1500);
    }
    // Each coin is followed by a pause of under a tenth of a second.
    const double paused = host.Now() - before;
    EXPECT_GT(paused, 0.0);
    EXPECT_LT(paused, coins * 0.1);
    // The coins come one after another on the clock.
    for (std::size_t i = 1; i < device.Plays().size(); ++i) {
      EXPECT_GE(device.Plays()[i].at, device.Plays()[i - 1].at);
    }
  }
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace corvane
