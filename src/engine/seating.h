// Who sits where: the player who decides for each seat and the person, if any, who listens there.
// Every seat starts with a bot and no listener; a person is seated with their own player. When a
// seat empties, the seats after it move down, players and listeners with them, and the emptied
// last seat gets a bot.
#pragma once

#include <array>

#include "engine/bot_player.h"
#include "engine/listener.h"
#include "engine/seat_player.h"
#include "table/random.h"
#include "table/table_state.h"

namespace corvane {

class Seating {
 public:
  // The bots draw from `game`, the game's random stream.
  explicit Seating(Random& game);
  Seating(const Seating&) = delete;
  Seating& operator=(const Seating&) = delete;

  // `player` decides for `seat` from now on, and `listener` (nullptr for nobody) hears the table
  // from it.
  void Seat(int seat, SeatPlayer& player, Listener* listener);
  // A bot decides for `seat` from now on; the listener stays (a person whose program stopped
  // answering still hears the table, and takes the seat back with Seat).
  void BotTakesOver(int seat);
  // Nobody listens at `seat` any more, and a bot plays it.
  void Unseat(int seat);

  SeatPlayer& PlayerAt(int seat) const { return *players_.at(Index(seat)); }
  // True when a bot decides for `seat` (whoever listens there).
  bool BotPlays(int seat) const { return players_.at(Index(seat)) == &bot_; }
  Listener* ListenerAt(int seat) const { return listeners_.at(Index(seat)); }
  // The seat `listener` sits at; 0 when not seated.
  int SeatOf(const Listener* listener) const;

  // `seat` has emptied and the seats after it, up to `last`, move down by one.
  void MoveDown(int seat, int last);

 private:
  static std::size_t Index(int seat) { return static_cast<std::size_t>(seat); }

  BotPlayer bot_;
  std::array<SeatPlayer*, kMaxSeats + 1> players_{};
  std::array<Listener*, kMaxSeats + 1> listeners_{};
};

}  // namespace corvane
