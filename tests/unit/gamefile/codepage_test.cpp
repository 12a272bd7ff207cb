#include "table/codepage.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(Codepage, AsciiIsUnchanged) {
  EXPECT_EQ(Cp1252ToUtf8("Seven Card Stud  "), "Seven Card Stud  ");
  EXPECT_EQ(Utf8ToCp1252("Seven Card Stud  "), "Seven Card Stud  ");
}

TEST(Codepage, HighBytesBecomeTheirCharacters) {
  EXPECT_EQ(Cp1252ToUtf8("Caf\xE9"), "Caf\xC3\xA9");
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
  EXPECT_EQ(Cp1252ToUtf8("\x93q\x94"), "\xE2\x80\x9Cq\xE2\x80\x9D");
  EXPECT_EQ(Utf8ToCp1252("Caf\xC3\xA9"), "Caf\xE9");
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC 5"), "\x80 5");
  EXPECT_EQ(Utf8ToCp1252("\xC5\xB8"), "\x9F");  // Y with diaeresis
}

TEST(Codepage, EveryByteReadsBackAsItself) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Codepage, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("\xE2\x99\xA0 A"), "? A");  // spade suit sign
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x83\x81"), "?");  // a playing card, four bytes
  EXPECT_EQ(Utf8ToCp1252("a\xFF"
                         "b"),
            "a?b");                                // not UTF-8
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");          // cut short
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "?");        // overlong
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80x"), "?x");  // a surrogate
  EXPECT_EQ(Utf8ToCp1252("\x80z"), "?z");          // a lone continuation byte
}

}  // namespace
}  // namespace corvane
