// The two speech engines the speech layer can talk through.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The user's screen reader (speech-dispatcher on the desktop).
class ScreenReader {
 public:
  virtual ~ScreenReader() = default;
  virtual void Say(std::string_view text, bool interrupt) = 0;  // queued behind what is said
  virtual void Stop() = 0;                                      // silence and empty the queue
  virtual void StopSpeech() = 0;                                // the same, failures ignored
};

// The game's own voice (espeak-ng on the desktop): a list of voices, rate -10..10, volume 0..100.
class Voice {
 public:
  virtual ~Voice() = default;
  virtual std::vector<std::string> Voices() = 0;  // names, English voices first
  virtual void SetVoice(int index) = 0;           // 0-based index into Voices()
  virtual void SetRate(int rate) = 0;             // -10..10
  virtual void SetVolume(int volume) = 0;         // 0..100
  virtual int Rate() const = 0;                   // the rate it speaks at now
  virtual int Volume() const = 0;                 // the volume it speaks at now
  virtual void Speak(std::string_view text) = 0;  // asynchronous, queued behind what is said
  virtual void Purge() = 0;                       // stop at once and empty the queue
};

// Why an engine could not be made, in the player's words: the first sentence of the message box.
inline constexpr std::string_view kScreenReaderUnreachable =
    "Unable to reach your screen reader through speech-dispatcher.";
inline constexpr std::string_view kVoiceUnavailable =
    "Unable to start the game's own voice, espeak-ng.";

// Creates the engines on demand; a creation that fails returns nullptr and says why in `error`,
// in a short sentence for the player (one of the two above, or a reason of its own).
class SpeechEngineFactory {
 public:
  virtual ~SpeechEngineFactory() = default;
  virtual std::unique_ptr<ScreenReader> CreateScreenReader(std::string& error) = 0;
  virtual std::unique_ptr<Voice> CreateVoice(std::string& error) = 0;
};

}  // namespace corvane
