// The narration of the table: each phrase goes to the speech of every listener in its audience,
// in seat order, and each sound plays on every listener's own sound engine, placed as the seat
// sits relative to that listener (a listener hears their own seat straight ahead, as the user
// always has, and the others round the table from there).
#pragma once

#include "engine/narration.h"
#include "engine/seating.h"
#include "speech/game_pauses.h"
#include "table/random.h"
#include "table/table_state.h"

namespace corvane {

class TableNarration : public Narration {
 public:
  // The pauses between the coins of a chip sound are the table's, drawn from `cosmetic`.
  TableNarration(const TableState& table, const Seating& seating, GamePauses& pauses,
                 Random& cosmetic);

  void Say(const Audience& audience, std::string_view text) override;
  void SeatSound(const std::string& name, int seat, int volumeOffset = 0) override;
  void ChipSound(int seat, std::int32_t amount) override;
  bool HeardAt(int seat) const override;

 private:
  // Calls `play(listener, seat as that listener sees it)` for every listener.
  template <typename Play>
  void ForEachListener(int seat, Play play);

  const TableState& table_;
  const Seating& seating_;
  GamePauses& pauses_;
  Random& cosmetic_;
};

// Where `seat` (0 the table) sits as seen from `listenerSeat` at a table of `playerCount`: the
// listener's own seat is seat 1 and the others follow round the table.
int SeatSeenFrom(int seat, int listenerSeat, int playerCount);

}  // namespace corvane
