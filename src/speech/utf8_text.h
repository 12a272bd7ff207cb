// Character-wise helpers for UTF-8 text: the game counts characters, not bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

// The number of characters (code points) in the text.
std::size_t CharacterCount(std::string_view text);
// The last `count` characters of the text (the whole text when it is shorter).
std::string_view LastCharacters(std::string_view text, std::size_t count);
// The last character of the text, empty for an empty text.
std::string_view LastCharacter(std::string_view text);
// Removes the last character of the text.
void RemoveLastCharacter(std::string& text);
// The text without leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

}  // namespace corvane
