// speak, the phrase history, the text window and the speech modes.
#include "speech/speech.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_host.h"
#include "support/fake_speech_engines.h"

namespace corvane::testing {
namespace {

using Lines = std::vector<std::string>;

class SpeakTest : public ::testing::Test {
 protected:
  FakeHost host;
  FakeSpeechEngineFactory engines;
  Speech speech{host, engines};
};

TEST_F(SpeakTest, ScreenReaderSaysThePhraseQueuedAndRecordsIt) {
  speech.TTSSetup(1);
  speech.speak("Everyone puts in the 25 chip ante.");
  EXPECT_EQ(engines.log, (Lines{"Say(Everyone puts in the 25 chip ante.)"}));
  EXPECT_EQ(host.spoken, (Lines{"Everyone puts in the 25 chip ante."}));
  EXPECT_EQ(speech.PhraseHistory[30], "Everyone puts in the 25 chip ante.");
  EXPECT_EQ(speech.HistoryPosition, 31);
  EXPECT_EQ(speech.LastThingSpoken, "Everyone puts in the 25 chip ante.");
}

TEST_F(SpeakTest, BlankTextDoesNothingAtAll) {
  speech.TTSSetup(0);
  speech.speak("Hello");
  const std::string window = host.text.Text();
  speech.speak("");
  speech.speak("    ");
  EXPECT_EQ(host.text.Text(), window);
  EXPECT_EQ(speech.PhraseHistory[29], "");
  EXPECT_EQ(speech.PhraseHistory[30], "Hello");
  EXPECT_EQ(host.spoken, (Lines{"Hello"}));

  speech.TTSSetup(2);
  speech.speak("Bye");
  speech.speak("  ");
  EXPECT_EQ(speech.LastThingSpoken, "Bye");
}

TEST_F(SpeakTest, QuestionMarkerIsSaidButNotRecorded) {
  speech.TTSSetup(1);
  speech.speak("First");
  speech.speak("???What would you like to do?");
  EXPECT_EQ(engines.log, (Lines{"Say(First)", "Say(What would you like to do?)"}));
  EXPECT_EQ(speech.PhraseHistory[30], "First");
  EXPECT_EQ(speech.PhraseHistory[29], "");
  EXPECT_EQ(speech.LastThingSpoken, "What would you like to do?");
}

TEST_F(SpeakTest, BareQuestionMarkerWritesNoEmptyLineAndEmptiesLastThingSpoken) {
  speech.TTSSetup(0);
  speech.speak("???");
  EXPECT_EQ(host.text.Text(), "");
  EXPECT_TRUE(host.spoken.empty());

  speech.TTSSetup(3);
  speech.speak("Something");
  speech.speak("???");
  EXPECT_EQ(speech.LastThingSpoken, "");
  EXPECT_EQ(engines.log.back(), "Speak()");
}

TEST_F(SpeakTest, StarMarkerIsRemovedBeforeTheQuestionMarker) {
  speech.TTSSetup(1);
  speech.speak("***???Quiet");
  speech.speak("???***Kept");
  speech.speak("***Recorded");
  EXPECT_EQ(engines.log, (Lines{"Say(Quiet)", "Say(***Kept)", "Say(Recorded)"}));
  EXPECT_EQ(speech.PhraseHistory[30], "Recorded");
  EXPECT_EQ(speech.PhraseHistory[29], "");
}

TEST_F(SpeakTest, HistoryKeepsTheLastThirty) {
  speech.TTSSetup(2);
  for (int i = 1; i <= 31; ++i) speech.speak("Phrase " + std::to_string(i));
  EXPECT_EQ(speech.PhraseHistory[1], "Phrase 2");
  EXPECT_EQ(speech.PhraseHistory[30], "Phrase 31");
  EXPECT_EQ(speech.HistoryPosition, 31);
}

TEST_F(SpeakTest, HistoryBackSaysNewestFirstThenOlderAndStopsAtTheOldest) {
  speech.TTSSetup(1);
  speech.speak("One");
  speech.speak("Two");
  engines.log.clear();
  host.ClearSpoken();
  speech.HistoryBack();
  speech.HistoryBack();
  EXPECT_EQ(host.spoken, (Lines{"Two", "One"}));
  // The slots never filled are said as empty phrases down to slot 1.
  for (int i = 0; i < 28; ++i) speech.HistoryBack();
  EXPECT_EQ(speech.HistoryPosition, 1);
  EXPECT_EQ(engines.log.size(), 30u);
  EXPECT_EQ(engines.log.back(), "Say()");
  speech.HistoryBack();
  EXPECT_EQ(speech.HistoryPosition, 1);
  EXPECT_EQ(engines.log.size(), 30u);
  // Replays are not recorded.
  EXPECT_EQ(speech.PhraseHistory[30], "Two");
  EXPECT_EQ(speech.PhraseHistory[29], "One");
}

TEST_F(SpeakTest, HistoryForwardRightAfterAPhraseIsSilent) {
  speech.TTSSetup(1);
  speech.speak("One");
  speech.speak("Two");
  engines.log.clear();
  speech.HistoryForward();
  speech.HistoryForward();
  EXPECT_TRUE(engines.log.empty());
  // The cursor stays past the newest phrase, so the next Control-Up says the newest.
  speech.HistoryBack();
  speech.HistoryBack();
  speech.HistoryForward();
  EXPECT_EQ(engines.log, (Lines{"Say(Two)", "Say(One)", "Say(Two)"}));
}

TEST_F(SpeakTest, HistoryForwardWalksBackToTheNewest) {
  speech.TTSSetup(1);
  speech.speak("One");
  speech.speak("Two");
  speech.speak("Three");
  engines.log.clear();
  speech.HistoryBack();     // Three
  speech.HistoryBack();     // Two
  speech.HistoryBack();     // One
  speech.HistoryForward();  // Two
  speech.HistoryForward();  // Three
  speech.HistoryForward();  // past the newest: silent
  EXPECT_EQ(engines.log, (Lines{"Say(Three)", "Say(Two)", "Say(One)", "Say(Two)", "Say(Three)"}));
}

TEST_F(SpeakTest, NoSpeechModeWritesLinesToTheShownTextWindow) {
  speech.TTSSetup(0);
  EXPECT_TRUE(host.text.Visible());
  EXPECT_TRUE(speech.BrailleMode);
  speech.speak("Now shuffling.");
  speech.speak("???Deal");
  EXPECT_EQ(host.text.Text(), "Now shuffling.\r\nDeal\r\n");
  EXPECT_TRUE(engines.log.empty());
  // Nothing reaches an engine, so the last thing spoken stays as it was.
  EXPECT_EQ(speech.LastThingSpoken, "");
  EXPECT_EQ(host.spoken, (Lines{"Now shuffling.", "Deal"}));
}

TEST_F(SpeakTest, SilentModeUpdatesLastThingSpokenAndShowsNothing) {
  speech.TTSSetup(2);
  EXPECT_FALSE(host.text.Visible());
  speech.speak("Hush");
  EXPECT_EQ(speech.LastThingSpoken, "Hush");
  EXPECT_EQ(host.text.Text(), "");
  EXPECT_TRUE(engines.log.empty());
  EXPECT_EQ(host.spoken, (Lines{"Hush"}));
}

TEST_F(SpeakTest, TextWindowAboveTenThousandCharactersKeepsTheLastThousand) {
  speech.TTSSetup(0);
  // 9,998 characters + "\r\n" = 10,000: not cut yet.
  speech.speak(std::string(9998, 'a'));
  EXPECT_EQ(host.text.Text().size(), 10000u);
  speech.speak("???b");  // 10,003 characters: cut to the last 1,000
  const std::string text = host.text.Text();
  ASSERT_EQ(text.size(), 1000u);
  EXPECT_EQ(text.substr(994), "a\r\nb\r\n");
}

TEST_F(SpeakTest, TextWindowAfterTenThousandAndOneCharactersHoldsExactlyTheLastThousand) {
  speech.TTSSetup(0);
  host.text.SetText("");
  std::string phrase;
  for (int i = 0; i < 9999; ++i) phrase += static_cast<char>('a' + i % 26);
  speech.speak(phrase);  // 9,999 + 2 = 10,001
  const std::string expected = (phrase + "\r\n").substr(10001 - 1000);
  EXPECT_EQ(host.text.Text(), expected);
}

TEST_F(SpeakTest, TextWindowCapCountsCharactersNotBytes) {
  speech.TTSSetup(0);
  host.text.SetText("");
  std::string phrase;
  for (int i = 0; i < 4000; ++i) phrase += "\u00bc";  // two bytes each in UTF-8
  speech.speak(phrase);
  EXPECT_EQ(host.text.Text().size(), 8002u);  // 4,002 characters: not cut
  speech.speak(phrase);
  speech.speak(phrase);  // 12,006 characters
  const std::string text = host.text.Text();
  EXPECT_EQ(text.size(), 998u * 2 + 2);
  EXPECT_EQ(text.substr(text.size() - 4), "\u00bc\r\n");
}

TEST_F(SpeakTest, SystemTypeSpeaksOnlyThroughTheVoice) {
  speech.TTSSetup(1);
  speech.speak("Only recorded", 1);
  EXPECT_TRUE(engines.log.empty());
  EXPECT_EQ(speech.PhraseHistory[30], "Only recorded");
  EXPECT_EQ(speech.LastThingSpoken, "");
  speech.TTSSetup(3);
  speech.speak("Voiced", 1);
  EXPECT_EQ(engines.log.back(), "Speak(Voiced)");
}

TEST_F(SpeakTest, StopSpeechStopsTheCurrentEngine) {
  speech.TTSSetup(1);
  speech.StopSpeech();
  speech.TTSSetup(3);
  speech.StopSpeech();
  speech.TTSSetup(2);
  speech.StopSpeech();
  speech.TTSSetup(0);
  speech.StopSpeech();
  EXPECT_EQ(engines.log, (Lines{"Stop", "Purge"}));
}

TEST_F(SpeakTest, StopSpeakingUsesTheReadersQuietStop) {
  speech.TTSSetup(1);
  speech.StopSpeaking(1);
  EXPECT_EQ(engines.log, (Lines{"StopSpeech"}));
  engines.log.clear();
  speech.StopSpeakingAll();
  EXPECT_EQ(engines.log, Lines(6, "StopSpeech"));
}

TEST_F(SpeakTest, RepeatLastThingSpokenRecordsItAgain) {
  speech.TTSSetup(2);
  speech.speak("???Quiet question");
  speech.RepeatLastThingSpoken();
  EXPECT_EQ(speech.PhraseHistory[30], "Quiet question");
  EXPECT_EQ(host.spoken, (Lines{"Quiet question", "Quiet question"}));
}

TEST_F(SpeakTest, HistoryAndLastThingSpokenSurviveModeChanges) {
  speech.TTSSetup(1);
  speech.speak("Kept");
  speech.TTSSetup(3);
  speech.TTSSetup(0);
  EXPECT_EQ(speech.PhraseHistory[30], "Kept");
  EXPECT_EQ(speech.LastThingSpoken, "Kept");
}

// --- TTSSetup
// -------------------------------------------------------------------------------------

TEST_F(SpeakTest, ScreenReaderIsMadeAfreshAtEachSetup) {
  speech.TTSSetup(1);
  speech.TTSSetup(1);
  EXPECT_EQ(engines.readersCreated, 2);
  EXPECT_EQ(speech.TTSType, 1);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(SpeakTest, VoiceIsMadeOnceForTheWholeRun) {
  speech.TTSSetup(3);
  speech.TTSSetup(1);
  speech.TTSSetup(3);
  EXPECT_EQ(engines.voicesCreated, 1);
  EXPECT_NE(speech.voice(), nullptr);
}

TEST_F(SpeakTest, FailingReaderFallsBackToTheVoice) {
  engines.failReader = true;
  speech.TTSSetup(1);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].title, "Error! ");
  EXPECT_EQ(host.messages[0].text,
            "No screen reader here. The game will speak with its own voice. Press Control-1 to "
            "try your screen reader again.");
  EXPECT_EQ(host.messages[0].icon, MessageIcon::Critical);
  EXPECT_EQ(speech.TTSType, 3);
  speech.speak("Hello");
  EXPECT_EQ(engines.log, (Lines{"Speak(Hello)"}));
}

TEST_F(SpeakTest, FailingReaderAndVoiceEndInTheTextWindow) {
  engines.failReader = true;
  engines.failVoice = true;
  speech.SpeechMode = 1;
  host.text.SetText("old");
  speech.TTSSetup(1);
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[1].text,
            "No voice here. The game will write what it says in the text window. Press "
            "Control-1 to try your screen reader.");
  EXPECT_EQ(speech.TTSType, 0);
  EXPECT_EQ(speech.SpeechMode, 1);
  EXPECT_TRUE(speech.BrailleMode);
  EXPECT_TRUE(host.text.Visible());
  speech.speak("Read in Braille");
  EXPECT_EQ(host.text.Text(), "Read in Braille\r\n");
  EXPECT_TRUE(engines.log.empty());
}

