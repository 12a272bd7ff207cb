#include "engine/win_chance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "engine/hand_wild_cards.h"
#include "eval/evaluator.h"

namespace corvane {

namespace {

// Sampling goes on in batches until the standard error of the share is at most a quarter of a
// percentage point, so that an answer a whole point off lies four standard errors away. An even
// chance, the worst case, reaches that error at 40,000 deals, the most that are dealt.
constexpr double kTargetStandardError = 0.0025;
constexpr int kDealsPerBatch = 1000;
constexpr int kFewestDeals = 4000;
constexpr int kMostDeals = 40000;
// Every way is counted when there are no more of them than a sample might deal.
constexpr double kMostCountedWays = 50000;

constexpr int kQueen = 12;
// The hand of a community place: it fills its slot in every hand.
constexpr int kCommunity = -1;

// Follow the Queen's wild rank: the rank of the face-up card that followed the last face-up Queen
// (0 for none), and whether a Queen is waiting for the card that follows it.
struct Trailer {
  int rank = 0;
  bool pending = false;
};

// The trailer after a card dealt face up: the card after a Queen sets the rank, a Queen starts
// again. Seeing the same card twice changes nothing more than seeing it once.
void FollowCard(Trailer& trailer, CardNumber card) {
  const int rank = CardRank(card);
  if (trailer.pending) {
    trailer.rank = rank;
    if (rank != kQueen) {
      trailer.pending = false;
      return;
    }
  }
  if (rank == kQueen) {
    trailer.rank = 0;
    trailer.pending = true;
  }
}

// A place still to be filled from the unknown cards. Places of one group are interchangeable: which
// of them gets which card does not change any value.
struct Place {
  int hand = 0;
  int slot = 0;
  int group = 0;
};

// The hand as the user sees it. Hand 0 is the user's, hands 1.. those of the other players still
// in; each holds the cards the user knows and the rest is filled from the unknown cards, place by
// place, in this order: the face-up cards that may still set Follow the Queen's wild rank (in the
// order they will be dealt), the community cards, the user's cards, then each other hand's cards.
// The places before `firstOtherPlace` are filled before any hand is valued; the places of hand i
// end at `placesEnd[i]` and begin where those of hand i - 1 end (hand 0's "end" is
// firstOtherPlace).
struct Position {
  std::vector<HandSlots> hands;
  std::vector<CardNumber> unknown;
  std::vector<Place> places;
  int trailerPlaces = 0;
  int firstOtherPlace = 0;
  std::vector<int> placesEnd;
  Trailer trailer;
  std::uint64_t seed = 0;
};

// One step of a 64-bit mixing function (the finaliser of SplitMix64).
std::uint64_t Mix(std::uint64_t h, std::uint64_t value) {
  h ^= value;
  h += 0x9E3779B97F4A7C15ULL;
  h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ULL;
  h = (h ^ (h >> 27)) * 0x94D049BB133111EBULL;
  return h ^ (h >> 31);
}

// Reads the hand from the side of the table of the person at `seat`.
class PositionReader {
 public:
  PositionReader(const TableState& table, const HandState& hand, int seat)
      : table_(table),
        hand_(hand),
        seat_(seat),
        game_(table.game),
        rounds_(std::clamp<int>(table.game.RoundCount, 0, kMaxRounds)),
        // Follow the Queen looks at every card dealt face up in a round of its own.
        trailerGame_(table.game.GameCode == kFollowTheQueen) {
    // The seats still in, in the order the deal reaches them: from the seat after the dealer
    // round the table. The reader's hand comes first among the hands.
    const int count = std::clamp<int>(table.PlayerCount, 0, kMaxSeats);
    int next = table.Dealer + 1 > count ? 1 : table.Dealer + 1;
    for (int i = 0; i < count; ++i, next = next == count ? 1 : next + 1) {
      if (!hand.Folded[static_cast<std::size_t>(next)]) dealOrder_.push_back(next);
    }
    seats_.push_back(seat_);
    for (const int s : dealOrder_) {
      if (s != seat_) seats_.push_back(s);
    }
  }

