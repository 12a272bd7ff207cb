#include "engine/seating.h"

namespace corvane {

Seating::Seating(Random& game) : bot_(game) {
  players_.fill(&bot_);
}

void Seating::Seat(int seat, SeatPlayer& player, Listener* listener) {
  players_.at(Index(seat)) = &player;
  listeners_.at(Index(seat)) = listener;
}

void Seating::BotTakesOver(int seat) {
  players_.at(Index(seat)) = &bot_;
}

void Seating::Unseat(int seat) {
  players_.at(Index(seat)) = &bot_;
  listeners_.at(Index(seat)) = nullptr;
}

int Seating::SeatOf(const Listener* listener) const {
  if (listener == nullptr) return 0;
  for (int seat = 1; seat <= kMaxSeats; ++seat) {
    if (listeners_[Index(seat)] == listener) return seat;
  }
  return 0;
}

void Seating::MoveDown(int seat, int last) {
  for (int s = seat; s < last; ++s) {
    players_.at(Index(s)) = players_.at(Index(s) + 1);
    listeners_.at(Index(s)) = listeners_.at(Index(s) + 1);
  }
  players_.at(Index(last)) = &bot_;
  listeners_.at(Index(last)) = nullptr;
}

}  // namespace corvane
