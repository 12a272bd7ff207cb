// Spelling a word or the last thing spoken, character by character; a key stops it.
#include "speech/spelling.h"

#include <gtest/gtest.h>

#include "speech_fixture.h"

namespace corvane::testing {
namespace {

class SpellingTest : public SpeechFixture {
 protected:
  Spelling spelling{speech, prompts};
};

TEST_F(SpellingTest, SpellWordSaysEachCharacterByItsName) {
  speech.TTSSetup(2);
  const double start = host.Now();
  spelling.SpellWord("Hi, 2!", 0);
  EXPECT_EQ(host.spoken, (Lines{"H", "i", "comma", "space", "2", "exclaim"}));
  EXPECT_NEAR(host.Now() - start, 0.05, 1e-9);  // a hundredth between characters
}

TEST_F(SpellingTest, SpellWordSkipsCharactersWithoutARow) {
  speech.TTSSetup(2);
  spelling.SpellWord("a\u00e9b", 0);
  EXPECT_EQ(host.spoken, (Lines{"a", "b"}));
}

TEST_F(SpellingTest, SpellWordSilencesSpeechBeforeEachCharacter) {
  spelling.SpellWord("ab", 0);
  EXPECT_EQ(engines.log, (Lines{"Stop", "Say(a)", "Stop", "Say(b)"}));
}

TEST_F(SpellingTest, KeyStopsTheSpelling) {
  speech.TTSSetup(2);
  host.KeyNow('X');
  spelling.SpellWord("abc", 0);
  EXPECT_EQ(host.spoken, (Lines{"a"}));
  EXPECT_TRUE(dispatched.empty());
}

TEST_F(SpellingTest, SpellLastThingSpokenKeepsTheLastThingSpoken) {
  speech.TTSSetup(2);
  speech.speak("???Ace.");
  host.ClearSpoken();
  const double start = host.Now();
  spelling.SpellLastThingSpoken();
  EXPECT_EQ(host.spoken, (Lines{"A", "c", "e", "period"}));
  EXPECT_EQ(speech.LastThingSpoken, "Ace.");
  EXPECT_NEAR(host.Now() - start, 4 * 0.42, 1e-9);
}

TEST_F(SpellingTest, KeyStopsSpellingTheLastThingSpoken) {
  speech.TTSSetup(2);
  speech.speak("???Queen");
  host.ClearSpoken();
  host.KeyNow('X');
  spelling.SpellLastThingSpoken();
  EXPECT_EQ(host.spoken, (Lines{"Q"}));
  EXPECT_EQ(speech.LastThingSpoken, "Queen");
}

}  // namespace
}  // namespace corvane::testing