  Position Read() {
    Position p;
    const std::uint64_t known = ReadKnownCards(p);
    ListPlaces(p);
    p.trailer = TrailerNow();
    std::uint64_t seed = Mix(Mix(0, static_cast<std::uint64_t>(game_.GameCode)), known);
    seed = Mix(seed, static_cast<std::uint64_t>(p.trailer.rank * 2 + (p.trailer.pending ? 1 : 0)));
    for (const HandSlots& h : p.hands) {
      for (const CardNumber c : h) seed = Mix(seed, static_cast<std::uint64_t>(c));
    }
    for (const Place& place : p.places) {
      seed = Mix(seed, static_cast<std::uint64_t>((place.hand + 1) * 8 + place.slot));
    }
    p.seed = seed;
    return p;
  }

 private:
  bool Community(int slot) const { return game_.HasShared && game_.Rounds[slot].Shared; }
  bool SetsTrailer(int slot) const {
    return trailerGame_ && game_.Rounds[slot].FaceUp && !game_.Rounds[slot].Shared;
  }
  CardNumber CardOf(int seat, int slot) const { return table_.Cards[seat][slot]; }

  // Puts the cards the user knows into the hands and lists the others as unknown; returns the
  // known cards, bit c for card c.
  std::uint64_t ReadKnownCards(Position& p) const {
    p.hands.assign(seats_.size(), HandSlots{});
    std::uint64_t known = 0;
    const auto know = [&](CardNumber c) {
      if (c >= 1 && c <= 52) known |= std::uint64_t{1} << c;
    };
    for (int slot = 1; slot <= rounds_; ++slot) {
      const auto s = static_cast<std::size_t>(slot);
      if (Community(slot)) {
        // The community card, once it is dealt, lies in the slot of every hand still in.
        CardNumber shared = 0;
        for (const int seat : seats_) shared = shared != 0 ? shared : CardOf(seat, slot);
        for (HandSlots& h : p.hands) h[s] = shared;
        know(shared);
        continue;
      }
      for (std::size_t h = 0; h < seats_.size(); ++h) {
        if (h != 0 && !game_.Rounds[slot].FaceUp) continue;
        p.hands[h][s] = CardOf(seats_[h], slot);
        know(p.hands[h][s]);
      }
    }
    // Cards the reader saw thrown away are out of play while they lie on the pile (a folded
    // player's face-up cards are dead); once the pile is shuffled into the deck they may be dealt
    // again.
    const std::uint64_t seen =
        hand_.SeenDiscards | hand_.OwnDiscards[static_cast<std::size_t>(seat_)];
    for (int i = std::max<int>(table_.DiscardTop, 1); i <= 52; ++i) {
      const CardNumber c = table_.Discards[static_cast<std::size_t>(i)];
      if (c >= 1 && c <= 52 && ((seen >> c) & 1u) != 0) know(c);
    }
    for (CardNumber c = 1; c <= 52; ++c) {
      if (((known >> c) & 1u) == 0) p.unknown.push_back(c);
    }
    return known;
  }

  // The places in the order of Position, each group numbered.
  void ListPlaces(Position& p) const {
    int group = 0;
    for (int slot = 1; slot <= rounds_; ++slot) {
      if (!SetsTrailer(slot)) continue;
      for (const int seat : dealOrder_) {
        if (CardOf(seat, slot) == 0) p.places.push_back({HandOf(seat), slot, group++});
      }
    }
    p.trailerPlaces = static_cast<int>(p.places.size());
    for (int slot = 1; slot <= rounds_; ++slot) {
      if (Community(slot) && p.hands[0][static_cast<std::size_t>(slot)] == 0) {
        p.places.push_back({kCommunity, slot, group});
      }
    }
    ++group;
    // A hand's own places: the slots still to be dealt, and for the other players the face-down
    // cards the user cannot see.
    for (std::size_t h = 0; h < seats_.size(); ++h) {
      for (int slot = 1; slot <= rounds_; ++slot) {
        if (Community(slot)) continue;
        const CardNumber c = CardOf(seats_[h], slot);
        const bool hidden = c != 0 && h != 0 && !game_.Rounds[slot].FaceUp;
        if ((c == 0 && !SetsTrailer(slot)) || hidden) {
          p.places.push_back({static_cast<int>(h), slot, group});
        }
      }
      ++group;
      if (h == 0) p.firstOtherPlace = static_cast<int>(p.places.size());
      p.placesEnd.push_back(static_cast<int>(p.places.size()));
    }
    // Should the unknown cards run out (a game that deals more cards than the deck holds), the
    // last places stay empty, as the deal leaves them.
    const int filled = static_cast<int>(std::min(p.places.size(), p.unknown.size()));
    p.places.resize(static_cast<std::size_t>(filled));
    p.trailerPlaces = std::min(p.trailerPlaces, filled);
    p.firstOtherPlace = std::min(p.firstOtherPlace, filled);
    for (int& end : p.placesEnd) end = std::min(end, filled);
  }

