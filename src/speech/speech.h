// Speech output: everything the game tells the user goes through speak.
//
// A phrase that begins with "???" is said but not kept in the phrase history; a leading "***" is
// removed.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/person_output.h"
#include "platform/speech_engines.h"

namespace corvane {

inline constexpr int kHistorySize = 30;

// The speech modes (TTSType, SpeechMode): the numbers of the command line and of Control-0..3.
// No speech: each phrase is written to the text window, for a Braille display.
inline constexpr std::int16_t kTextWindowMode = 0;
inline constexpr std::int16_t kScreenReaderMode = 1;
// Nothing is said and nothing written.
inline constexpr std::int16_t kSilentMode = 2;
// The game's own voice.
inline constexpr std::int16_t kOwnVoiceMode = 3;

// Told of every phrase as it enters the phrase history (the phrases without the "???" marker).
class PhraseListener {
 public:
  virtual void PhraseRecorded(std::string_view text) = 0;

 protected:
  ~PhraseListener() = default;
};

class Speech {
 public:
  // What is said goes to `output`, the person's own.
  Speech(PersonOutput& output, SpeechEngineFactory& engines);

  // Selects the speech mode, with the message box and the fallback chain on failure.
  void TTSSetup(std::int16_t type);
  void speak(std::string_view t, std::int16_t systemType = 0);
  void StopSpeech();
  // Control-Up and Control-Down: browse the phrase history.
  void HistoryBack();
  void HistoryForward();

  // Applies the voice (an index into the voice list, from 0), the rate and the volume to the game's
  // own voice, in that order. Nothing while no voice exists; a voice index past the list, or a
  // rate or volume the voice refuses, ends it quietly with the steps before it done. The voice
  // has one priority, normal, so the priority is not passed on.
  void SetSapiValues(int voice, int rate, int volume, int priority, bool apply);
  // The game's own voice, or nullptr before the first TTSSetup(kOwnVoiceMode) created it.
  Voice* voice() { return voice_.get(); }
  // Wired once at start-up; nullptr for none.
  void SetPhraseListener(PhraseListener* listener) { listener_ = listener; }

  std::int16_t TTSType = kScreenReaderMode;
  std::int16_t SpeechMode = kScreenReaderMode;
  bool BrailleMode = false;
  std::string LastThingSpoken;
  std::array<std::string, kHistorySize + 1> PhraseHistory{};
  std::int16_t HistoryPosition = 0;

 private:
  void AppendToTextWindow(std::string_view text);
  // Shows the text window, empty, for the no-speech mode; or hides it.
  void ShowTextWindow(bool show);

  PersonOutput& host_;
  SpeechEngineFactory& engines_;
  std::unique_ptr<ScreenReader> reader_;
  std::unique_ptr<Voice> voice_;
  PhraseListener* listener_ = nullptr;
};

}  // namespace corvane
