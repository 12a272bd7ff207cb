// The free typing box: each key said by its character name, Backspace, Enter and Escape.
#include <gtest/gtest.h>

#include "speech_fixture.h"

namespace corvane::testing {
namespace {

using EditBoxTest = SpeechFixture;

TEST_F(EditBoxTest, TypesCharactersByTheCharacterTable) {
  host.Keys("A Shift+B Comma Shift+9 Space Enter");
  EXPECT_EQ(prompts.EditBox("Type a note."), "Ab,( ");
  EXPECT_EQ(host.spoken, (Lines{"Type a note.", "A", "b", "comma", "left parren", "space"}));
}

TEST_F(EditBoxTest, BackspaceSaysAndRemovesTheLastCharacter) {
  host.Keys("A Period Back Back Back Tab F2 Enter");
  EXPECT_EQ(prompts.EditBox("Type."), "");
  EXPECT_EQ(host.spoken, (Lines{"Type.", "A", "period", "period", "A"}));
}

TEST_F(EditBoxTest, EscapeReturnsNothing) {
  host.Keys("A Esc");
  EXPECT_EQ(prompts.EditBox("Type."), "");
}

TEST_F(EditBoxTest, KeysOnTheSpeechWindowUseItsShiftState) {
  host.Key('Q', kShift, Window::Speech);
  host.Key(kKeyEnter, 0, Window::Speech);
  EXPECT_EQ(prompts.EditBox("Type."), "q");
}

}  // namespace
}  // namespace corvane::testing