  int HandOf(int seat) const {
    return static_cast<int>(std::find(seats_.begin(), seats_.end(), seat) - seats_.begin());
  }

  // Follow the Queen's wild rank as the deal stands. The card dealt last may not have been looked
  // at yet (a key pressed in the pause after it is announced); looking at it again changes
  // nothing when it has been. (The stud games deal at most 49 cards, so the deck never runs out
  // and its last card dealt is still in place.)
  Trailer TrailerNow() const {
    Trailer trailer{hand_.FollowRank, hand_.FollowPending};
    const int round = hand_.CurrentRound;
    if (round < 1 || round > rounds_ || !SetsTrailer(round)) return trailer;
    if (table_.DealtCount < 1 || table_.DealtCount > 52) return trailer;
    const CardNumber last = table_.Deck[static_cast<std::size_t>(table_.DealtCount)];
    for (const int seat : seats_) {
      if (last != 0 && CardOf(seat, round) == last) FollowCard(trailer, last);
    }
    return trailer;
  }

  const TableState& table_;
  const HandState& hand_;
  int seat_;
  const GameDefinition& game_;
  const int rounds_;
  const bool trailerGame_;
  std::vector<int> dealOrder_;
  std::vector<int> seats_;
};

// Bit c set for each card c among the entries 1.. of a list.
template <std::size_t N>
std::uint64_t Bits(const std::array<CardNumber, N>& cards) {
  std::uint64_t bits = 0;
  for (std::size_t i = 1; i < N; ++i) {
    if (cards[i] >= 1 && cards[i] <= 52) bits |= std::uint64_t{1} << cards[i];
  }
  return bits;
}

// Values a hand as the showdown does, with the wild cards it holds.
class HandValuer {
 public:
  explicit HandValuer(const GameDefinition& game) : game_(game) {}

  HandValue operator()(const HandSlots& cards, int followRank) {
    return Value(cards, followRank, EvaluateHandValue(cards, kAllFaceDown, false));
  }

  // The value of a hand, or only a value it surely reaches when that already beats `mine`: a wild
  // card may always stand for itself, so the hand is worth at least its natural value.
  HandValue ValueAgainst(const HandSlots& cards, int followRank, HandValue mine) {
    const HandValue natural = EvaluateHandValue(cards, kAllFaceDown, false);
    return natural > mine ? natural : Value(cards, followRank, natural);
  }

 private:
  HandValue Value(const HandSlots& cards, int followRank, HandValue natural) {
    if (!game_.HasWildCards) return natural;
    const HandWilds wilds = WildCardsOfHand(game_, cards, followRank, false);
    if ((Bits(wilds.cards) & Bits(cards)) == 0) return natural;
    return BestHandWithWilds(cards, kAllFaceDown, false, wilds.cards, description_);
  }

  // The whole hand is valued, so which slots are face up does not matter.
  static constexpr FaceUpSlots kAllFaceDown{};
  const GameDefinition& game_;
  // Not used; kept from one hand to the next to spare its memory.
  std::string description_;
};

void Put(std::vector<HandSlots>& hands, const Place& place, CardNumber card) {
  const auto slot = static_cast<std::size_t>(place.slot);
  if (place.hand == kCommunity) {
    for (HandSlots& h : hands) h[slot] = card;
  } else {
    hands[static_cast<std::size_t>(place.hand)][slot] = card;
  }
}

// The showdown at the end of one way the hand can go.
class Showdown {
 public:
  Showdown(const Position& p, const GameDefinition& game)
      : p_(p), value_(game), beats_(p.hands.size(), 0) {
    for (std::size_t h = 1; h < p.hands.size(); ++h) order_.push_back(h);
    for (const Place& place : p.places) {
      userHandComplete_ = userHandComplete_ && place.hand != 0 && place.hand != kCommunity;
    }
    knownUserValue_.fill(kNotValued);
  }

