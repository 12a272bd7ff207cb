#include "platform/desktop/speechd_reader.h"

#include <libspeechd.h>

#include <cstdlib>

namespace corvane {

namespace {

// Phrases are said at message priority: queued in order behind what is being said (text priority
// would drop queued phrases, important priority would hold up everything else). Failures of a
// connection that has gone away are not fatal: the game goes on, silent.
class SpeechdReader : public ScreenReader {
 public:
  explicit SpeechdReader(SPDConnection* connection) : connection_(connection) {}
  ~SpeechdReader() override { spd_close(connection_); }
  SpeechdReader(const SpeechdReader&) = delete;
  SpeechdReader& operator=(const SpeechdReader&) = delete;

  void Say(std::string_view text, bool interrupt) override {
    if (interrupt) spd_cancel(connection_);
    const std::string copy(text);
    spd_say(connection_, SPD_MESSAGE, copy.c_str());
  }
  // Cancelling stops the phrase under way and empties the queue.
  void Stop() override { spd_cancel(connection_); }
  void StopSpeech() override { spd_cancel(connection_); }

 private:
  SPDConnection* connection_;
};

std::string TakeError(char* error, const char* fallback) {
  std::string text = error != nullptr ? error : fallback;
  std::free(error);
  return text;
}

}  // namespace

std::unique_ptr<ScreenReader> ConnectSpeechDispatcher(std::string& error) {
  error.clear();
  char* failure = nullptr;
  // The default address honours SPEECHD_ADDRESS.
  SPDConnectionAddress* address = spd_get_default_address(&failure);
  if (address == nullptr) {
    error = TakeError(failure, "no speech-dispatcher address");
    return nullptr;
  }
  SPDConnection* connection =
      spd_open2("corvane", "main", nullptr, SPD_MODE_SINGLE, address, 1, &failure);
  SPDConnectionAddress__free(address);
  if (connection == nullptr) {
    error = TakeError(failure, "cannot connect to speech-dispatcher");
    return nullptr;
  }
  std::free(failure);
  return std::make_unique<SpeechdReader>(connection);
}

}  // namespace corvane
