#include "engine/table_narration.h"

#include "sound/seat_sounds.h"

namespace corvane {

TableNarration::TableNarration(const TableState& table, const Seating& seating, GamePauses& pauses,
                               Random& cosmetic)
    : table_(table), seating_(seating), pauses_(pauses), cosmetic_(cosmetic) {}

int SeatSeenFrom(int seat, int listenerSeat, int playerCount) {
  if (seat <= 0 || playerCount <= 0 || listenerSeat <= 0) return seat;
  return (seat - listenerSeat + playerCount) % playerCount + 1;
}

template <typename Play>
void TableNarration::ForEachListener(int seat, Play play) {
  for (int at = 1; at <= table_.PlayerCount; ++at) {
    if (Listener* listener = seating_.ListenerAt(at)) {
      play(*listener, SeatSeenFrom(seat, at, table_.PlayerCount));
    }
  }
}

void TableNarration::Say(const Audience& audience, std::string_view text) {
  for (int at = 1; at <= table_.PlayerCount; ++at) {
    Listener* listener = seating_.ListenerAt(at);
    if (listener != nullptr && audience.Includes(at)) listener->Ears().speak(text);
  }
}

void TableNarration::SeatSound(const std::string& name, int seat, int volumeOffset) {
  ForEachListener(seat, [&](Listener& listener, int seen) {
    PlaySeatSound(listener.Sounds(), name, table_.PlayerCount, seen, volumeOffset,
                  listener.TableVolume());
  });
}

void TableNarration::ChipSound(int seat, std::int32_t amount) {
  const int coins = ChipSoundCount(amount, table_.settings.Ante);
  for (int i = 0; i < coins; ++i) {
    SeatSound("coin*4.wav", seat, -800);
    // Keys pressed while the coins fall are answered at once, as in every pause of a hand: a
    // pause that only stored them would lose them, since nothing reads them afterwards.
    pauses_.Pause(PauseOf::Play, cosmetic_.Rnd() / 10);
  }
}

bool TableNarration::HeardAt(int seat) const {
  return seat >= 1 && seat <= kMaxSeats && seating_.ListenerAt(seat) != nullptr;
}

}  // namespace corvane