  // The user's share of the win once the places before firstOtherPlace are filled. `fillHand(h)`
  // fills the places of hand h before it is valued: the sampler deals them only when they are
  // needed, since the first hand that beats the user's ends the count.
  template <typename FillHand>
  double ShareOfWin(std::vector<HandSlots>& hands, FillHand fillHand) {
    Trailer trailer = p_.trailer;
    for (int k = 0; k < p_.trailerPlaces; ++k) {
      const Place& place = p_.places[static_cast<std::size_t>(k)];
      FollowCard(trailer,
                 hands[static_cast<std::size_t>(place.hand)][static_cast<std::size_t>(place.slot)]);
    }
    const HandValue mine = UserValue(hands[0], trailer.rank);
    int ties = 0;
    for (const std::size_t h : order_) {
      fillHand(h);
      const HandValue theirs = value_.ValueAgainst(hands[h], trailer.rank, mine);
      if (theirs > mine) {
        ++beats_[h];
        return 0;
      }
      if (theirs == mine) ++ties;
    }
    return 1.0 / (1 + ties);
  }

  // Looks first at the hands that have beaten the user's most often, so that a lost deal is known
  // after fewer hands. The order changes only the work, never the answer's distribution.
  void PutLikelyWinnersFirst() {
    std::stable_sort(order_.begin(), order_.end(),
                     [&](std::size_t a, std::size_t b) { return beats_[a] > beats_[b]; });
  }

 private:
  static constexpr HandValue kNotValued = -1;

  // A user's hand that gets no more cards is valued once for each wild rank.
  HandValue UserValue(const HandSlots& cards, int followRank) {
    if (!userHandComplete_) return value_(cards, followRank);
    HandValue& known = knownUserValue_[static_cast<std::size_t>(followRank)];
    if (known == kNotValued) known = value_(cards, followRank);
    return known;
  }

  const Position& p_;
  HandValuer value_;
  bool userHandComplete_ = true;
  std::array<HandValue, 14> knownUserValue_{};
  // The other hands in the order they are valued, and how often each has beaten the user's.
  std::vector<std::size_t> order_;
  std::vector<std::int64_t> beats_;
};

// The number of ways to fill the places: each group takes a set of the cards left.
double CountWays(const Position& p) {
  double ways = 1;
  double left = static_cast<double>(p.unknown.size());
  for (std::size_t k = 0; k < p.places.size();) {
    std::size_t end = k;
    while (end < p.places.size() && p.places[end].group == p.places[k].group) ++end;
    // Sets of n from `left`: left * (left - 1) * ... / n!.
    for (std::size_t n = 1; n <= end - k; ++n) {
      ways = ways * left / static_cast<double>(n);
      left -= 1;
    }
    k = end;
  }
  return ways;
}

// Counts every way the places can be filled: each group takes every set of the cards not yet
// taken, in rising order within the group so that each set is counted once.
class WayCounter {
 public:
  WayCounter(const Position& p, Showdown& showdown)
      : p_(p), showdown_(showdown), hands_(p.hands), taken_(p.unknown.size(), false) {}

  WinChance Run() {
    Walk(0, 0);
    WinChance chance;
    chance.exact = true;
    chance.deals = ways_;
    chance.share = ways_ > 0 ? shares_ / static_cast<double>(ways_) : 0;
    return chance;
  }

 private:
  void Walk(std::size_t k, std::size_t firstCard) {
    if (k == p_.places.size()) {
      shares_ += showdown_.ShareOfWin(hands_, [](std::size_t) {});
      ++ways_;
      return;
    }
    const Place& place = p_.places[k];
    const bool sameGroup = k > 0 && p_.places[k - 1].group == place.group;
    for (std::size_t i = sameGroup ? firstCard : 0; i < p_.unknown.size(); ++i) {
      if (taken_[i]) continue;
      taken_[i] = true;
      Put(hands_, place, p_.unknown[i]);
      Walk(k + 1, i + 1);
      taken_[i] = false;
    }
  }

