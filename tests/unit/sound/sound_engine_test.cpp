#include "sound/sound_engine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/virtual_audio_device.h"
#include "support/fake_host.h"
#include "test_waves.h"

namespace corvane {
namespace {

using ::testing::ElementsAre;
using ::testing::MatchesRegex;

class SoundEngineTest : public ::testing::Test {
 protected:
  SoundEngineTest() {
    testing::WriteWave(folder.Path() + "deal.wav", 1.0);
    testing::WriteWave(folder.Path() + "check.wav", 0.5);
    testing::WriteWave(folder.Path() + "intro.WAV", 2.0);
    for (int i = 1; i <= 4; ++i) {
      testing::WriteWave(folder.Path() + "coin" + std::to_string(i) + ".wav", 0.25);
    }
    for (int i = 1; i <= 3; ++i) {
      testing::WriteWave(folder.Path() + "shuffle" + std::to_string(i) + ".wav", 1.5);
    }
    engine.DSInit();
  }

  // Plays and returns the slot.
  std::int16_t Play(const std::string& file, int flags = 0) {
    return engine.PlaySound(file, 0, -1, 0, 0, flags);
  }
  void Advance(double seconds) { host.SetNow(host.Now() + seconds); }
  // Makes n sound files s1.wav.. of one second each.
  void MakeSounds(int n) {
    for (int i = 1; i <= n; ++i) testing::WriteWave(folder.Path() + Numbered(i), 1.0);
  }
  static std::string Numbered(int i) { return "s" + std::to_string(i) + ".wav"; }

  testing::TempFolder folder;
  testing::FakeHost host;
  VirtualAudioDevice device{[this] { return host.Now(); }};
  Random cosmetic{12345};
  SoundEngine engine{host, device, cosmetic, folder.Path()};
};

TEST_F(SoundEngineTest, DSInitOpensThirtySlots) {
  EXPECT_EQ(engine.SlotCount, 30);
  EXPECT_TRUE(engine.FrequencyControl);
  EXPECT_FALSE(engine.SoftwareBuffers);
  EXPECT_TRUE(device.IsOpen());
  EXPECT_TRUE(host.messages.empty());
}

TEST(SoundEngineInit, NoSoundDeviceShowsTheMessageAndEndsTheProgram) {
  testing::FakeHost host;
  VirtualAudioDevice device{[&host] { return host.Now(); }};
  device.FailOpen(true);
  Random cosmetic{1};
  SoundEngine engine{host, device, cosmetic, "/nowhere/"};
  try {
    engine.DSInit();
    FAIL() << "DSInit must end the program";
  } catch (const EndProgram& end) {
    EXPECT_EQ(end.status, 1);
  }
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].title, "Error! ");
  EXPECT_EQ(host.messages[0].text,
            "Unable to open the sound device - the sound card may be missing or in use. Start "
            "Corvane with --no-sound to play without sound.");
}

TEST_F(SoundEngineTest, AFinishedSoundIsReusedWithoutReadingItsFileAgain) {
  const auto first = Play("deal.wav");
  ASSERT_NE(first, 0);
  EXPECT_EQ(engine.SoundName(first), "DEAL.WAV");
  EXPECT_TRUE(engine.IsPlaying(first));
  Advance(1.1);
  EXPECT_FALSE(engine.IsPlaying(first));
  const auto second = Play("Deal.WAV");
  EXPECT_EQ(second, first);
  EXPECT_EQ(engine.CurrentSlot, first);
  EXPECT_EQ(device.LoadCount(), 1);
  EXPECT_TRUE(engine.IsPlaying(second));
  EXPECT_THAT(host.sounds, ElementsAre("deal.wav", "Deal.WAV"));
  ASSERT_EQ(device.Plays().size(), 2u);
  EXPECT_EQ(device.Plays()[1].channel, first);
}

TEST_F(SoundEngineTest, ASecondCopyPlaysBesideTheFirstAndSharesItsData) {
  const auto first = Play("deal.wav");
  const auto second = Play("deal.wav");
  ASSERT_NE(first, 0);
  ASSERT_NE(second, 0);
  EXPECT_NE(first, second);
  EXPECT_EQ(device.LoadCount(), 1);
  EXPECT_EQ(device.LoadedSounds(), 1);
  EXPECT_TRUE(engine.IsPlaying(first));
  EXPECT_TRUE(engine.IsPlaying(second));
  EXPECT_EQ(engine.SoundName(second), "DEAL.WAV");

  // Deleting one copy keeps the shared sound for the other; deleting both releases it.
  std::int16_t a = first;
  engine.DeleteSound(a);
  EXPECT_EQ(device.LoadedSounds(), 1);
  EXPECT_TRUE(engine.IsPlaying(second));
  std::int16_t b = second;
  engine.DeleteSound(b);
  EXPECT_EQ(device.LoadedSounds(), 0);
}

