#include "speech/utf8_text.h"

namespace corvane {
namespace {

bool IsContinuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char byte : text) {
    if (!IsContinuation(byte)) ++count;
  }
  return count;
}

std::string_view LastCharacters(std::string_view text, std::size_t count) {
  std::size_t start = text.size();
  std::size_t taken = 0;
  while (start > 0 && taken < count) {
    --start;
    if (!IsContinuation(text[start])) ++taken;
  }
  return text.substr(start);
}

std::string_view LastCharacter(std::string_view text) {
  return LastCharacters(text, 1);
}

void RemoveLastCharacter(std::string& text) {
  text.resize(text.size() - LastCharacter(text).size());
}

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace corvane
