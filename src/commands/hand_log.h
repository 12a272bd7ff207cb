// The hands of a table as they were spoken: every phrase that enters the phrase history from the
// moment the deal moves to the payment of the pots, apart from what command keys say in between.
// The hand being played and the last finished hand are kept; the V key reads them and the hand
// history file keeps every finished hand.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"
#include "speech/speech.h"
#include "table/table_state.h"

namespace corvane {

struct LoggedHand {
  int number = 0;                  // the hand's number at this table, from 1
  std::string game;                // the name of the game played
  std::string heading;             // one line: number, game, date and time, dealer, chips
  std::int32_t userChips = 0;      // the listener's chips when the hand began, before the ante
  std::vector<std::string> lines;  // the phrases, in the order they were spoken
};

// "Hand 3, Texas Holdem, Monday 7 December 2026 20:15. Dealer Harry. Chips: Joe 1000, Harry 950."
std::string HandHeading(int number, const TableState& table, const CalendarTime& when);

class HandLog : public PhraseListener {
 public:
  // A new or restored table: no hand has been played at it, and its first hand is hand 1.
  void TableStarts();
  // A hand begins: `table` with the deal moved on and the antes not yet taken; the log is kept
  // for the person at `seat`.
  void Begin(const TableState& table, const CalendarTime& when, int seat);
  // The hand's pots have been paid: it becomes the last finished hand, which is returned; nullptr
  // when no hand was being recorded.
  const LoggedHand* Settle();
  // A hand that ends without being settled (the table was quit, the new ante refused) is dropped.
  void Abandon();

  bool Recording() const { return recording_; }
  const LoggedHand& Current() const { return current_; }
  // nullptr until a hand has been finished at this table.
  const LoggedHand* LastFinished() const { return finished_ ? &last_ : nullptr; }

  void PhraseRecorded(std::string_view text) override;

  // What a command key says while it runs is not part of the hand.
  class Pause {
   public:
    explicit Pause(HandLog* log) : log_(log) {
      if (log_ != nullptr) ++log_->paused_;
    }
    ~Pause() {
      if (log_ != nullptr) --log_->paused_;
    }
    Pause(const Pause&) = delete;
    Pause& operator=(const Pause&) = delete;

   private:
    HandLog* log_;
  };

 private:
  // Far more phrases than any hand says; a hand that somehow says more keeps its first ones.
  static constexpr std::size_t kMostLines = 5000;

  LoggedHand current_;
  LoggedHand last_;
  bool recording_ = false;
  bool finished_ = false;
  int paused_ = 0;
  int handsFinished_ = 0;
};

}  // namespace corvane
