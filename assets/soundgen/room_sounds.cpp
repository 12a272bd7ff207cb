// The room: a chair pushed back from the table, and the murmur of a busy card room.
#include <algorithm>
#include <array>
#include <cmath>

#include "sounds.h"

namespace soundgen {
namespace {

// One voice of the crowd: syllables of vowel-like sound in phrases with pauses between them.
Mono Talker(Rng& rng, double seconds, double pitch, double distance) {
  struct Vowel {
    double f1, f2, f3;
  };
  constexpr std::array<Vowel, 8> kVowels = {{{730, 1090, 2440},
                                             {530, 1840, 2480},
                                             {270, 2290, 3010},
                                             {570, 840, 2410},
                                             {440, 1020, 2240},
                                             {300, 870, 2240},
                                             {660, 1720, 2410},
                                             {490, 1350, 1690}}};
  const std::size_t n = Frames(seconds);
  Mono out(n);
  Biquad f1 = Biquad::BandPass(500, 6), f2 = Biquad::BandPass(1500, 9),
         f3 = Biquad::BandPass(2500, 12);
  Biquad warmth = Biquad::LowPass(2600 - 1200 * distance, 0.7);
  double phase = 0;
  double t1 = 500, t2 = 1500, t3 = 2500;  // formant targets
  double c1 = t1, c2 = t2, c3 = t3;       // formants as they glide
  double envelope = 0, target = 0;
  double nextSyllable = rng.Uniform(0, 1.5);
  double phraseEnds = nextSyllable + rng.Uniform(1.2, 3.5);
  double syllableEnds = 0;
  double contour = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double time = double(i) / kRate;
    if (time >= nextSyllable) {
      const Vowel& v = kVowels[rng.Next() % kVowels.size()];
      t1 = v.f1 * rng.Uniform(0.9, 1.1);
      t2 = v.f2 * rng.Uniform(0.9, 1.1);
      t3 = v.f3;
      const double length = rng.Uniform(0.09, 0.24);
      syllableEnds = time + length * 0.75;
      nextSyllable = time + length;
      target = rng.Uniform(0.5, 1.0);
      contour = rng.Uniform(-0.12, 0.12);
      if (nextSyllable > phraseEnds) {  // a pause, then the next phrase
        nextSyllable += rng.Uniform(0.3, 1.6);
        phraseEnds = nextSyllable + rng.Uniform(1.0, 3.5);
      }
    }
    if (time >= syllableEnds) target = 0;
    envelope += (target - envelope) * 0.004;
    if (i % 32 == 0) {
      c1 += (t1 - c1) * 0.15;
      c2 += (t2 - c2) * 0.15;
      c3 += (t3 - c3) * 0.15;
      f1.Retune(c1);
      f2.Retune(c2);
      f3.Retune(c3);
    }
    // A buzzing source, a little breath, and the mouth's resonances.
    const double f0 = pitch * (1 + contour * envelope);
    phase += f0 / kRate;
    phase -= std::floor(phase);
    const float source = static_cast<float>((phase < 0.4 ? phase / 0.4 : (1 - phase) / 0.6) - 0.5 +
                                            0.15 * rng.Bipolar());
    const float voiced =
        f1.Process(source) * 1.0f + f2.Process(source) * 0.6f + f3.Process(source) * 0.25f;
    out[i] = warmth.Process(static_cast<float>(voiced * envelope));
  }
  return out;
}

}  // namespace

Track LoopSeamlessly(const Track& track, double crossfade) {
  const std::size_t fade = Frames(crossfade);
  const std::size_t length = track.size() - fade;
  Track loop(double(length) / kRate);
  const std::size_t n = std::min(length, loop.size());
  for (std::size_t i = 0; i < n; ++i) {
    float l = track.left()[i];
    float r = track.right()[i];
    if (i < fade) {
      // Equal-power blend of the beginning with what follows the end.
      const double w = double(i) / double(fade) * kPi / 2;
      const auto in = static_cast<float>(std::sin(w));
      const auto out = static_cast<float>(std::cos(w));
      l = l * in + track.left()[length + i] * out;
      r = r * in + track.right()[length + i] * out;
    }
    loop.left()[i] = l;
    loop.right()[i] = r;
  }
  return loop;
}