TEST_F(SpeakTest, FailingVoiceFallsBackToNoSpeechWithOneMessage) {
  engines.failVoice = true;
  speech.TTSSetup(3);
  EXPECT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(speech.TTSType, 0);
  EXPECT_EQ(engines.readersCreated, 0);
}

TEST_F(SpeakTest, NoSpeechModeShowsTheWindowEmpty) {
  host.text.SetText("old");
  speech.TTSSetup(0);
  EXPECT_TRUE(host.text.Visible());
  EXPECT_EQ(host.text.Text(), "");
  speech.TTSSetup(2);
  EXPECT_FALSE(host.text.Visible());
  EXPECT_FALSE(speech.BrailleMode);
}

// --- SetSapiValues
// ----------------------------------------------------------------------------------

TEST_F(SpeakTest, SetSapiValuesDoesNothingWithoutAVoice) {
  speech.TTSSetup(1);
  speech.SetSapiValues(1, 0, 95, 0, true);
  EXPECT_TRUE(engines.log.empty());
}

TEST_F(SpeakTest, SetSapiValuesSetsVoiceRateAndVolumeInOrder) {
  speech.TTSSetup(3);
  speech.SetSapiValues(1, -3, 95, 0, true);
  EXPECT_EQ(engines.log, (Lines{"SetVoice(1)", "SetRate(-3)", "SetVolume(95)"}));
}

TEST_F(SpeakTest, SetSapiValuesStopsAtAVoicePastTheList) {
  speech.TTSSetup(3);
  speech.SetSapiValues(3, 5, 50, 0, true);  // three voices: 0..2
  speech.SetSapiValues(-1, 5, 50, 0, true);
  EXPECT_TRUE(engines.log.empty());
}

TEST_F(SpeakTest, SetSapiValuesKeepsTheStepsBeforeARefusedValue) {
  speech.TTSSetup(3);
  speech.SetSapiValues(0, 11, 50, 0, true);
  EXPECT_EQ(engines.log, (Lines{"SetVoice(0)"}));
  engines.log.clear();
  speech.SetSapiValues(2, 10, 101, 0, true);
  EXPECT_EQ(engines.log, (Lines{"SetVoice(2)", "SetRate(10)"}));
}

}  // namespace
}  // namespace corvane::testing
