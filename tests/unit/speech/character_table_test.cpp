#include "speech/character_table.h"

#include <gtest/gtest.h>

#include "speech/speech.h"
#include "support/fake_host.h"
#include "support/fake_speech_engines.h"

namespace corvane::testing {
namespace {

TEST(CharacterTableTest, RowsFollowTheLettersDigitsAndPunctuation) {
  const auto& table = CharacterTable();
  EXPECT_EQ(table[1].keyValue, 65);
  EXPECT_EQ(table[1].character, "A");
  EXPECT_EQ(table[2].keyValue, 1065);
  EXPECT_EQ(table[2].character, "a");
  EXPECT_EQ(table[52].character, "z");
  EXPECT_EQ(table[53].keyValue, 48);
  EXPECT_EQ(table[62].character, "9");
  EXPECT_EQ(table[63].spokenName, "comma");
  EXPECT_EQ(table[70].character, "@");
  EXPECT_EQ(table[81].keyValue, 0);
  EXPECT_EQ(table[81].character, "");
  EXPECT_EQ(table[82].character, "`");
  EXPECT_EQ(table[89].character, "\"");
  EXPECT_EQ(table[89].spokenName, "quote");
  EXPECT_EQ(table[94].spokenName, "space");
  EXPECT_EQ(table[96].keyValue, 1220);
  EXPECT_EQ(table[96].spokenName, "vertical bar");
}

class SayCharacterTest : public ::testing::Test {
 protected:
  FakeHost host;
  FakeSpeechEngineFactory engines;
  Speech speech{host, engines};
};

TEST_F(SayCharacterTest, LettersByShift) {
  EXPECT_EQ(speech.SayCharacter(65, 0), "A");
  EXPECT_EQ(speech.SayCharacter(65, 1), "a");
  EXPECT_EQ(speech.SayCharacter(65, 2), "");
}

TEST_F(SayCharacterTest, NamedCharacters) {
  EXPECT_EQ(speech.SayCharacter(188, 0), "comma");
  EXPECT_EQ(speech.SayCharacter(188, 1), "less");
  EXPECT_EQ(speech.SayCharacter(57, 1), "left parren");
  EXPECT_EQ(speech.SayCharacter(186, 0), "semi colan");
  EXPECT_EQ(speech.SayCharacter(32, 0), "space");
  EXPECT_EQ(speech.SayCharacter(50, 1), "@");
  EXPECT_EQ(speech.SayCharacter(50, 0), "2");
}

TEST_F(SayCharacterTest, UnknownKeysAndOtherShiftsGiveNothing) {
  EXPECT_EQ(speech.SayCharacter(112, 0), "");
  EXPECT_EQ(speech.SayCharacter(188, 4), "");
  EXPECT_EQ(speech.SayCharacter(188, 3), "");
}

}  // namespace
}  // namespace corvane::testing