Track LeaveTable() {
  Rng rng(0x1EA7E);
  Track t(2.4);
  // The chair's legs chatter over the floor as it is pushed back: stick and slip.
  const double scrape = 0.75;
  const std::size_t n = Frames(scrape);
  Mono chatter(n);
  double phase = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double u = double(i) / double(n);
    const double rate = 38 + 70 * std::sin(kPi * u) + 10 * rng.Bipolar();
    phase += rate / kRate;
    if (phase >= 1) {
      phase -= 1;
      chatter[i] = static_cast<float>(rng.Uniform(0.6, 1.0));
    }
    chatter[i] += static_cast<float>(0.08 * rng.Bipolar());
  }
  Mono body(n);
  Biquad leg = Biquad::BandPass(430, 8), seat = Biquad::BandPass(980, 6),
         squeak = Biquad::BandPass(2150, 5);
  for (std::size_t i = 0; i < n; ++i) {
    const double u = double(i) / double(n);
    squeak.Retune(2150 + 300 * u);
    body[i] = 3.0f * leg.Process(chatter[i]) + 2.0f * seat.Process(chatter[i]) +
              1.0f * squeak.Process(chatter[i]);
    const double envelope = std::min(1.0, u / 0.15) * std::min(1.0, (1 - u) / 0.2);
    body[i] = static_cast<float>(body[i] * envelope);
  }
  t.Add(body, 0.0, 1.0, 0.0);
  // Then the player gets up and walks away.
  for (int step = 0; step < 3; ++step) {
    Mono thud = Filtered(WhiteNoise(rng, 0.08), Biquad::LowPass(320, 0.8));
    AttackDecay(thud, 0.003, 0.018);
    Mono floor = Modes({{88, 0.04, 0.5}, {176, 0.02, 0.25}}, 0.12);
    for (std::size_t i = 0; i < thud.size(); ++i) floor[i] += 3.0f * thud[i];
    t.Add(floor, 1.0 + 0.48 * step, 0.22 - 0.05 * step, 0.15 + 0.2 * step);
  }
  Room(t, 0.8, 0.2, 0.45);
  t.FadeOut(0.2);
  t.Normalize(0.8);
  return t;
}

Track PokerParty() {
  Rng rng(0x9A27);
  constexpr double kLoop = 12.0;
  constexpr double kFade = 1.0;
  Track t(kLoop + kFade);
  // A dozen people talking at the tables around, near and far.
  for (int voice = 0; voice < 12; ++voice) {
    const bool low = voice % 3 != 0;
    const double pitch = low ? rng.Uniform(95, 140) : rng.Uniform(175, 235);
    const double distance = rng.Uniform(0.0, 1.0);
    Mono talk = Talker(rng, kLoop + kFade, pitch, distance);
    t.Add(talk, 0.0, 0.5 * (1.0 - 0.6 * distance), rng.Uniform(-0.8, 0.8));
  }
  // Chips and shuffles at the other tables.
  for (double at = rng.Uniform(0.2, 1.0); at < kLoop + kFade - 0.5; at += rng.Uniform(0.6, 1.8)) {
    const double gain = rng.Uniform(0.03, 0.08);
    const double pan = rng.Uniform(-0.9, 0.9);
    double time = at;
    for (int c = 0, count = 1 + int(rng.Next() % 3); c < count; ++c) {
      t.Add(ChipClack(rng, rng.Uniform(2800, 3800), rng.Uniform(0.4, 1.0)), time, gain, pan);
      time += rng.Uniform(0.03, 0.09);
    }
  }
  for (double at = rng.Uniform(1.0, 3.0); at < kLoop + kFade - 1.5; at += rng.Uniform(3.0, 6.0)) {
    Riffle(t, rng, at, 0.8, 40, 3600, rng.Uniform(0.03, 0.06));
  }
  // The low hum of the room itself.
  Mono hum = Filtered(BrownNoise(rng, kLoop + kFade), Biquad::LowPass(220, 0.7));
  t.Add(hum, 0.0, 0.05, -0.3);
  Mono hum2 = Filtered(BrownNoise(rng, kLoop + kFade), Biquad::LowPass(220, 0.7));
  t.Add(hum2, 0.0, 0.05, 0.3);
  Room(t, 1.3, 0.45, 0.5);
  // No rumble or offset below the voices.
  Biquad::HighPass(90, 0.7).Run(t.left());
  Biquad::HighPass(90, 0.7).Run(t.right());
  Track loop = LoopSeamlessly(t, kFade);
  // A steady murmur: loud enough under the table's sounds, its rare peaks rounded off.
  loop.NormalizeRms(0.16);
  loop.SoftLimit(0.85);
  return loop;
}

}  // namespace soundgen
