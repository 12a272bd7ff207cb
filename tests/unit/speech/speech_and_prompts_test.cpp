// The speech layer and the prompts where a scenario cannot see them: several keys that arrive in
// one pause, speech silenced by every key, the beeps of the entries, the text window's cap and the
// record of the speech calls.
#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "platform/recording_speech.h"
#include "platform/script_host.h"
#include "speech/keyboard.h"
#include "speech/prompts.h"
#include "speech/speech.h"

namespace corvane {
namespace {

// The real speech layer and prompts on the script host. A stand-in for the command keys records
// each key, answers A with a question (as raising the ante does) and P with a report.
struct Rig : KeyHandOff {
  explicit Rig(const std::string& script, std::int16_t mode = 1)
      : host(ParseScriptText(script), out, err, false) {
    speech.TTSSetup(mode);
  }
  void DispatchCommandKey(int key) override {
    keys.push_back(key);
    if (key == 'A') prompts.AskYesNo("Raise the ante?", 2, true);
    if (key == 'P') speech.speak("The pot is 75.");
  }
  void SwitchSpeechMode(int m) override { speech.TTSSetup(static_cast<std::int16_t>(m)); }
  void OpenFullHelp() override {}
  void TimerFired(int) override {}
  // What was heard so far, one phrase a line, "/" between lines.
  std::string Heard() {
    std::string heard = out.str();
    for (char& c : heard) c = c == '\n' ? '/' : c;
    return heard;
  }
  std::string Calls() const {
    std::string calls;
    for (const std::string& call : engines.record().calls) calls += call + "/";
    return calls;
  }

  std::ostringstream out, err;
  ScriptHost host;
  RecordingSpeech engines;
  Keyboard keyboard{host, this};
  Speech speech{host, engines};
  Prompts prompts{keyboard, speech};
  std::vector<int> keys;
};

TEST(SpeechAndPrompts, EveryKeyOfOnePauseIsAnsweredInOrder) {
  const struct {
    const char* script;
    bool blockKeys;
    std::vector<int> answered;  // shift x 1000 + code
    std::int16_t mode;          // after the pause
  } rows[] = {
      {"now P\nnow Shift+M\nnow Ctrl+Up\n", false, {'P', 1077, 2038}, 1},
      // The question that A asks takes the next key; the keys after it are still answered.
      {"now A\nnow Y\nnow P\nnow M\n", false, {'A', 'P', 'M'}, 1},
      {"now A\nnow Esc\nnow Shift+M\n", false, {'A', 1077}, 1},
      // Control-0..3 switch the speech mode at once; with Shift, or another digit, they are keys.
      {"now Ctrl+2\nnow Ctrl+Shift+2\nnow Ctrl+4\nnow F4\n", false, {3050, 2052, 115}, 2},
      // A pause that blocks keys only stores them.
      {"now Shift+P\n", true, {}, 1},
  };
  for (const auto& row : rows) {
    Rig rig(row.script);
    rig.prompts.Wait(1, row.blockKeys);
    EXPECT_EQ(rig.keys, row.answered) << row.script;
    EXPECT_EQ(rig.speech.TTSType, row.mode) << row.script;
    EXPECT_EQ(rig.keyboard.InputWaiting, row.blockKeys) << row.script;
    EXPECT_DOUBLE_EQ(rig.host.Now(), 1.0) << row.script;
  }
  Rig blocked("now Shift+P\n");
  blocked.prompts.Wait(1, true);
  EXPECT_EQ(blocked.keyboard.StoredKey().command(), 1080);
  for (const char* end : {"now Alt+F4\n", "now Shift+Alt+F4\n"}) {
    Rig rig(end);
    EXPECT_THROW(rig.prompts.Wait(1, false), EndProgram) << end;
  }
}

TEST(SpeechAndPrompts, EveryKeySilencesSpeechAndTheEntriesBeepAtTheirLimits) {
  Rig menu("key Down Enter\n");
  std::vector<std::string> items{"", "One", "Two"}, keys{"", "O", "T"};
  EXPECT_EQ(menu.prompts.Menu("Pick.", items, keys, 2, 1, 0, true), 2);
  EXPECT_EQ(menu.Calls(), "say Pick./say One/stop/say Two/stop/say Two/");
  Rig voice("key Up Enter\n", 3);
  EXPECT_EQ(voice.prompts.InputNumber("Chips?", 0, 100, 5, 0, 1), 6);
  EXPECT_EQ(voice.Calls(), "speak Chips?/speak 5/purge/speak 6/purge/");

  constexpr std::int32_t kTop = std::numeric_limits<std::int32_t>::max();
  const struct {
    const char* keys;
    std::int32_t min, max, start, step, result;
    int beeps;
  } rows[] = {
      {"End Up Enter", 1, 20, 3, 1, 20, 1},
      {"Down Down Down Enter", 10, 100, 30, 10, 10, 1},
      {"Back Back Enter", 0, 100, 5, 1, 0, 1},
      {"2 1 4 7 4 8 3 6 4 8 Enter", 0, kTop, 0, 1, 214748364, 1},
      {"9 9 9 9 9 9 9 9 9 9 9 Enter", 0, kTop, 0, 1, 999999999, 2},
      {"Up Up Enter", 0, kTop, kTop - 1, kTop, kTop, 2},
  };
  for (const auto& row : rows) {
    Rig rig(std::string("key ") + row.keys + "\n");
    EXPECT_EQ(rig.prompts.InputNumber("N?", row.min, row.max, row.start, 0, row.step), row.result)
        << row.keys;
    EXPECT_EQ(rig.host.Beeps(), row.beeps) << row.keys;
  }
  Rig text("key Del Enter\n");
  EXPECT_EQ(text.prompts.InputText("Name?", "", 0), "");
  EXPECT_EQ(text.host.Beeps(), 1);
}

TEST(SpeechAndPrompts, ALongTableKeepsOnlyTheLatestSpeechCalls) {
  Rig rig("");
  for (int i = 0; i < 1000; ++i) rig.speech.speak(std::to_string(i));
  ASSERT_EQ(rig.engines.record().calls.size(), SpeechRecord::kKeptCalls);
  EXPECT_EQ(rig.engines.record().calls.back(), "say 999");
}

TEST(SpeechAndPrompts, TheTextWindowKeepsItsLastThousandCharactersPastTenThousand) {
  Rig rig("", 0);
  TextWindow& window = rig.host.Text();
  rig.speech.speak("   ");
  rig.speech.speak("???");  // nothing to say: no line
  EXPECT_EQ(window.Text(), "");
  rig.speech.speak(std::string(9998, 'a'));  // with its line end, 10,000: not cut
  EXPECT_EQ(window.Text().size(), 10000u);
  rig.speech.speak("???b");
  EXPECT_EQ(window.Text(), std::string(995, 'a') + "\r\nb\r\n");
  // Characters are counted, not bytes: 12,006 two-byte characters keep 1,000 of them.
  window.SetText("");
  std::string quarters;
  for (int i = 0; i < 4000; ++i) quarters += "\u00bc";
  for (int i = 0; i < 3; ++i) rig.speech.speak(quarters);
  EXPECT_EQ(window.Text().size(), 998u * 2 + 2);
}

}  // namespace
}  // namespace corvane
