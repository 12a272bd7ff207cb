// The length of every pause of the game at the player's pace. Each pause names what it is for;
// only the silences change, never what is said: speech is queued, so a shorter pause never cuts a
// phrase, and a wait for a sound or for speech to end is not a pause.
#pragma once

#include "table/user_settings.h"

namespace corvane {

enum class PauseOf {
  Play,          // in the play of a hand: a bot's turn, a pot paid, a player leaving
  Deal,          // between the cards of the deal and between the antes
  BetweenHands,  // the end of a hand, the greeting and the shuffle before the next one
  StartUp,       // the start-up before the main menu
  IntroMusic,    // the main menu's music, heard until it ends or a key is pressed
};

// How long a pause of `seconds` lasts at `pace`: at Normal exactly `seconds`; Quick halves every
// pause and does not wait for the main menu's music; Fastest also leaves out the pauses of the
// deal, between hands and of the start-up.
double PausedSeconds(Pace pace, PauseOf kind, double seconds);

// Whether a key pressed during a pause of the start-up ends it and every start-up pause after it:
// at a faster pace the player who presses a key is taken to the main menu at once.
bool KeySkipsStartUp(Pace pace);

}  // namespace corvane
