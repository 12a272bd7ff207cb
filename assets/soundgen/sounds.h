// Every sound the game names, each made by its own recipe.
#pragma once

#include <vector>

#include "synth.h"

namespace soundgen {

struct Recipe {
  const char* file;
  Track (*make)();
};

// In the order they are written.
const std::vector<Recipe>& AllSounds();

// Cards: dealt onto the felt, folded, shuffled.
Track Deal();
Track Fold1();
Track Fold2();
Track Shuffle1();
Track Shuffle2();
Track Shuffle3();
// A knuckle rap on the table, and chips onto the pile.
Track Check();
Track Coin1();
Track Coin2();
Track Coin3();
Track Coin4();
// The room: a chair pushed back, the murmur of a busy card room (a seamless loop).
Track LeaveTable();
Track PokerParty();
// Music: the start-up sting, the lounge tune of the menus and its melody, the winner's fanfare.
Track Intro0();
Track Intro();
Track Intro2();
Track Congratz();

// Shared pieces.
void Riffle(Track& track, Rng& rng, double at, double seconds, int cards, double hz, double gain);
void Bridge(Track& track, Rng& rng, double at, double seconds, double gain);
Mono DeckSquare(Rng& rng, double pitch);
Mono ChipClack(Rng& rng, double pitch, double strength);

// Makes a track that ends where it begins: the last `crossfade` seconds of `track` are folded onto
// its start, so it is `crossfade` shorter and loops without a seam.
Track LoopSeamlessly(const Track& track, double crossfade);

}  // namespace soundgen
