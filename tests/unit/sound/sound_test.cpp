// The sound engine where a transcript cannot see it: which slot a sound takes, reuses or recycles,
// the volume, pan and start position it is played with, the placement of the seats' sounds, the
// wave files it reads, and the sounds generated beside the program at build time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/recording_speech.h"
#include "platform/script_host.h"
#include "platform/virtual_audio_device.h"
#include "platform/wave_file.h"
#include "sound/seat_sounds.h"
#include "sound/sound_engine.h"
#include "speech/prompts.h"
#include "support/wave.h"
#include "unit/store/test_folder.h"

namespace corvane {
namespace {

std::string Wave(double seconds, int channels = 2, int rate = 22050) {
  return testing::SquareWave(seconds, 1000, channels, rate);
}

// The engine on the script host's clock, over a program folder of made-up sounds: deal.wav (1 s),
// check.wav (0.5 s), intro.WAV (2 s), coin1..4.wav, shuffle1..3.wav and s1..s35.wav (1 s each).
struct Rig {
  Rig() : host(Script{}, out, out, false) {
    folder.Write("deal.wav", Wave(1.0));
    folder.Write("check.wav", Wave(0.5));
    folder.Write("intro.WAV", Wave(2.0));
    folder.Write("bad.wav", "not a wave");
    for (int i = 1; i <= 4; ++i) folder.Write("coin" + std::to_string(i) + ".wav", Wave(0.05));
    for (int i = 1; i <= 3; ++i) folder.Write("shuffle" + std::to_string(i) + ".wav", Wave(1.5));
    for (int i = 1; i <= 35; ++i) folder.Write("s" + std::to_string(i) + ".wav", Wave(1.0));
    engine.DSInit();
  }
  void Advance(double seconds) { host.NextEvent(host.Now() + seconds, WaitKind::Pause); }

  // Runs words and logs what each play did with its slot: "new" (an empty slot), "reuse" (the
  // slot already held the sound), the name of the sound it recycled, or "0" (nothing played).
  //   NAME[/FLAGS]  play NAME with the hexadecimal flags ("s" alone: s1..s30, the flags of sN
  //                 given as N=FLAGS, the others the first FLAGS: "s/2:7=80")
  //   NAME~V~S      play with volume V and start position S: logs "volume,start" written back
  //   +N  advance the clock N seconds     ?  the files read so far
  //   !   whether the last slot plays      c  the last slot's class
  std::string Run(const std::string& words) {
    std::istringstream in(words);
    std::string log;
    std::int16_t last = 0;
    for (std::string w; in >> w;) {
      std::string said;
      if (w[0] == '+') {
        Advance(std::stod(w.substr(1)));
      } else if (w == "?") {
        said = std::to_string(device.LoadCount());
      } else if (w == "!") {
        said = engine.IsPlaying(last) ? "plays" : "stopped";
      } else if (w == "c") {
        said = std::to_string(engine.SlotClass(last));
      } else if (w.rfind("s/", 0) == 0) {
        std::istringstream spec(w.substr(2));
        std::string part;
        std::getline(spec, part, ':');
        std::vector<int> flags(31, std::stoi(part, nullptr, 16));
        while (std::getline(spec, part, ':')) {
          flags[std::stoi(part)] = std::stoi(part.substr(part.find('=') + 1), nullptr, 16);
        }
        for (int i = 1; i <= 30; ++i)
          engine.PlaySound("s" + std::to_string(i) + ".wav", 0, -1, 0, 0, flags[i]);
      } else if (w.find('~') != std::string::npos) {
        std::int16_t volume = static_cast<std::int16_t>(std::stoi(w.substr(w.find('~') + 1)));
        std::int32_t frequency = -1, start = std::stoi(w.substr(w.rfind('~') + 1));
        std::int16_t pan = 0;
        engine.PlaySound(w.substr(0, w.find('~')), volume, frequency, pan, start, 0, last);
        said = last == 0 ? "0" : std::to_string(volume) + "," + std::to_string(start);
      } else {
        const std::string name = w.substr(0, w.find('/'));
        const int flags = w.find('/') == std::string::npos
                              ? 0
                              : std::stoi(w.substr(w.find('/') + 1), nullptr, 16);
        std::vector<std::string> before;
        for (int slot = 1; slot <= kSlotCount; ++slot) before.push_back(engine.SoundName(slot));
        last = engine.PlaySound(name, 0, -1, 0, 0, flags);
        said = last == 0                                    ? "0"
               : before[last - 1].empty()                   ? "new"
               : before[last - 1] == engine.SoundName(last) ? "reuse"
                                                            : before[last - 1];
      }
      if (!said.empty()) log += (log.empty() ? "" : " ") + said;
    }
    return log;
  }

