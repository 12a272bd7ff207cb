// Who hears a phrase or a sound of the table: everyone at it, the person at one seat only (that
// seat's face-down cards, its hand, its menus, its draw), or everyone but the person at one seat
// (what the others hear of that seat's private moments, in the words they hear a bot's).
#pragma once

namespace corvane {

class Audience {
 public:
  static constexpr Audience Everyone() { return Audience(Kind::Everyone, 0); }
  static constexpr Audience Only(int seat) { return Audience(Kind::Only, seat); }
  static constexpr Audience AllBut(int seat) { return Audience(Kind::AllBut, seat); }

  // Whether the person listening at `listenerSeat` hears it.
  constexpr bool Includes(int listenerSeat) const {
    switch (kind_) {
      case Kind::Everyone:
        return true;
      case Kind::Only:
        return listenerSeat == seat_;
      case Kind::AllBut:
        return listenerSeat != seat_;
    }
    return false;
  }

 private:
  enum class Kind { Everyone, Only, AllBut };
  constexpr Audience(Kind kind, int seat) : kind_(kind), seat_(seat) {}

  Kind kind_;
  int seat_;
};

}  // namespace corvane
