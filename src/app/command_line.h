// The command line: an optional speech mode number and the options of the hosts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/application.h"

namespace corvane {

// What the simulated machine of a script run lacks (--missing), to try the messages and
// fallbacks of a missing sound device, speech service or help viewer.
struct MissingParts {
  bool soundDevice = false;   // "sound"
  bool screenReader = false;  // "reader": speech-dispatcher cannot be reached
  bool voice = false;         // "voice": the game's own voice cannot start
  bool viewer = false;        // "viewer": no program can show the help files
};

// Another person seated from a script of their own (--person SEAT SCRIPT TRANSCRIPT).
struct ScriptedPerson {
  int seat = 2;
  std::string scriptFile;
  std::string transcriptFile;
};

struct CommandLine {
  AppOptions app;
  std::string scriptFile;              // --script FILE ("-" for standard input)
  bool console = false;                // --console
  bool printSounds = false;            // --sounds
  bool noSound = false;                // --no-sound
  bool bench = false;                  // --bench
  MissingParts missing;                // --missing, with --script only
  std::vector<ScriptedPerson> people;  // --person, with --script only
};

// The speech mode from the command line's bare argument: its numeric value (a leading number as
// in "3" or " 3.4"), rounded; anything that is not a number gives 0. Values outside 0..3 give 1.
std::int16_t SpeechModeArgument(const std::string& text);

// Fills `options`; returns an exit status when the program should end at once: 0 after --help and
// --version, 2 for a command line that cannot be read (said on standard error): an unknown option,
// an empty script name, --sounds or --missing without --script.
std::optional<int> ParseCommandLine(int argc, char** argv, CommandLine& options);

}  // namespace corvane