  std::ostringstream out;
  TestFolder folder;
  ScriptHost host;
  VirtualAudioDevice device{[this] { return host.Now(); }};
  Random cosmetic{12345};
  SoundEngine engine{host, device, cosmetic, folder.File("")};
};

TEST(Sound, SlotsAreReusedRecycledAndPlayedAsAsked) {
  const struct {
    const char *words, *log;
  } rows[] = {
      // A finished sound is played again from its slot, without reading its file again; while it
      // plays, a second copy shares its data from another slot.
      {"deal.wav +1.1 Deal.WAV ? !", "new reuse 1 plays"},
      {"deal.wav deal.wav ?", "new new 1"},
      // A file is read once for the run, even when every slot that held its sound was recycled.
      {"deal.wav +2 s/0 +5 deal.wav ?", "new S29.WAV 31"},
      // 0x800: nothing while it plays. 0x20: restart it in its slot. 1: always another copy.
      {"deal.wav deal.wav/800 +1.5 deal.wav/800", "new 0 reuse"},
      {"deal.wav +0.8 deal.wav/20 +0.8 ! ?", "new reuse plays 1"},
      {"deal.wav +2 deal.wav/1 ?", "new new 1"},
      // 4: loaded, not played; 8: looping until stopped.
      {"deal.wav/4 !", "new stopped"},
      {"check.wav/8 +60 !", "new plays"},
      // The class each flag gives a newly loaded slot (2 wins over the others).
      {"s1.wav/2 c s2.wav/40 c s3.wav/80 c s4.wav/100 c s5.wav c s6.wav/142 c",
       "new 3 new 2 new 1 new -1 new 0 new 3"},
      // A full table: playing sounds and class 3 are never taken; finished sounds of class -1
      // first (wherever the search starts), then 0, then 1, then 2.
      {"s/8 s31.wav deal.wav", "0 0"},
      {"s/2:7=80:19=40 +5 s31.wav/8 s32.wav/8 s33.wav", "S7.WAV S19.WAV 0"},
      {"s/0:23=100 +5 s31.wav/100 +5 s32.wav/100 +5 s33.wav/100", "S23.WAV S31.WAV S32.WAV"},
      {"s/80:11=0 +5 s31.wav", "S11.WAV"},
      // Volume and start position are clamped in the caller's variables; a negative start fails.
      {"deal.wav~500~10 +2 deal.wav~-20000~4003 check.wav~0~-5", "0,8 -10000,4000 0"},
      // Files are found whatever their case, the name cut before a "/".
      {"intro.wav +3 INTRO.wav deal.wav/extra", "new reuse new"},
      // Malformed wildcards, missing and damaged files: a message, nothing played.
      {"coin*.wav coin*4444.wav coin*4 nosuch.wav bad.wav deal.wav", "0 0 0 0 0 new"},
  };
  for (const auto& row : rows) {
    Rig rig;
    EXPECT_EQ(rig.Run(row.words), row.log) << row.words;
  }
  Rig rig;
  rig.Run("coin*.wav coin*4 nosuch.wav");
  EXPECT_EQ(rig.out.str(),
            "! Error in PlaySound: Wildcard wave file must have 1 to 3 digit number after "
            "asterisk. File: coin*.wav\n! Error! : Error opening file COIN*4\n"
            "! Error! : Error opening file NOSUCH.WAV\n");
  // A wildcard picks each variant; the shuffling ambience plays at the party volume, its pan
  // within 1750 of the middle, and never stops its timer.
  std::set<std::string> heard;
  for (int i = 0; i < 40; ++i) {
    rig.engine.PlaySound("coin*4.wav");
    const int next = rig.engine.Timer1(-3000);
    EXPECT_TRUE(next >= 1 && next <= 10000) << next;
    EXPECT_EQ(rig.device.Plays().back().volume, -3000);
    EXPECT_LE(std::abs(rig.device.Plays().back().pan), 1750);
    for (const auto& play : rig.device.Plays()) heard.insert(play.name);
    rig.Advance(2);
  }
  EXPECT_EQ(heard, (std::set<std::string>{"coin1.wav", "coin2.wav", "coin3.wav", "coin4.wav",
                                          "shuffle1.wav", "shuffle2.wav", "shuffle3.wav"}));
  rig.engine.ShutdownForm1();
  EXPECT_EQ(rig.device.LoadedSounds(), 0);
  EXPECT_FALSE(rig.device.IsOpen());
}

TEST(Sound, TheFolderIsListedOnceAndALongTableKeepsOnlyTheLatestPlays) {
  Rig rig;
  EXPECT_EQ(rig.Run("deal.wav"), "new");
  rig.folder.Write("late.wav", Wave(1.0));  // after the listing: not found
  EXPECT_EQ(rig.Run("late.wav coin*4.wav"), "0 new");
  for (int i = 0; i < 1000; ++i) rig.Run("check.wav +1");
  EXPECT_EQ(rig.device.Plays().size(), VirtualAudioDevice::kKeptPlays);
}

// The headless device's queue of the game's own voice.
TEST(Sound, QueuedSpeechPlaysPhraseAfterPhrase) {
  Rig rig;
  rig.device.QueueSpeech(std::vector<std::int16_t>(22050), 22050);
  rig.device.QueueSpeech(std::vector<std::int16_t>(11025), 22050);
  rig.Advance(1.4);
  EXPECT_TRUE(rig.device.SpeechPlaying());  // the second phrase follows the first
  rig.Advance(0.2);
  EXPECT_FALSE(rig.device.SpeechPlaying());
  rig.device.QueueSpeech(std::vector<std::int16_t>(22050), 22050);
  rig.device.StopSpeech();
  EXPECT_FALSE(rig.device.SpeechPlaying());
}

TEST(Sound, TheSeatsArePlacedRoundTheTable) {
  // players/seat=angle,volume,pan: the user straight ahead, the bots on an arc, quieter near the
  // middle; seat 0 is the table itself.
  std::istringstream seats(
      "2/1=0,-1050,0 2/2=0,-1400,0 3/2=-30,-600,-1000 3/3=30,-600,1000 4/2=-45,-375,-1500 "
      "4/3=0,-1050,0 5/2=-54,-240,-1800 5/3=-18,-780,-600 5/5=54,-240,1800 6/2=-60,-150,-2000 "
      "6/4=0,-1050,0 7/1=0,-1050,0 7/2=-64,-90,-2133 7/3=-39,-465,-1300 7/4=-13,-855,-433 "
      "7/7=64,-90,2133 5/0=0,-500,0");
  Rig rig;
  for (std::string row; seats >> row;) {
    const int players = std::stoi(row), seat = std::stoi(row.substr(row.find('/') + 1));
    const SeatPlacement place = PlaceSeat(players, seat);
    EXPECT_EQ(std::to_string(players) + "/" + std::to_string(seat) + "=" +
                  std::to_string(place.angle) + "," + std::to_string(place.volume) + "," +
                  std::to_string(place.pan),
              row);
    // The caller's offset and the table volume add up, never below silence.
    PlaySeatSound(rig.engine, "check.wav", players, seat, -800, -200);
    EXPECT_EQ(rig.device.Plays().back().volume, place.volume - 1000) << row;
    EXPECT_EQ(rig.device.Plays().back().pan, place.pan) << row;
  }
  PlaySeatSound(rig.engine, "check.wav", 2, 2, -9000, -3500);
  EXPECT_EQ(rig.device.Plays().back().volume, -10000);

  // Coins: one per two antes plus one, halves to even, 1..50.
  const int coins[][3] = {{0, 5, 1},    {5, 5, 2},        {15, 5, 2},   {25, 5, 4}, {24, 5, 3},
                          {500, 5, 50}, {1000000, 1, 50}, {-300, 5, 1}, {100, 0, 1}};
  for (const auto& [amount, ante, count] : coins) EXPECT_EQ(ChipSoundCount(amount, ante), count);
}

TEST(Sound, WaveFilesAndTheGeneratedSounds) {
  TestFolder folder;
  folder.Write("a.wav", Wave(0.5));
  folder.Write("m.wav", Wave(1.0, 1, 11025));
  // A LIST chunk of odd length (padded) before the data.
  folder.Write("list.wav",
               std::string("RIFF\0\0\0\0WAVEfmt \x10\0\0\0\1\0\1\0\x22\x56\0\0\x44\xAC\0\0"
                           "\2\0\x10\0LIST\3\0\0\0abc\0data\4\0\0\0\1\0\xFF\xFF",
                           60));
  folder.Write("text.wav", "hello, this is not a wave file at all");
  folder.Write("cut.wav", Wave(0.5).substr(0, 1000));
  const struct {
    const char* name;
    const char* format;  // channels, rate, bits, data offset and bytes, seconds; or "refused"
  } rows[] = {
      {"a.wav", "2 22050 16 44 44100 0.5"},
      {"m.wav", "1 11025 16 44 22050 1"},
      {"list.wav", "1 22050 16 56 4 9.07029e-05"},
      {"text.wav", "refused"},
      {"cut.wav", "refused"},
      {"missing.wav", "refused"},
  };
  for (const auto& row : rows) {
    const auto format = ReadWaveFormat(folder.File(row.name));
    std::ostringstream got;
    if (format) {
      got << format->channels << " " << format->sampleRate << " " << format->bitsPerSample << " "
          << format->dataOffset << " " << format->dataBytes << " " << format->Seconds();
    }
    EXPECT_EQ(format ? got.str() : "refused", row.format) << row.name;
  }
  const auto samples = ReadWaveSamples(folder.File("list.wav"));
  ASSERT_TRUE(samples);
  EXPECT_EQ(samples->samples, (std::vector<std::int16_t>{1, -1}));

  // The generated sounds: 22050 Hz 16-bit stereo, loud enough without clipping, the variants of
  // a sound different, and the background loop joining without a jump.
  std::vector<std::vector<std::string>> families = {
      {"intro0.wav", "intro.WAV", "intro2.wav"},
      {"shuffle1.wav", "shuffle2.wav", "shuffle3.wav"},
      {"fold1.wav", "fold2.wav"},
      {"coin1.wav", "coin2.wav", "coin3.wav", "coin4.wav"},
      {"POKERPARTY.WAV"},
      {"congratz.wav"},
      {"deal.wav"},
      {"check.wav"},
      {"leavetable.wav"}};
  for (const auto& family : families) {
    std::vector<std::vector<std::int16_t>> seen;
    for (const std::string& name : family) {
      const auto wave = ReadWaveSamples(std::string(CORVANE_PROGRAM_FOLDER) + name);
      ASSERT_TRUE(wave) << name;
      EXPECT_EQ(wave->format.sampleRate * 100 + wave->format.bitsPerSample + wave->format.channels,
                2205018)
          << name;
      int peak = 0;
      for (std::int16_t s : wave->samples) peak = std::max(peak, std::abs(int{s}));
      EXPECT_TRUE(peak > 32767 / 4 && peak < 32767 * 95 / 100) << name << " peaks at " << peak;
      for (const auto& other : seen) EXPECT_NE(wave->samples, other) << name;
      seen.push_back(wave->samples);
    }
  }
  const auto party = ReadWaveSamples(std::string(CORVANE_PROGRAM_FOLDER) + "POKERPARTY.WAV");
  const std::size_t frames = party->samples.size() / 2;
  for (std::size_t channel = 0; channel < 2; ++channel) {
    std::vector<int> steps;
    for (std::size_t i = 1; i < frames; ++i) {
      steps.push_back(
          std::abs(party->samples[2 * i + channel] - party->samples[2 * i - 2 + channel]));
    }
    std::sort(steps.begin(), steps.end());
    // The seam from the last sample back to the first is no bigger than a usual step.
    EXPECT_LE(std::abs(party->samples[channel] - party->samples[2 * frames - 2 + channel]),
              steps[steps.size() * 99 / 100]);
  }
}

}  // namespace
}  // namespace corvane