TEST_F(SoundEngineTest, Flag0x800DoesNothingWhileTheSoundPlays) {
  const auto first = Play("deal.wav");
  ASSERT_NE(first, 0);
  EXPECT_EQ(Play("deal.wav", kDSOnlyIfNotPlaying), 0);
  EXPECT_EQ(device.Plays().size(), 1u);
  EXPECT_EQ(host.sounds.size(), 1u);
  Advance(1.5);
  EXPECT_EQ(Play("deal.wav", kDSOnlyIfNotPlaying), first);
  EXPECT_EQ(device.Plays().size(), 2u);
}

TEST_F(SoundEngineTest, Flag0x20RestartsThePlayingSoundInItsSlot) {
  const auto first = Play("deal.wav");
  Advance(0.8);
  EXPECT_EQ(Play("deal.wav", kDSRestart), first);
  EXPECT_EQ(device.LoadCount(), 1);
  ASSERT_EQ(device.Plays().size(), 2u);
  EXPECT_EQ(device.Plays()[1].channel, first);
  Advance(0.8);  // 1.6 s after the first start, 0.8 s after the restart
  EXPECT_TRUE(engine.IsPlaying(first));
}

TEST_F(SoundEngineTest, Flag1LoadsAnotherCopyUnless0x20IsSet) {
  const auto first = Play("deal.wav");
  Advance(2);
  const auto copy = Play("deal.wav", kDSNoReuse);
  ASSERT_NE(copy, 0);
  if (copy != first) {
    EXPECT_EQ(device.LoadCount(), 1);  // a duplicate, not a second read of the file
  } else {
    EXPECT_EQ(device.LoadCount(), 2);  // the search happened to take the old slot itself
  }
  EXPECT_EQ(device.Plays().size(), 2u);
  Advance(2);
  const auto found = engine.PlaySound("deal.wav", 0, -1, 0, 0, kDSNoReuse | kDSRestart);
  EXPECT_EQ(found, std::min(first, copy));  // the first slot holding the name
  EXPECT_EQ(device.Plays().size(), 3u);
}

TEST_F(SoundEngineTest, Flag4LoadsWithoutPlaying) {
  const auto slot = Play("deal.wav", kDSLoadOnly);
  ASSERT_NE(slot, 0);
  EXPECT_TRUE(engine.HasBuffer(slot));
  EXPECT_FALSE(engine.IsPlaying(slot));
  EXPECT_TRUE(device.Plays().empty());
  EXPECT_TRUE(host.sounds.empty());
  std::int32_t start = 0;
  EXPECT_TRUE(engine.PlayOpenedSound(slot, start, 0));
  EXPECT_TRUE(engine.IsPlaying(slot));
}

TEST_F(SoundEngineTest, Flag8LoopsUntilStopped) {
  const auto slot = Play("check.wav", kDSLoop);
  ASSERT_NE(slot, 0);
  EXPECT_TRUE(device.Plays().back().loop);
  Advance(60);
  EXPECT_TRUE(engine.IsPlaying(slot));
  engine.StopPlay(slot);
  EXPECT_FALSE(engine.IsPlaying(slot));
  EXPECT_EQ(engine.SoundName(slot), "CHECK.WAV");  // stopping keeps it loaded
}

TEST_F(SoundEngineTest, FlagsGiveTheClassOfANewlyLoadedSlot) {
  MakeSounds(6);
  EXPECT_EQ(engine.SlotClass(Play(Numbered(1), kDSClass3)), 3);
  EXPECT_EQ(engine.SlotClass(Play(Numbered(2), kDSClass2)), 2);
  EXPECT_EQ(engine.SlotClass(Play(Numbered(3), kDSClass1)), 1);
  EXPECT_EQ(engine.SlotClass(Play(Numbered(4), kDSClassMinus1)), -1);
  EXPECT_EQ(engine.SlotClass(Play(Numbered(5))), 0);
  // Class 3 wins over the others when several are given.
  EXPECT_EQ(engine.SlotClass(Play(Numbered(6), kDSClass3 | kDSClass2 | kDSClassMinus1)), 3);
}

