// The reports the command keys speak about the hand, to the person who pressed the key and from
// that person's seat: their cards, the pot, the players, the game variables, the cards showing
// and, once the hand is over, every hand still in. Every sentence is one phrase that begins with
// "???", so none of them enters the phrase history.
#pragma once

#include <string>

#include "engine/hand_state.h"
#include "engine/listener.h"
#include "engine/seating.h"
#include "speech/speech.h"
#include "table/table_state.h"

namespace corvane {

class StatusReports {
 public:
  // The reports speak to `speech`, from the seat `listener` sits at.
  StatusReports(const TableState& table, const HandState& hand, Speech& speech,
                const Seating& seating, const Listener& listener);

  // The seat the reports speak from.
  int Seat() const { return seating_.SeatOf(&listener_); }

  void FaceDownCards();    // D
  void FaceUpCards();      // U
  void Pots();             // P
  void HandSummary();      // H
  void UserChips();        // M
  void EveryonesChips();   // Shift-M
  void GameVariables();    // F3
  void CardsShowing();     // S
  void ShowingDetails();   // Shift-S
  void ExamineAllHands();  // X
  // W; `handUnderWay` is true from the first card of a hand to the question that follows it.
  void ChanceOfWinning(bool handUnderWay);
  // Tab; `secondsThisHand` is the time the hand under way has taken so far (0 between hands).
  void HandStatus(double secondsThisHand);

  // "Queen of Hearts, Two of Clubs, " over the seat's slots for which `take` holds; with
  // `leadingBlank` each card is preceded by " ".
  std::string CardList(int hand, bool faceUp, bool faceDown, bool leadingBlank) const;

 private:
  void Say(const std::string& text) { speech_.speak("???" + text); }
  std::int32_t PotTotal() const;

  const TableState& table_;
  const HandState& hand_;
  Speech& speech_;
  const Seating& seating_;
  const Listener& listener_;
};

}  // namespace corvane
