// The bots' discards, one row each: what a made hand keeps, the four-card flush and sequence, the
// lowest cards of a hand with nothing, the round's maximum, community cards, and the kicker rule of
// the wild-card games, which never throws a wild card.
#include "engine/bot_discard.h"

#include <gtest/gtest.h>

#include "support/cards.h"

namespace corvane::testing {
namespace {

TEST(BotDiscard, SlotsThrownForEachHand) {
  const struct {
    const char* cards;
    int most;            // cards the round allows
    const char* shared;  // slots holding a community card ("..S" for slot 3)
    const char* wilds;   // empty: a game without wild cards
    std::vector<int> thrown;
  } rows[] = {
      // A straight, a flush, a full house, four of a kind, a straight flush stand pat.
      {"5s 6h 7c 8d 9s", 3, "", "", {}},
      {"2h 6h 9h Jh Kh", 3, "", "", {}},
      {"4s 4h 4c 8d 8s", 3, "", "", {}},
      {"4s 4h 4c 4d 8s", 3, "", "", {}},
      {"As 2s 3s 4s 5s", 3, "", "", {}},
      // A pair throws its singles from the Ace up; two pairs their single; three of a kind two.
      {"9s Jh 9c 5d As", 3, "", "", {5, 4, 2}},
      {"9s Jh 9c 5d As", 2, "", "", {5, 4}},
      {"9s Jh 9c Jd 3s", 3, "", "", {5}},
      {"Qs Qh 7c Qd 3s", 3, "", "", {5, 3}},
      // Four of one suit throw the odd card; four in sequence the card outside the run.
      {"2h 9h Ks Jh 5h", 3, "", "", {3}},
      {"5s Kh 7c 6d 8s", 3, "", "", {2}},
      {"9s 2h Ac 3d 4s", 3, "", "", {1}},
      {"As Jh Kc 3d Qs", 3, "", "", {4}},
      // Nothing: the three lowest, never more than the round allows, never a community card.
      {"Js 3h Ac 9d 6s", 3, "", "", {2, 5, 4}},
      {"Js 3h Ac 9d 6s", 2, "", "", {2, 5}},
      {"Js 3h Ac 9d 6s", 5, "", "", {2, 5, 4}},
      {"Js 3h Ac 9d 6s", 0, "", "", {}},
      {"Js 3h Ac 9d 6s", 3, ".S", "", {5, 4, 1}},
      // Kings and little ones wild: the kickers go, the wild cards stay.
      {"Ks 2h 7c 9d Js", 3, "", "Ks Kh Kc Kd 2s 2h 2c 2d", {3, 4, 5}},
      {"Ks 5h 9c 5d Kh", 3, "", "Ks Kh Kc Kd 5s 5h 5c 5d", {3}},
      // Deuces wild: the Two stays though fewer cards than allowed go; a made hand stands pat.
      {"2s 8h 8c 5d Js", 3, "", "2s 2h 2c 2d", {4, 5}},
      {"4s 5h 6c 7d 8s", 3, "", "2s 2h 2c 2d", {}},
      {"3s 8h Tc 5d Js", 2, "", "2s 2h 2c 2d", {1, 4}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.cards);
    HandSlots hand{};
    DrawableSlots drawable{};
    const std::vector<CardNumber> cards = Cards(row.cards);
    for (std::size_t i = 0; i < cards.size(); ++i) {
      hand[i + 1] = cards[i];
      drawable[i + 1] = i >= std::string_view(row.shared).size() || row.shared[i] != 'S';
    }
    WildList wilds{};
    const std::vector<CardNumber> wild = Cards(row.wilds);
    std::copy(wild.begin(), wild.end(), wilds.begin() + 1);
    EXPECT_EQ(*row.wilds ? WildBotDiscard(hand, drawable, wilds, row.most)
                         : BotDiscard(hand, drawable, row.most),
              row.thrown);
  }
}

}  // namespace
}  // namespace corvane::testing
