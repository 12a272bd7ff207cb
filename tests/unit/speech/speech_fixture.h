// One speech layer with its prompts on the fake host: scripted keys in, spoken lines out.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "speech/keyboard.h"
#include "speech/prompts.h"
#include "speech/speech.h"
#include "support/fake_host.h"
#include "support/fake_speech_engines.h"

namespace corvane::testing {

class SpeechFixture : public ::testing::Test {
 protected:
  SpeechFixture() {
    keyboard.SetCommandDispatcher([this] {
      dispatched.push_back(keyboard.CommandKey());
      speech.StopSpeech();
      // The pot report stands for any command that speaks.
      if (keyboard.CommandKey() == 'P') speech.speak("The pot is 75.");
      if (keyboard.CommandKey() == 2000 + kKeyUp) speech.HistoryBack();
      if (keyboard.CommandKey() == 2000 + kKeyDown) speech.HistoryForward();
    });
    keyboard.SetSpeechModeSwitch([this](int mode) {
      speech.TTSSetup(static_cast<std::int16_t>(mode));
      speech.SpeechMode = static_cast<std::int16_t>(mode);
    });
    speech.TTSSetup(1);
    engines.log.clear();
  }

  PromptContext Context() {
    PromptContext context;
    context.maxDrawCards = [this] { return maxDrawCards; };
    context.cardLeftKey = [this] { return cardLeftKey; };
    context.cardRightKey = [this] { return cardRightKey; };
    return context;
  }

  // The phrases said to the screen reader, in order.
  std::vector<std::string> Said() const {
    std::vector<std::string> said;
    for (const auto& call : engines.log) {
      if (call.rfind("Say(", 0) == 0) said.push_back(call.substr(4, call.size() - 5));
    }
    return said;
  }

  int maxDrawCards = 3;
  int cardLeftKey = kKeyLeft;
  int cardRightKey = kKeyRight;
  std::vector<int> dispatched;

  FakeHost host;
  FakeSpeechEngineFactory engines;
  Keyboard keyboard{host};
  Speech speech{host, engines};
  Prompts prompts{keyboard, speech, Context()};
};

using Lines = std::vector<std::string>;

}  // namespace corvane::testing
