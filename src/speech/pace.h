// The length of every pause of the game at the player's pace. Each pause names what it is for;
// only the silences change, never what is said: speech is queued, so a shorter pause never cuts a
// phrase, and a wait for a sound or for speech to end is not a pause.
#pragma once

#include "table/user_settings.h"

namespace corvane {

enum class PauseOf {
  Play,          // in the play of a hand: a bot's turn, a pot paid, a player leaving
  Deal,          // between the cards of the deal and between the antes
  DealtCard,     // after a card is dealt, before the next: a pause of the deal, never shorter
                 // than kCardSpacing
  BetweenHands,  // the end of a hand, the greeting and the shuffle before the next one
  StartUp,       // the start-up before the main menu
  IntroMusic,    // the main menu's music, heard until it ends or a key is pressed
};

// The shortest time from one dealt card to the next at any pace: the deal sound's snap and flight,
// so that the cards of a round are heard going round the table one by one, not all at once, even
// where the pace leaves out the deal's pauses.
inline constexpr double kCardSpacing = 0.1;

// How long a pause of `seconds` lasts at `pace`: at Normal exactly `seconds`; Quick halves every
// pause and does not wait for the main menu's music; Fastest also leaves out the pauses of the
// deal (but for kCardSpacing after each card), between hands and of the start-up.
double PausedSeconds(Pace pace, PauseOf kind, double seconds);

// Whether a key pressed during a pause of the start-up ends it and every start-up pause after it:
// at a faster pace the player who presses a key is taken to the main menu at once.
bool KeySkipsStartUp(Pace pace);

}  // namespace corvane