TEST_F(SoundEngineTest, WithAllThirtySlotsPlayingNothingMorePlays) {
  std::set<int> slots;
  for (int i = 0; i < 30; ++i) {
    const auto slot = Play("deal.wav", kDSLoop);
    ASSERT_NE(slot, 0) << "copy " << i;
    slots.insert(slot);
  }
  EXPECT_EQ(slots.size(), 30u);
  EXPECT_EQ(*slots.begin(), 1);
  EXPECT_EQ(*slots.rbegin(), 30);
  const auto plays = device.Plays().size();
  EXPECT_EQ(Play("check.wav"), 0);
  EXPECT_EQ(Play("deal.wav"), 0);
  EXPECT_EQ(device.Plays().size(), plays);
  EXPECT_EQ(device.LoadCount(), 1);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(SoundEngineTest, RecyclingTakesLowClassesFirstAndNeverClass3) {
  MakeSounds(33);
  // Fill the table with finished sounds: one of class 1, one of class 2, the rest class 3.
  std::int16_t class1 = 0, class2 = 0;
  for (int i = 1; i <= 30; ++i) {
    const int flags = i == 7 ? kDSClass1 : i == 19 ? kDSClass2 : kDSClass3;
    const auto slot = Play(Numbered(i), flags);
    ASSERT_NE(slot, 0);
    if (i == 7) class1 = slot;
    if (i == 19) class2 = slot;
  }
  Advance(5);
  // Pass 0 finds nothing, pass 1 takes the class 1 slot, pass 2 the class 2 slot.
  EXPECT_EQ(Play(Numbered(31), kDSLoop), class1);
  EXPECT_EQ(engine.SlotClass(class1), 0);
  EXPECT_EQ(Play(Numbered(32), kDSLoop), class2);
  // Only finished class 3 sounds and playing ones are left: nothing is taken.
  EXPECT_EQ(Play(Numbered(33)), 0);
  EXPECT_EQ(engine.SoundName(class1), "S31.WAV");
  EXPECT_EQ(engine.SoundName(class2), "S32.WAV");
}

TEST_F(SoundEngineTest, AFinishedClassMinus1SoundIsTheFirstRecycled) {
  MakeSounds(35);
  std::int16_t minus1 = 0;
  for (int i = 1; i <= 30; ++i) {
    const auto slot = Play(Numbered(i), i == 23 ? kDSClassMinus1 : 0);
    ASSERT_NE(slot, 0);
    if (i == 23) minus1 = slot;
  }
  Advance(5);
  // Every other slot holds a finished class 0 sound, yet the finished class -1 one goes first,
  // whatever the random start of the search.
  for (int i = 31; i <= 35; ++i) {
    EXPECT_EQ(Play(Numbered(i), kDSClassMinus1), minus1) << Numbered(i);
    EXPECT_EQ(engine.SlotClass(minus1), -1);
    Advance(5);
  }
}

TEST_F(SoundEngineTest, ClassZeroGoesBeforeClassOneAndTwo) {
  MakeSounds(31);
  std::int16_t class0 = 0;
  for (int i = 1; i <= 30; ++i) {
    const int flags = i == 11 ? 0 : (i % 2 ? kDSClass1 : kDSClass2);
    const auto slot = Play(Numbered(i), flags);
    if (i == 11) class0 = slot;
  }
  Advance(5);
  EXPECT_EQ(Play(Numbered(31)), class0);
}

TEST_F(SoundEngineTest, VolumeAndStartPositionAreClampedInTheCallersVariables) {
  std::int16_t volume = 500;
  std::int32_t frequency = -1;
  std::int16_t pan = -2500;
  std::int32_t start = 10;
  std::int16_t index = 0;
  engine.PlaySound("deal.wav", volume, frequency, pan, start, 0, index);
  ASSERT_NE(index, 0);
  EXPECT_EQ(volume, 0);
  EXPECT_EQ(start, 8);
  EXPECT_EQ(device.Plays().back().volume, 0);
  EXPECT_EQ(device.Plays().back().pan, -2500);
  EXPECT_EQ(device.Plays().back().startByte, 8u);

  volume = -20000;
  start = 4003;
  Advance(2);
  engine.PlaySound("deal.wav", volume, frequency, pan, start, 0, index);
  EXPECT_EQ(volume, -10000);
  EXPECT_EQ(start, 4000);
  EXPECT_EQ(device.Plays().back().volume, -10000);
}

TEST_F(SoundEngineTest, APlayThatFailsReturnsNoSlot) {
  std::int16_t volume = 0;
  std::int32_t frequency = -1;
  std::int16_t pan = 0;
  std::int32_t start = -5;
  std::int16_t index = 9;
  engine.PlaySound("deal.wav", volume, frequency, pan, start, 0, index);
  EXPECT_EQ(index, 0);
  EXPECT_TRUE(device.Plays().empty());
}

TEST_F(SoundEngineTest, DeleteSoundEmptiesTheSlotAndZeroesTheCallersIndex) {
  std::int16_t nothing = 0;
  engine.DeleteSound(nothing);
  EXPECT_EQ(nothing, 0);

  std::int16_t slot = Play("deal.wav", kDSClass2 | kDSLoop);
  const int number = slot;
  ASSERT_NE(slot, 0);
  engine.DeleteSound(slot);
  EXPECT_EQ(slot, 0);
  EXPECT_EQ(engine.SoundName(number), "");
  EXPECT_EQ(engine.SlotClass(number), 0);
  EXPECT_FALSE(engine.HasBuffer(number));
  EXPECT_FALSE(engine.IsPlaying(static_cast<std::int16_t>(number)));
  EXPECT_FALSE(device.IsPlaying(number));
  EXPECT_EQ(device.LoadedSounds(), 0);
}

TEST_F(SoundEngineTest, WildcardPicksANumberedVariant) {
  std::set<std::string> heard;
  for (int i = 0; i < 60; ++i) {
    ASSERT_NE(Play("coin*4.wav"), 0);
    Advance(0.3);
    ASSERT_THAT(host.sounds.back(), MatchesRegex("coin[1-4]\\.wav"));
    heard.insert(host.sounds.back());
  }
  EXPECT_EQ(heard.size(), 4u);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(SoundEngineTest, MalformedWildcardsShowTheirMessageAndPlayNothing) {
  for (const std::string name : {"coin*.wav", "coin*4444.wav", "coin*"}) {
    host.messages.clear();
    EXPECT_EQ(Play(name), 0) << name;
    ASSERT_EQ(host.messages.size(), 1u) << name;
    EXPECT_EQ(host.messages[0].title, "Error in PlaySound");
    EXPECT_EQ(host.messages[0].text,
              "Wildcard wave file must have 1 to 3 digit number after asterisk. File: " + name);
  }
  EXPECT_TRUE(device.Plays().empty());
}

TEST_F(SoundEngineTest, DigitsToTheEndLeaveTheNameAsItIs) {
  EXPECT_EQ(Play("coin*4"), 0);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].title, "Error! ");
  EXPECT_EQ(host.messages[0].text, "Error opening file COIN*4");
}

