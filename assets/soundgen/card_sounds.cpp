// Cards: the flick of a dealt card onto the felt, folds, and three kinds of shuffle.
#include <cmath>

#include "sounds.h"

namespace soundgen {
namespace {

// Raised-cosine window: silent at both ends, loudest at `peak` (a fraction of the length).
void Swell(Mono& signal, double peak) {
  const double n = double(signal.size());
  for (std::size_t i = 0; i < signal.size(); ++i) {
    const double u = double(i) / n;
    const double g =
        u < peak ? std::sin(kPi / 2 * u / peak) : std::cos(kPi / 2 * (u - peak) / (1 - peak));
    signal[i] = static_cast<float>(signal[i] * g * g);
  }
}

// Noise through a band whose centre glides from `from` to `to` Hz.
Mono Swish(Rng& rng, double seconds, double from, double to, double q, double peak) {
  Mono noise = WhiteNoise(rng, seconds);
  Biquad band = Biquad::BandPass(from, q);
  for (std::size_t i = 0; i < noise.size(); ++i) {
    if (i % 16 == 0) band.Retune(from + (to - from) * double(i) / double(noise.size()));
    noise[i] = band.Process(noise[i]);
  }
  Swell(noise, peak);
  return noise;
}

// A card or a small packet landing flat on felt: a soft, muffled pat.
Mono FeltPat(Rng& rng, double weight) {
  Mono pat = WhiteNoise(rng, 0.06);
  AttackDecay(pat, 0.001, 0.010 + 0.01 * weight);
  pat = Filtered(std::move(pat), Biquad::LowPass(420 + 300 * (1 - weight), 0.7));
  Mono body = Modes({{150, 0.018, 0.5 * weight}, {310, 0.010, 0.25}}, 0.06);
  for (std::size_t i = 0; i < pat.size(); ++i) pat[i] = 2.2f * pat[i] + body[i];
  return pat;
}

}  // namespace

Track Deal() {
  Rng rng(0xDEA1);
  Track t(0.34);
  // The snap of the card leaving the fingers, its short flight, and its landing on the felt.
  t.Add(Click(rng, 4300, 1.4, 0.006), 0.0, 0.7, 0.05);
  t.Add(Swish(rng, 0.085, 3200, 1600, 0.9, 0.6), 0.004, 0.45, 0.0);
  t.Add(FeltPat(rng, 0.6), 0.085, 0.9, 0.0);
  Mono slide = Swish(rng, 0.07, 1400, 900, 0.8, 0.15);
  t.Add(slide, 0.09, 0.3, 0.0);
  Room(t, 0.5, 0.12, 0.5);
  t.FadeOut(0.04);
  t.Normalize(0.8);
  return t;
}

Track Fold1() {
  Rng rng(0xF01D1);
  Track t(0.5);
  // Two cards tossed face down onto the muck: an airy toss, a flap, a short skid.
  t.Add(Swish(rng, 0.17, 3400, 1300, 0.8, 0.7), 0.0, 0.5, -0.1);
  t.Add(Click(rng, 1900, 1.0, 0.012), 0.16, 0.6, 0.0);
  t.Add(FeltPat(rng, 0.8), 0.165, 1.0, 0.0);
  t.Add(FeltPat(rng, 0.5), 0.19, 0.6, 0.05);
  t.Add(Swish(rng, 0.12, 1200, 800, 0.9, 0.1), 0.17, 0.35, 0.05);
  Room(t, 0.5, 0.12, 0.5);
  t.FadeOut(0.06);
  t.Normalize(0.8);
  return t;
}

Track Fold2() {
  Rng rng(0xF01D2);
  Track t(0.75);
  // The hand pushed away across the felt: a long, rough slide, then the cards squared with a tap.
  Mono slide = WhiteNoise(rng, 0.46);
  Mono flutter = Filtered(WhiteNoise(rng, 0.46), Biquad::LowPass(35, 0.7));
  Biquad band = Biquad::BandPass(1100, 1.1);
  for (std::size_t i = 0; i < slide.size(); ++i) {
    if (i % 16 == 0) band.Retune(1100 - 400 * double(i) / double(slide.size()));
    slide[i] = band.Process(slide[i]) * (0.6f + 6.0f * std::fabs(flutter[i]));
  }
  Swell(slide, 0.25);
  t.Add(slide, 0.0, 0.6, 0.0);
  t.Add(DeckSquare(rng, 0.9), 0.5, 0.3, 0.0);
  t.Add(DeckSquare(rng, 1.0), 0.57, 0.22, 0.0);
  Room(t, 0.5, 0.12, 0.5);
  t.FadeOut(0.08);
  t.Normalize(0.8);
  return t;
}

Mono DeckSquare(Rng& rng, double pitch) {
  // The deck knocked edge-down on the table: a wooden knock and a papery click.
  Mono knock = Modes(
      {{125 * pitch, 0.030, 0.7}, {270 * pitch, 0.018, 0.45}, {690 * pitch, 0.008, 0.25}}, 0.12);
  Mono click = Click(rng, 2600 * pitch, 1.2, 0.01);
  for (std::size_t i = 0; i < click.size(); ++i) knock[i] += 0.8f * click[i];
  return knock;
}

void Riffle(Track& track, Rng& rng, double at, double seconds, int cards, double hz, double gain) {
  // Cards fall one after another off the two thumbs: quick at first, slower towards the end,
  // from the left and the right half in turn.
  double weights = 0;
  for (int k = 0; k < cards; ++k) weights += 0.7 + 0.6 * double(k) / cards;
  double time = at;
  for (int k = 0; k < cards; ++k) {
    const double pan = (k % 2 == 0 ? -0.3 : 0.3) + 0.05 * rng.Bipolar();
    const double strength = gain * (0.6 + 0.4 * rng.Uniform()) * (k < 3 ? 0.6 : 1.0);
    Mono flick = Click(rng, hz * rng.Uniform(0.8, 1.25), 1.8, 0.005);
    Mono flap = Click(rng, hz * 0.35, 0.9, 0.012);
    track.Add(flick, time, strength, pan);
    track.Add(flap, time + 0.001, strength * 0.5, pan);
    time += seconds / weights * (0.7 + 0.6 * double(k) / cards) * rng.Uniform(0.75, 1.25);
  }
}

void Bridge(Track& track, Rng& rng, double at, double seconds, double gain) {
  // The bridge: the two halves arched and let go, a fast cascading purr of cards.
  Mono purr = WhiteNoise(rng, seconds);
  purr = Filtered(std::move(purr), Biquad::BandPass(1700, 0.8));
  Swell(purr, 0.35);
  track.Add(purr, at, gain * 0.35, 0.0);
  double time = at;
  while (time < at + seconds) {
    const double u = (time - at) / seconds;
    const double envelope = std::sin(kPi * u);
    track.Add(Click(rng, rng.Uniform(2000, 3200), 1.5, 0.004), time, gain * envelope,
              0.1 * rng.Bipolar());
    time += rng.Uniform(0.0025, 0.005);
  }
}

Track Shuffle1() {
  Rng rng(0x5401);
  Track t(1.75);
  // A riffle, the bridge, and the deck squared.
  Riffle(t, rng, 0.02, 0.9, 52, 4200, 0.8);
  Bridge(t, rng, 0.98, 0.32, 0.6);
  t.Add(DeckSquare(rng, 1.0), 1.42, 0.3, 0.0);
  Room(t, 0.6, 0.15, 0.5);
  t.FadeOut(0.08);
  t.Normalize(0.8);
  return t;
}

Track Shuffle2() {
  Rng rng(0x5402);
  Track t(1.3);
  // A quick, bright riffle with no bridge, then two taps to square the deck.
  Riffle(t, rng, 0.02, 0.6, 52, 5200, 0.9);
  t.Add(DeckSquare(rng, 1.15), 0.78, 0.35, 0.0);
  t.Add(DeckSquare(rng, 1.1), 0.93, 0.25, 0.0);
  Room(t, 0.6, 0.15, 0.5);
  t.FadeOut(0.08);
  t.Normalize(0.8);
  return t;
}

Track Shuffle3() {
  Rng rng(0x5403);
  Track t(1.65);
  // An overhand shuffle: packets slid off one after another, then the deck squared.
  double time = 0.02;
  for (int packet = 0; packet < 5; ++packet) {
    const double length = rng.Uniform(0.09, 0.14);
    t.Add(Swish(rng, length, 2600, 1500, 1.0, 0.4), time, 0.6, -0.15 + 0.07 * packet);
    t.Add(FeltPat(rng, 0.3), time + length * 0.8, 0.4, 0.0);
    time += rng.Uniform(0.19, 0.25);
  }
  t.Add(DeckSquare(rng, 0.95), time + 0.1, 0.4, 0.0);
  Room(t, 0.6, 0.15, 0.5);
  t.FadeOut(0.08);
  t.Normalize(0.8);
  return t;
}

}  // namespace soundgen
