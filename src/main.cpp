// The program's entry: reads the command line, chooses the host (the desktop, a terminal or a
// script) and runs the game, or plays the bench tables.
#include <CLI/CLI.hpp>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>

#include "app/application.h"
#include "app/bench_command.h"
#include "app/command_line.h"
#include "platform/recording_speech.h"
#include "platform/script.h"
#include "platform/script_host.h"
#include "platform/soundless_speech.h"
#include "platform/virtual_audio_device.h"
#ifdef CORVANE_DESKTOP
#include "platform/desktop/desktop_hosts.h"
#include "platform/desktop/sdl_audio_device.h"
#endif

namespace {

using namespace corvane;

// The exit status of a script run whose join at once failed.
constexpr int kFailedJoinStatus = 4;

int RunScript(const CommandLine& options) {
  Script script;
  try {
    script = options.scriptFile == "-" ? ParseScript(std::cin) : ReadScriptFile(options.scriptFile);
  } catch (const ScriptError& error) {
    std::cerr << "corvane: " << error.what() << "\n";
    return 2;
  }
  ScriptHost host(std::move(script), std::cout, std::cerr, options.printSounds);
  host.LackViewer(options.missing.viewer);
  // The other people: each with a script, a transcript, speech engines and a sound device of
  // their own.
  struct ScriptedGuest {
    std::ofstream transcript;
    RecordingSpeech engines;
    std::unique_ptr<VirtualAudioDevice> audio;
  };
  std::vector<std::unique_ptr<ScriptedGuest>> guests;
  AppOptions app = options.app;
  // In a script, a join that fails ends the run, so that its caller knows.
  app.failedJoinStatus = kFailedJoinStatus;
  for (const ScriptedPerson& person : options.people) {
    Script theirs;
    try {
      theirs = ReadScriptFile(person.scriptFile);
    } catch (const ScriptError& error) {
      std::cerr << "corvane: " << error.what() << "\n";
      return 2;
    }
    auto& guest = *guests.emplace_back(std::make_unique<ScriptedGuest>());
    guest.transcript.open(person.transcriptFile, std::ios::out | std::ios::trunc);
    if (!guest.transcript) {
      std::cerr << "corvane: cannot write the transcript " << person.transcriptFile << "\n";
      return 2;
    }
    guest.audio = std::make_unique<VirtualAudioDevice>([&host] { return host.Now(); });
    const int id = static_cast<int>(guests.size());
    app.guests.push_back({.id = id,
                          .seat = person.seat,
                          .output = &host.AddPerson(id, std::move(theirs), guest.transcript),
                          .engines = &guest.engines,
                          .audio = guest.audio.get()});
  }
  VirtualAudioDevice audio([&host] { return host.Now(); });
  audio.FailOpen(options.missing.soundDevice);
  RecordingSpeech recording(
      {.screenReader = options.missing.screenReader, .voice = options.missing.voice});
  SoundlessSpeech soundless(recording);
  SpeechEngineFactory& engines =
      options.noSound ? static_cast<SpeechEngineFactory&>(soundless) : recording;
  int status = 0;
  try {
    Application game(host, audio, engines, std::move(app));
    game.Main();
  } catch (const EndProgram& end) {
    status = end.status;
  }
  std::cout.flush();
  for (auto& guest : guests) guest->transcript.flush();
  return host.FinalStatus(status);
}

#ifdef CORVANE_DESKTOP
int RunDesktop(const CommandLine& options, int& argc, char**& argv) {
  const bool console = options.console || !DisplayAvailable();
  std::unique_ptr<Host> host = console ? MakeConsoleHost() : MakeGtkHost(argc, argv);
  std::unique_ptr<AudioDevice> audio;
  if (options.noSound) {
    audio = std::make_unique<VirtualAudioDevice>([&host] { return host->Now(); });
  } else {
    audio = std::make_unique<SdlAudioDevice>();
  }
  std::unique_ptr<SpeechEngineFactory> desktop = MakeDesktopSpeech(*audio);
  SoundlessSpeech soundless(*desktop);
  SpeechEngineFactory& engines =
      options.noSound ? static_cast<SpeechEngineFactory&>(soundless) : *desktop;
  int status = 0;
  try {
    Application app(*host, *audio, engines, options.app);
    app.Main();
  } catch (const EndProgram& end) {
    status = end.status;
  } catch (const std::exception& error) {
    // The hosts are destroyed on the way out, so the terminal is given back as it was.
    std::cerr << "corvane: " << error.what() << "\n";
    status = 1;
  }
  return status;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  CommandLine options;
  if (const auto exit = ParseCommandLine(argc, argv, options)) return *exit;
  if (options.bench) return RunBench(std::cout, std::cerr);
  if (!options.scriptFile.empty()) return RunScript(options);
#ifdef CORVANE_DESKTOP
  return RunDesktop(options, argc, argv);
#else
  std::cerr << "corvane: this build has no desktop; use --script\n";
  return 2;
#endif
}
