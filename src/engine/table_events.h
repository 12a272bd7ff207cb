// What the hand engine tells the rest of the table at the moments of a hand: a hand begins and
// ends, its pots have been paid, a betting round went all the way round, the user has lost the
// last chip. Each moment has nothing to do unless the table has something to do at it.
#pragma once

namespace corvane {

class TableEvents {
 public:
  virtual ~TableEvents() = default;

  // The deal has moved on and the hand begins; the antes are still to be taken.
  virtual void HandBegins() {}
  // The hand is settled: its pots have been paid (HandOver is set), before the pause that ends it.
  virtual void HandSettled() {}
  // The hand's sequence is over, whether it was settled or not (the table was quit, the new ante
  // refused).
  virtual void HandEnds() {}
  // A betting round went all the way round (for checks and reports).
  virtual void BettingRoundEnded() {}
  // The user has lost the last chip and leaves the table: before the table says so.
  virtual void UserEliminated() {}
  // The table is closed to the user: after the table said so, before the hand is left.
  virtual void TableClosedToUser() {}
};

}  // namespace corvane