TEST_F(SoundEngineTest, AMissingFileShowsErrorOpeningFile) {
  EXPECT_EQ(Play("nosuch.wav"), 0);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].title, "Error! ");
  EXPECT_EQ(host.messages[0].text, "Error opening file NOSUCH.WAV");
  EXPECT_EQ(host.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_TRUE(device.Plays().empty());
  EXPECT_TRUE(host.sounds.empty());
  // The game goes on: the next sound plays.
  EXPECT_NE(Play("deal.wav"), 0);
}

TEST_F(SoundEngineTest, AFileThatIsNotAWaveIsAnErrorToo) {
  std::ofstream(folder.Path() + "bad.wav") << "not a wave";
  EXPECT_EQ(Play("bad.wav"), 0);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Error opening file BAD.WAV");
}

TEST_F(SoundEngineTest, FilesAreFoundWithoutRegardToCase) {
  const auto lower = Play("intro.wav");
  ASSERT_NE(lower, 0);
  EXPECT_EQ(device.Plays().back().name, "intro.WAV");
  Advance(3);
  EXPECT_EQ(Play("INTRO.wav"), lower);  // the same name in capitals: the loaded sound
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(SoundEngineTest, TheProgramFolderIsListedOnceForEverySound) {
  ASSERT_NE(Play("deal.wav"), 0);
  testing::WriteWave(folder.Path() + "late.wav", 1.0);  // after the listing: not looked for
  EXPECT_EQ(Play("late.wav"), 0);
  EXPECT_NE(Play("coin*4.wav"), 0);
}

TEST_F(SoundEngineTest, TheNameIsCutBeforeASlash) {
  const auto slot = Play("deal.wav/extra");
  ASSERT_NE(slot, 0);
  EXPECT_EQ(device.Plays().back().name, "deal.wav");
  EXPECT_EQ(engine.SoundName(slot), "DEAL.WAV/EXTRA");
}

TEST_F(SoundEngineTest, BlankNamesPlayNothing) {
  EXPECT_EQ(Play(""), 0);
  EXPECT_EQ(Play("   "), 0);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(device.Plays().empty());
}

TEST_F(SoundEngineTest, PerSlotSettings) {
  const auto slot = Play("deal.wav");
  engine.SetVolume(slot, 300);
  EXPECT_EQ(device.Volume(slot), 0);
  engine.SetVolume(slot, -1234);
  EXPECT_EQ(device.Volume(slot), -1234);
  engine.SetPan(slot, 700);
  EXPECT_EQ(device.Pan(slot), 700);
  EXPECT_EQ(engine.GetFrequency(slot), 22050);
  engine.SetFrequency(slot, 11025);
  EXPECT_EQ(engine.GetFrequency(slot), 11025);
  // Settings of an empty slot change nothing.
  engine.SetVolume(29, -100);
  EXPECT_EQ(engine.GetFrequency(29 == slot ? 28 : 29), 0);
}

TEST_F(SoundEngineTest, AFrequencyChangesHowLongTheSoundLasts) {
  std::int16_t volume = 0;
  std::int32_t frequency = 44100;
  std::int16_t pan = 0;
  std::int32_t start = 0;
  std::int16_t index = 0;
  engine.PlaySound("deal.wav", volume, frequency, pan, start, 0, index);
  ASSERT_NE(index, 0);
  EXPECT_EQ(engine.GetFrequency(index), 44100);
  Advance(0.6);
  EXPECT_FALSE(engine.IsPlaying(index));  // one second at double speed
  // A frequency below 1 leaves the sound's own rate.
  const auto other = Play("check.wav");
  EXPECT_EQ(engine.GetFrequency(other), 22050);
}

TEST_F(SoundEngineTest, Timer1PlaysAShuffleAtThePartyVolume) {
  std::set<std::string> heard;
  for (int tick = 0; tick < 40; ++tick) {
    const int next = engine.Timer1(-3000);
    // An interval of 0 would stop the timer.
    EXPECT_GE(next, 1);
    EXPECT_LE(next, 10000);
    ASSERT_THAT(host.sounds.back(), MatchesRegex("shuffle[1-3]\\.wav"));
    heard.insert(host.sounds.back());
    EXPECT_EQ(device.Plays().back().volume, -3000);
    EXPECT_LE(std::abs(device.Plays().back().pan), 1750);
    Advance(next / 1000.0);
  }
  EXPECT_EQ(heard.size(), 3u);
}

TEST_F(SoundEngineTest, ShutdownReleasesEverything) {
  Play("deal.wav", kDSLoop);
  Play("check.wav");
  Play("intro.wav", kDSClass3);
  engine.ShutdownForm1();
  for (int slot = 1; slot <= 30; ++slot) EXPECT_FALSE(engine.HasBuffer(slot));
  EXPECT_EQ(device.LoadedSounds(), 0);
  EXPECT_FALSE(device.IsOpen());
}

TEST_F(SoundEngineTest, ThreeDSoundsArePlacedAroundTheListener) {
  engine.ListenerPosition(0, 0);
  engine.OrientNorth();
  engine.SetPosition(0, 200, 0, false);  // east, twice the minimum distance
  const auto slot = Play("deal.wav", kDS3D);
  ASSERT_NE(slot, 0);
  EXPECT_TRUE(engine.Has3DBuffer(slot));
  EXPECT_EQ(device.Angle3D(slot), 90);
  EXPECT_EQ(device.Distance3D(slot), 128);
  engine.ListenerOrientation(90);  // facing east: the sound is straight ahead
  EXPECT_EQ(device.Angle3D(slot), 0);
  double x = 0, z = 0;
  SoundEngine::ConvertToVector(180, 50, x, z);  // south, inside the minimum distance
  engine.SetPosition(slot, x, z, true);
  EXPECT_EQ(device.Angle3D(slot), 0);  // deferred until committed
  engine.Commit3D();
  EXPECT_EQ(device.Angle3D(slot), 90);  // south, seen facing east: on the right
  EXPECT_EQ(device.Distance3D(slot), 0);
}

}  // namespace
}  // namespace corvane
