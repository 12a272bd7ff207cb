// What the table says and plays goes through here, to the people who hear it: the hand engine,
// the table play and the command keys say each phrase to an audience, and each sound at a seat is
// placed from every listener's own seat.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/audience.h"

namespace corvane {

class Narration {
 public:
  // Says `text` to every person in `audience`.
  virtual void Say(const Audience& audience, std::string_view text) = 0;
  // Plays `name` (wildcards allowed) at `seat` (0 the table itself) to everyone, each hearing it
  // from where they sit, with `volumeOffset` added.
  virtual void SeatSound(const std::string& name, int seat, int volumeOffset = 0) = 0;
  // Chips going into the pot, or coming out of it, at `seat`: one coin per two antes of `amount`
  // (at least one, at most 50), each followed by a short pause in which keys run their commands.
  virtual void ChipSound(int seat, std::int32_t amount) = 0;
  // Whether a person sits at `seat` and hears what is said to it.
  virtual bool HeardAt(int seat) const = 0;

 protected:
  ~Narration() = default;
};

}  // namespace corvane
