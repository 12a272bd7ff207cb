#include "app/command_line.h"

#include <CLI/CLI.hpp>
#include <cctype>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "net/messages.h"
#include "net/table_address.h"
#include "table/rounding.h"

namespace corvane {

namespace {

// The status of a command line that cannot be read, as of a script that cannot be.
constexpr int kUsageError = 2;

}  // namespace

std::int16_t SpeechModeArgument(const std::string& text) {
  std::size_t start = 0;
  while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
  const char* begin = text.c_str() + start;
  char* end = nullptr;
  const double value = std::strtod(begin, &end);
  if (end == begin || !std::isfinite(value)) return 0;
  const auto mode = RoundHalfEven(value);
  if (mode < kTextWindowMode || mode > kOwnVoiceMode) return kScreenReaderMode;
  return static_cast<std::int16_t>(mode);
}

std::optional<int> ParseCommandLine(int argc, char** argv, CommandLine& options) {
  CLI::App cli{"Corvane: poker for blind and visually impaired players.", "corvane"};
  std::string mode;
  std::uint64_t seed = 0;
  bool version = false;
  cli.add_option("mode", mode,
                 "Speech mode to start in: 1 screen reader (default), 3 the game's own voice, "
                 "0 text window for a Braille display, 2 silent");
  auto* scriptOption =
      cli.add_option("--script", options.scriptFile,
                     "Run headless from a script of keys (\"-\" for standard input)")
          ->check(CLI::Validator(
              [](const std::string& file) {
                return file.empty() ? std::string("a script file must be named") : std::string();
              },
              "FILE"));
  cli.add_flag("--console", options.console, "Play in the terminal instead of a window");
  cli.add_flag("--sounds", options.printSounds, "With --script: print each sound played")
      ->needs(scriptOption);
  auto* seedOption = cli.add_option("--seed", seed, "Fixed seed for the random numbers");
  cli.add_flag("--no-sound", options.noSound, "Play no sound (for machines without a sound card)");
  cli.add_flag("--bench", options.bench,
               "Play the bench tables headless and print the hands played, the hands per second "
               "and the signature of everything said");
  std::vector<std::string> missing;
  cli.add_option("--missing", missing,
                 "With --script: the machine lacks the sound device, the screen reader, the "
                 "game's own voice or a viewer for the help (sound,reader,voice,viewer)")
      ->allow_extra_args(false)
      ->delimiter(',')
      ->check(CLI::IsMember({"sound", "reader", "voice", "viewer"}))
      ->needs(scriptOption);
  std::vector<std::string> people;
  cli.add_option("--person", people,
                 "With --script: seat another person at SEAT (2..7) of every table, with keys "
                 "from SCRIPT and their transcript written to TRANSCRIPT (repeatable)")
      ->type_name("SEAT SCRIPT TRANSCRIPT")
      ->expected(3)
      ->needs(scriptOption);
  std::string join;
  std::string name;
  std::string code;
  auto* joinOption =
      cli.add_option("--join", join, "Join the table at HOST:PORT at once")
          ->check([](const std::string& text) {
            return ParseTableAddress(text) ? std::string() : "not HOST:PORT: " + text;
          });
  cli.add_option("--name", name, "With --join: your name at the table")
      ->needs(joinOption)
      ->check([](const std::string& text) {
        return IsFriendName(text) ? std::string() : "not a name for the table: " + text;
      });
  int hostPort = 0;
  auto* hostOption =
      cli.add_option("--host", hostPort,
                     "Host a table for friends at once, on PORT (0: a free port, said aloud)")
          ->check(CLI::Range(0, 65535))
          ->excludes(joinOption);
  auto* codeOption =
      cli.add_option("--code", code,
                     "With --join: the table's join code; with --host: the code the table takes "
                     "(six digits)")
          ->check([](const std::string& text) {
            const bool digits = text.size() == kJoinCodeDigits &&
                                text.find_first_not_of("0123456789") == std::string::npos;
            return digits ? std::string() : "not a join code of six digits: " + text;
          });
  cli.add_flag("--version", version, "Print the version and exit");
  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // --help is answered with status 0; everything else is a usage error.
    return cli.exit(error) == 0 ? 0 : kUsageError;
  }
  if (version) {
    std::cout << kProductName << " " << kVersionText << "\n";
    return 0;
  }
  for (const std::string& part : missing) {
    options.missing.soundDevice |= part == "sound";
    options.missing.screenReader |= part == "reader";
    options.missing.voice |= part == "voice";
    options.missing.viewer |= part == "viewer";
  }
  for (std::size_t i = 0; i + 2 < people.size(); i += 3) {
    ScriptedPerson person;
    char* end = nullptr;
    const long seat = std::strtol(people[i].c_str(), &end, 10);
    if (end == people[i].c_str() || *end != '\0' || seat < 2 || seat > kMaxSeats) {
      std::cerr << "corvane: --person: the seat must be a number from 2 to " << kMaxSeats
                << ", not " << people[i] << "\n";
      return 2;
    }
    person.seat = static_cast<int>(seat);
    person.scriptFile = people[i + 1];
    person.transcriptFile = people[i + 2];
    for (const ScriptedPerson& other : options.people) {
      if (other.seat == person.seat) {
        std::cerr << "corvane: --person: two people at seat " << seat << "\n";
        return 2;
      }
    }
    options.people.push_back(std::move(person));
  }
  options.app.SpeechMode = mode.empty() ? kScreenReaderMode : SpeechModeArgument(mode);
  if (seedOption->count() > 0) options.app.seed = seed;
  if (codeOption->count() > 0 && joinOption->count() == 0 && hostOption->count() == 0) {
    std::cerr << "corvane: --code needs --join or --host\n";
    return 2;
  }
  if (hostOption->count() > 0) {
    options.app.hosting = HostingOptions{static_cast<std::uint16_t>(hostPort), std::nullopt};
    if (!code.empty()) options.app.hosting->code = code;
  }
  if (joinOption->count() > 0) {
    if (name.empty() || code.empty()) {
      std::cerr << "corvane: --join needs --name and --code\n";
      return 2;
    }
    options.app.join = JoinRequest{*ParseTableAddress(join), name, code};
  }
  return std::nullopt;
}

}  // namespace corvane
