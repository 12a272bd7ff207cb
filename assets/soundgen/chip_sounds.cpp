// A knuckle rap on the table, and clay chips clicking onto the pile.
#include "sounds.h"

namespace soundgen {
namespace {

// One knuckle knock on a wooden table top.
Mono Knock(Rng& rng, double pitch) {
  Mono knock = Modes({{108 * pitch, 0.050, 1.0},
                      {232 * pitch, 0.034, 0.7},
                      {515 * pitch, 0.018, 0.45},
                      {1170 * pitch, 0.007, 0.3},
                      {2350 * pitch, 0.003, 0.15}},
                     0.22);
  Mono skin = Filtered(WhiteNoise(rng, 0.01), Biquad::LowPass(2800, 0.7));
  AttackDecay(skin, 0.0005, 0.002);
  for (std::size_t i = 0; i < skin.size(); ++i) knock[i] += 0.6f * skin[i];
  return knock;
}

// A chip dropped onto the pile: the clack, then a few smaller ones as it settles.
void ChipDrop(Track& t, Rng& rng, double at, double pitch, double gain, double pan) {
  t.Add(ChipClack(rng, pitch, 1.0), at, gain, pan);
  double time = at;
  double step = rng.Uniform(0.03, 0.04);
  double strength = 0.5;
  for (int bounce = 0; bounce < 4; ++bounce) {
    time += step;
    t.Add(ChipClack(rng, pitch * rng.Uniform(0.95, 1.08), strength), time, gain, pan);
    step *= 0.62;
    strength *= 0.6;
  }
}

}  // namespace

Mono ChipClack(Rng& rng, double pitch, double strength) {
  // Hard clay on clay: a bright crack and a few high, very short ringing modes.
  Mono clack =
      Modes({{pitch * 0.92, 0.011, 0.6}, {pitch * 1.41, 0.007, 0.45}, {pitch * 2.13, 0.004, 0.3}},
            0.05, 0.3);
  Mono crack = Click(rng, pitch * 1.2, 2.5, 0.003);
  for (std::size_t i = 0; i < crack.size(); ++i) clack[i] += 1.4f * crack[i];
  for (float& s : clack) s = static_cast<float>(s * strength);
  return clack;
}

Track Check() {
  Rng rng(0xC4EC);
  Track t(0.48);
  // Two raps of the knuckles on the table.
  t.Add(Knock(rng, 1.0), 0.0, 1.0, 0.0);
  t.Add(Knock(rng, 1.04), 0.14, 0.8, 0.0);
  Room(t, 0.45, 0.1, 0.6);
  t.FadeOut(0.06);
  t.Normalize(0.8);
  return t;
}

Track Coin1() {
  Rng rng(0xC011);
  Track t(0.3);
  ChipDrop(t, rng, 0.0, 3400, 1.0, 0.0);  // one chip onto the pile
  Room(t, 0.5, 0.1, 0.5);
  t.FadeOut(0.05);
  t.Normalize(0.75);
  return t;
}

Track Coin2() {
  Rng rng(0xC012);
  Track t(0.4);
  ChipDrop(t, rng, 0.0, 3100, 1.0, -0.05);  // two chips, one after the other
  ChipDrop(t, rng, 0.11, 3650, 0.8, 0.05);
  Room(t, 0.5, 0.1, 0.5);
  t.FadeOut(0.05);
  t.Normalize(0.75);
  return t;
}

Track Coin3() {
  Rng rng(0xC013);
  Track t(0.35);
  // A small stack set down at once: several clacks close together over a dull thud.
  Mono thud = Filtered(WhiteNoise(rng, 0.05), Biquad::LowPass(350, 0.7));
  AttackDecay(thud, 0.001, 0.01);
  t.Add(thud, 0.0, 1.5, 0.0);
  double time = 0.0;
  for (int chip = 0; chip < 4; ++chip) {
    t.Add(ChipClack(rng, 2900 * rng.Uniform(0.95, 1.06), 1.0 - 0.15 * chip), time, 1.0, 0.0);
    time += rng.Uniform(0.006, 0.012);
  }
  ChipDrop(t, rng, 0.07, 3000, 0.5, 0.0);
  Room(t, 0.5, 0.1, 0.5);
  t.FadeOut(0.05);
  t.Normalize(0.75);
  return t;
}

Track Coin4() {
  Rng rng(0xC014);
  Track t(0.6);
  // A chip tossed in: it lands, bounces, and spins down with a quickening rattle.
  const double pitch = 4000;
  t.Add(ChipClack(rng, pitch, 1.0), 0.0, 1.0, 0.1);
  t.Add(ChipClack(rng, pitch * 1.03, 0.6), 0.085, 1.0, 0.1);
  double time = 0.15;
  double step = 0.03;
  double strength = 0.45;
  while (step > 0.004 && time < 0.55) {
    t.Add(ChipClack(rng, pitch * rng.Uniform(0.97, 1.04), strength), time, 1.0, 0.1);
    time += step;
    step *= 0.86;
    strength *= 0.9;
  }
  Room(t, 0.5, 0.1, 0.5);
  t.FadeOut(0.05);
  t.Normalize(0.75);
  return t;
}

}  // namespace soundgen
