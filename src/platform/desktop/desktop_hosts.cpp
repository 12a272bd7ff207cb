#include "platform/desktop/desktop_hosts.h"

#include <cstdlib>
#include <iostream>

#include "platform/desktop/console_host.h"
#include "platform/desktop/desktop_speech.h"
#include "platform/desktop/gtk_host.h"

namespace corvane {

namespace {

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != 0;
}

}  // namespace

bool DisplayAvailable() {
  return Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

std::unique_ptr<Host> MakeGtkHost(int& argc, char**& argv) {
  if (std::unique_ptr<Host> host = StartGtkHost(argc, argv)) return host;
  std::cerr << "corvane: cannot open the display; playing in the terminal\n";
  return StartConsoleHost();
}

std::unique_ptr<Host> MakeConsoleHost() {
  return StartConsoleHost();
}

std::unique_ptr<SpeechEngineFactory> MakeDesktopSpeech(AudioDevice& device) {
  return std::make_unique<DesktopSpeech>(device);
}

}  // namespace corvane
