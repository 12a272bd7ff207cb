#include "speech/speech.h"

#include <exception>

#include "platform/key_codes.h"
#include "speech/utf8_text.h"

namespace corvane {
namespace {

constexpr std::string_view kNotRecorded = "???";
constexpr std::string_view kRemoved = "***";
constexpr std::size_t kWindowLimit = 10000;
constexpr std::size_t kWindowKeep = 1000;

// What the game does after an engine failed, and how the player gets speech back.
constexpr std::string_view kNowOwnVoice =
    "The game will speak with its own voice. Press Control-1 to try your screen reader again.";
constexpr std::string_view kNowTextWindow =
    "The game will write what it says in the text window. Press Control-1 to try your screen "
    "reader.";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

Speech::Speech(PersonOutput& host, SpeechEngineFactory& engines) : host_(host), engines_(engines) {}

void Speech::TTSSetup(std::int16_t type) {
  ShowTextWindow(type == kTextWindowMode);
  TTSType = type;
  // A mode whose engine cannot be made falls back: the screen reader to the voice, the voice to
  // the text window. The message says why, what the game does now and how to get speech back.
  for (;;) {
    bool created = true;
    std::string reason;
    try {
      if (TTSType == kScreenReaderMode) {
        reader_ = engines_.CreateScreenReader(reason);
        created = reader_ != nullptr;
      } else if (TTSType == kOwnVoiceMode && !voice_) {
        voice_ = engines_.CreateVoice(reason);
        created = voice_ != nullptr;
      }
    } catch (const std::exception&) {
      created = false;
      reason.clear();
    }
    if (created) return;
    if (reason.empty()) {
      reason = TTSType == kScreenReaderMode ? kScreenReaderUnreachable : kVoiceUnavailable;
    }
    TTSType = TTSType == kOwnVoiceMode ? kTextWindowMode : kOwnVoiceMode;
    host_.ShowMessage(
        "Error! ",
        reason + " " + std::string(TTSType == kOwnVoiceMode ? kNowOwnVoice : kNowTextWindow),
        MessageIcon::Critical);
    if (TTSType == kTextWindowMode) ShowTextWindow(true);
  }
}

void Speech::ShowTextWindow(bool show) {
  BrailleMode = show;
  host_.Text().Show(show);
  // A fresh window starts empty: its first line is the first phrase, with no blank before it.
  if (show) host_.Text().SetText("");
}

void Speech::speak(std::string_view t, std::int16_t systemType) {
  if (TrimBlanks(t).empty()) return;
  host_.OnPhrase(t, systemType);
  std::string text(t);
  if (StartsWith(text, kRemoved)) text.erase(0, kRemoved.size());
  if (!StartsWith(text, kNotRecorded)) {
    AppendToTextWindow(text);
    for (int i = 2; i <= kHistorySize; ++i) PhraseHistory[i - 1] = std::move(PhraseHistory[i]);
    PhraseHistory[kHistorySize] = text;
    HistoryPosition = kHistorySize + 1;
    if (listener_ != nullptr) listener_->PhraseRecorded(text);
  } else {
    text.erase(0, kNotRecorded.size());
    AppendToTextWindow(text);
  }
  if (!text.empty()) host_.OnSpoken(text);

  if (TTSType == kTextWindowMode) return;
  if (systemType != 0 && TTSType != kOwnVoiceMode) return;
  if (TTSType == kScreenReaderMode && reader_) {
    reader_->Say(text, false);
  } else if (TTSType == kOwnVoiceMode && voice_) {
    voice_->Speak(text);
  }
  LastThingSpoken = std::move(text);
}

void Speech::AppendToTextWindow(std::string_view text) {
  // A Braille line is never empty: a phrase with nothing to say ("???" alone) writes no line.
  if (!BrailleMode || TrimBlanks(text).empty()) return;
  TextWindow& window = host_.Text();
  window.Append(std::string(text) + "\r\n");
  const std::string all = window.Text();
  if (CharacterCount(all) > kWindowLimit) window.SetText(LastCharacters(all, kWindowKeep));
}

void Speech::StopSpeech() {
  host_.OnSpeechStopped();
  if (TTSType == kScreenReaderMode && reader_) {
    reader_->Stop();
  } else if (TTSType == kOwnVoiceMode && voice_) {
    voice_->Purge();
  }
}

void Speech::HistoryBack() {
  --HistoryPosition;
  if (HistoryPosition < 1) {
    HistoryPosition = 1;
    return;
  }
  speak(std::string(kNotRecorded) + PhraseHistory[HistoryPosition]);
}

void Speech::HistoryForward() {
  ++HistoryPosition;
  if (HistoryPosition > kHistorySize) {
    // Past the newest phrase: the next Control-Up says the newest again.
    HistoryPosition = kHistorySize + 1;
    return;
  }
  speak(std::string(kNotRecorded) + PhraseHistory[HistoryPosition]);
}

void Speech::SetSapiValues(int voice, int rate, int volume, int /*priority*/, bool /*apply*/) {
  if (!voice_) return;
  try {
    const auto voices = voice_->Voices();
    if (voice < 0 || voice >= static_cast<int>(voices.size())) return;
    voice_->SetVoice(voice);
    if (rate < -10 || rate > 10) return;
    voice_->SetRate(rate);
    if (volume < 0 || volume > 100) return;
    voice_->SetVolume(volume);
  } catch (const std::exception&) {
    // A value the voice refuses ends the settings quietly; what was set stays set.
  }
}

}  // namespace corvane
