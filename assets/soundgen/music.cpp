// Music: the start-up sting, the lounge tune of the menus with its vibraphone melody, and the
// winner's fanfare.
#include <algorithm>
#include <cmath>
#include <vector>

#include "sounds.h"

namespace soundgen {
namespace {

constexpr double kBeat = 0.6;  // 100 beats a minute

double Hz(int midi) {
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// Release at the end of a note so that it never stops with a click.
void Release(Mono& note, double seconds) {
  const std::size_t n = std::min(Frames(seconds), note.size());
  for (std::size_t i = 0; i < n; ++i) note[note.size() - 1 - i] *= float(i) / float(n);
}

// A soft electric piano: a sine whose brightness (FM index) fades as the note rings.
Mono Piano(double hz, double seconds, double velocity) {
  Mono note(Frames(seconds + 0.3));
  const double w = 2 * kPi * hz / kRate;
  for (std::size_t i = 0; i < note.size(); ++i) {
    const double t = double(i) / kRate;
    const double index = 1.6 * velocity * std::exp(-t / 0.25) + 0.15;
    const double tine = 0.12 * velocity * std::exp(-t / 0.05) * std::sin(w * 7.1 * double(i));
    const double amp = std::min(1.0, t / 0.003) * std::exp(-t / 1.3) *
                       (t > seconds ? std::exp(-(t - seconds) / 0.06) : 1.0);
    note[i] = static_cast<float>(
        velocity * amp * (std::sin(w * double(i) + index * std::sin(w * double(i))) + tine));
  }
  Release(note, 0.02);
  return note;
}

// A plucked upright bass.
Mono Bass(double hz, double seconds) {
  Mono note(Frames(seconds));
  const double w = 2 * kPi * hz / kRate;
  for (std::size_t i = 0; i < note.size(); ++i) {
    const double t = double(i) / kRate;
    const double amp = std::min(1.0, t / 0.006) * std::exp(-t / 0.55);
    const double x = w * double(i);
    note[i] = static_cast<float>(amp * (std::sin(x) + 0.35 * std::exp(-t / 0.15) * std::sin(2 * x) +
                                        0.12 * std::sin(3 * x)));
  }
  Release(note, 0.04);
  return note;
}

// A vibraphone bar: a pure tone and its bright fourth partial, with the motor's tremolo.
Mono Vibe(double hz, double seconds) {
  Mono note(Frames(seconds + 0.8));
  const double w = 2 * kPi * hz / kRate;
  for (std::size_t i = 0; i < note.size(); ++i) {
    const double t = double(i) / kRate;
    const double tremolo = 1 - 0.25 * (0.5 + 0.5 * std::sin(2 * kPi * 5.5 * t));
    const double amp = std::min(1.0, t / 0.002) * std::exp(-t / 1.4) *
                       (t > seconds ? std::exp(-(t - seconds) / 0.15) : 1.0);
    note[i] = static_cast<float>(
        amp * tremolo *
        (std::sin(w * double(i)) + 0.3 * std::exp(-t / 0.2) * std::sin(4 * w * double(i))));
  }
  Release(note, 0.03);
  return note;
}

// A brass note: the louder it blows, the brighter it gets.
Mono Brass(double hz, double seconds, double velocity) {
  Mono note(Frames(seconds + 0.12));
  double phase = 0;
  for (std::size_t i = 0; i < note.size(); ++i) {
    const double t = double(i) / kRate;
    double amp = std::min(1.0, t / 0.035);
    if (t > seconds) amp *= std::exp(-(t - seconds) / 0.04);
    const double vibrato = t > 0.2 ? 0.004 * std::sin(2 * kPi * 5.2 * t) : 0.0;
    phase += hz * (1 + vibrato) / kRate;
    const double bright = 0.35 + 0.5 * amp * velocity;
    double sum = 0;
    double partial = 1;
    for (int k = 1; k <= 9 && k * hz < kRate * 0.45; ++k) {
      sum += partial / k * std::sin(2 * kPi * k * phase);
      partial *= bright;
    }
    note[i] = static_cast<float>(velocity * amp * sum);
  }
  Release(note, 0.02);
  return note;
}

// Brushes on a snare: a swish on the off-beats.
Mono Brush(Rng& rng, double seconds) {
  Mono swish = Filtered(WhiteNoise(rng, seconds), Biquad::BandPass(5200, 0.6));
  const double n = double(swish.size());
  for (std::size_t i = 0; i < swish.size(); ++i) {
    const double u = double(i) / n;
    swish[i] = static_cast<float>(swish[i] * std::sin(kPi * std::sqrt(u)) * (1 - u));
  }
  return swish;
}

struct Bar {
  std::vector<int> chord;  // the piano's voicing
  std::vector<int> walk;   // four bass notes
};

const std::vector<Bar>& Tune() {
  static const std::vector<Bar> kBars = {
      {{53, 57, 60, 64}, {38, 41, 45, 44}},  // D minor 7
      {{53, 57, 59, 64}, {43, 47, 50, 49}},  // G 7
      {{52, 55, 59, 62}, {36, 40, 43, 46}},  // C major 7
      {{55, 59, 61, 64}, {45, 49, 52, 39}},  // A 7
      {{53, 57, 60, 64}, {38, 41, 45, 44}},  // D minor 7
      {{53, 57, 59, 64}, {43, 47, 50, 49}},  // G 7
      {{52, 55, 59, 62}, {36, 40, 43, 45}},  // C major 7
  };
  return kBars;
}

}  // namespace

Track Intro() {
  Rng rng(0x1A70);
  const auto& bars = Tune();
  const double end = double(bars.size()) * 4 * kBeat;
  Track t(end + 4 * kBeat + 1.5);
  for (std::size_t b = 0; b < bars.size(); ++b) {
    const double bar = double(b) * 4 * kBeat;
    for (int note : bars[b].chord) {
      t.Add(Piano(Hz(note), 1.4, 0.5), bar, 0.22, (note - 58) * 0.05);
      t.Add(Piano(Hz(note), 0.5, 0.35), bar + 2.5 * kBeat, 0.18, (note - 58) * 0.05);
    }
    for (int beat = 0; beat < 4; ++beat) {
      t.Add(Bass(Hz(bars[b].walk[beat]), kBeat * 0.95), bar + beat * kBeat, 0.4, -0.1);
      if (beat % 2 == 1) t.Add(Brush(rng, 0.25), bar + beat * kBeat - 0.05, 0.12, 0.35);
    }
  }
  // The last chord rings out over the root.
  for (int note : {52, 55, 59, 62, 64})
    t.Add(Piano(Hz(note), 2.4, 0.45), end, 0.2, (note - 58) * 0.05);
  t.Add(Bass(Hz(36), 2.2), end, 0.55, -0.1);
  Room(t, 1.0, 0.25, 0.4);
  t.FadeOut(0.8);
  t.Normalize(0.8);
  return t;
}

Track Intro2() {
  Rng rng(0x1A72);
  struct Note {
    double beat;
    int midi;
    double beats;
  };
  // The melody that goes with the menus' tune, bar for bar.
  const std::vector<Note> melody = {
      {0, 69, 1},      {1, 72, 0.5},    {1.5, 76, 1.5}, {3, 74, 1},  {4, 77, 1.5}, {5.5, 76, 0.5},
      {6, 74, 1},      {7, 71, 1},      {8, 72, 1},     {9, 76, 1},  {10, 79, 2},  {12, 81, 1},
      {13, 79, 0.5},   {13.5, 76, 0.5}, {14, 73, 2},    {16, 74, 1}, {17, 77, 1},  {18, 81, 1.5},
      {19.5, 79, 0.5}, {20, 77, 1},     {21, 74, 1},    {22, 71, 1}, {23, 74, 1},  {24, 72, 4}};
  Track t(28 * kBeat + 2.0);
  for (const Note& n : melody) {
    const double swing = (n.beat - std::floor(n.beat)) > 0.25 ? 0.06 : 0.0;
    t.Add(Vibe(Hz(n.midi), n.beats * kBeat), n.beat * kBeat + swing, 0.5 * rng.Uniform(0.85, 1.0),
          0.15);
  }
  Room(t, 1.0, 0.3, 0.4);
  t.FadeOut(0.6);
  t.Normalize(0.7);
  return t;
}

Track Intro0() {
  Rng rng(0x1A00);
  Track t(3.2);
  // A riffle of the deck, then a bright chord and a bell: the table is open.
  Riffle(t, rng, 0.0, 0.7, 40, 4500, 0.5);
  t.Add(DeckSquare(rng, 1.0), 0.8, 0.5, 0.0);
  for (int note : {48, 55, 60, 64, 67, 71, 74})
    t.Add(Piano(Hz(note), 1.6, 0.55), 1.0, 0.2, (note - 62) * 0.04);
  t.Add(Vibe(Hz(84), 1.4), 1.02, 0.35, 0.3);
  t.Add(Vibe(Hz(91), 1.2), 1.2, 0.25, -0.3);
  Room(t, 1.0, 0.25, 0.4);
  t.FadeOut(0.5);
  t.Normalize(0.8);
  return t;
}

Track Congratz() {
  Rng rng(0xC0C0);
  Track t(3.0);
  struct Note {
    double at;
    int lead, second;
    double seconds;
  };
  // Ta-ta-ta-taa, and up to the top: two trumpets a third apart over a trombone.
  const std::vector<Note> fanfare = {
      {0.00, 67, 64, 0.09}, {0.11, 67, 64, 0.09}, {0.22, 67, 64, 0.09}, {0.33, 72, 67, 0.38},
      {0.75, 67, 64, 0.12}, {0.90, 72, 67, 0.12}, {1.05, 76, 72, 0.12}, {1.20, 79, 76, 1.1}};
  for (const Note& n : fanfare) {
    t.Add(Brass(Hz(n.lead), n.seconds, 0.9), n.at, 0.35, -0.2);
    t.Add(Brass(Hz(n.second), n.seconds, 0.8), n.at + 0.005, 0.28, 0.2);
  }
  t.Add(Brass(Hz(48), 0.38, 0.8), 0.33, 0.35, 0.0);
  t.Add(Brass(Hz(43), 0.4, 0.7), 0.75, 0.3, 0.0);
  t.Add(Brass(Hz(48), 1.1, 0.9), 1.20, 0.4, 0.0);
  // A timpani roll swelling into the last chord, and a cymbal on it.
  for (double at = 0.7; at < 1.2; at += 0.045) {
    const double swell = 0.3 + 0.7 * (at - 0.7) / 0.5;
    t.Add(Modes({{98, 0.35, 1.0}, {147, 0.2, 0.4}, {196, 0.12, 0.2}}, 0.5), at, 0.12 * swell, 0.0);
  }
  t.Add(Modes({{98, 0.5, 1.0}, {147, 0.3, 0.4}}, 1.2), 1.2, 0.3, 0.0);
  Mono cymbal = Filtered(WhiteNoise(rng, 1.6), Biquad::HighPass(5500, 0.7));
  AttackDecay(cymbal, 0.002, 0.5);
  t.Add(cymbal, 1.2, 0.25, 0.2);
  Room(t, 1.2, 0.3, 0.35);
  t.FadeOut(0.4);
  t.Normalize(0.8);
  return t;
}

}  // namespace soundgen