  const Position& p_;
  Showdown& showdown_;
  std::vector<HandSlots> hands_;
  std::vector<bool> taken_;
  double shares_ = 0;
  std::int64_t ways_ = 0;
};

// Whole numbers below n (n at most 52) from a random stream of its own: each half of a 64-bit
// draw gives one, by multiplication; its bias, n / 2^32, is far below anything an answer shows.
class CardPicker {
 public:
  explicit CardPicker(std::uint64_t seed) : engine_(seed) {}

  std::size_t Below(std::size_t n) {
    std::uint64_t half = 0;
    if (spare_) {
      half = bits_ & 0xFFFFFFFFu;
    } else {
      bits_ = engine_();
      half = bits_ >> 32;
    }
    spare_ = !spare_;
    return static_cast<std::size_t>((half * n) >> 32);
  }

 private:
  std::mt19937_64 engine_;
  std::uint64_t bits_ = 0;
  bool spare_ = false;
};

// Deals the rest of the hand over and over from the unknown cards in random order.
WinChance Sample(const Position& p, Showdown& showdown) {
  CardPicker random(p.seed);
  std::vector<CardNumber> deck = p.unknown;
  std::vector<HandSlots> hands = p.hands;
  std::size_t dealt = 0;
  // One step of a shuffle: the next card is drawn from those not dealt yet in this deal.
  const auto deal = [&] {
    std::swap(deck[dealt], deck[dealt + random.Below(deck.size() - dealt)]);
    return deck[dealt++];
  };
  const auto fillHand = [&](std::size_t h) {
    for (int k = p.placesEnd[h - 1]; k < p.placesEnd[h]; ++k) {
      Put(hands, p.places[static_cast<std::size_t>(k)], deal());
    }
  };

  double sum = 0;
  double sumOfSquares = 0;
  int deals = 0;
  while (deals < kMostDeals) {
    for (int i = 0; i < kDealsPerBatch; ++i) {
      dealt = 0;
      for (int k = 0; k < p.firstOtherPlace; ++k) {
        Put(hands, p.places[static_cast<std::size_t>(k)], deal());
      }
      const double share = showdown.ShareOfWin(hands, fillHand);
      sum += share;
      sumOfSquares += share * share;
    }
    deals += kDealsPerBatch;
    showdown.PutLikelyWinnersFirst();
    if (deals < kFewestDeals) continue;
    const double mean = sum / deals;
    const double variance = std::max(0.0, sumOfSquares / deals - mean * mean);
    if (std::sqrt(variance / deals) <= kTargetStandardError) break;
  }
  WinChance chance;
  chance.deals = deals;
  chance.share = sum / deals;
  return chance;
}

// A draw is being played, or one is still to come in this round or a later one.
bool DrawToCome(const TableState& table, const HandState& hand) {
  if (hand.DrawUnderWay || hand.DrawsLeft > 0) return true;
  const int rounds = std::clamp<int>(table.game.RoundCount, 0, kMaxRounds);
  for (int r = std::max<int>(hand.CurrentRound + 1, 1); r <= rounds; ++r) {
    if (table.game.Rounds[r].Draws > 0) return true;
  }
  return false;
}

}  // namespace

WinChance ChanceOfWinning(const TableState& table, const HandState& hand, int seat,
                          WinChanceMethod method) {
  const Position p = PositionReader(table, hand, seat).Read();
  Showdown showdown(p, table.game);
  WinChance chance;
  if (p.hands.size() == 1) {
    // Everyone else has folded: the pot is the user's.
    chance.share = 1;
    chance.exact = true;
    chance.deals = 1;
  } else if (method == WinChanceMethod::kExact ||
             (method == WinChanceMethod::kCheapest && CountWays(p) <= kMostCountedWays)) {
    chance = WayCounter(p, showdown).Run();
  } else {
    chance = Sample(p, showdown);
  }
  chance.drawToCome = DrawToCome(table, hand);
  return chance;
}

}  // namespace corvane
