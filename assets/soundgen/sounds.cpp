#include "sounds.h"

namespace soundgen {

const std::vector<Recipe>& AllSounds() {
  static const std::vector<Recipe> kSounds = {
      {"intro0.wav", Intro0},         {"intro.WAV", Intro},          {"intro2.wav", Intro2},
      {"POKERPARTY.WAV", PokerParty}, {"congratz.wav", Congratz},    {"shuffle1.wav", Shuffle1},
      {"shuffle2.wav", Shuffle2},     {"shuffle3.wav", Shuffle3},    {"deal.wav", Deal},
      {"check.wav", Check},           {"fold1.wav", Fold1},          {"fold2.wav", Fold2},
      {"coin1.wav", Coin1},           {"coin2.wav", Coin2},          {"coin3.wav", Coin3},
      {"coin4.wav", Coin4},           {"leavetable.wav", LeaveTable}};
  return kSounds;
}

}  // namespace soundgen
