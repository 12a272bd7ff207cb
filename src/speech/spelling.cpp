#include "speech/spelling.h"

#include <string_view>
#include <vector>

#include "speech/character_table.h"

namespace corvane {
namespace {

// The phrase cut into its characters (a character is one UTF-8 sequence).
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> characters;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t next = i + 1;
    while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
    characters.push_back(text.substr(i, next - i));
    i = next;
  }
  return characters;
}

// The first row of the character table for the character, or nullptr.
const CharacterRow* FindRow(std::string_view character) {
  const auto& table = CharacterTable();
  for (int row = 1; row <= kCharacterRows; ++row) {
    if (table[row].character == character) return &table[row];
  }
  return nullptr;
}

}  // namespace

void Spelling::SpellWord(const std::string& phrase, int /*wType*/) {
  Keyboard& keyboard = prompts_.keyboard();
  const auto characters = Characters(phrase);
  for (std::size_t i = 0; i < characters.size(); ++i) {
    keyboard.KeyPressed = 0;
    speech_.StopSpeech();
    if (const CharacterRow* row = FindRow(characters[i])) {
      speech_.speak(SpokenForm(*row));
      if (i + 1 < characters.size()) prompts_.Wait(0.01, true);
    }
    if (keyboard.KeyPressed != 0) break;
  }
}

void Spelling::SpellLastThingSpoken() {
  Keyboard& keyboard = prompts_.keyboard();
  Host& host = keyboard.host();
  // Each spoken character becomes the last thing spoken; the phrase is put back at the end.
  const std::string phrase = speech_.LastThingSpoken;
  for (std::string_view character : Characters(phrase)) {
    keyboard.KeyPressed = 0;
    speech_.StopSpeech();
    if (const CharacterRow* row = FindRow(character)) {
      speech_.speak(SpokenForm(*row));
      prompts_.Wait(0.4, true);
    }
    const double deadline = host.Now() + 0.02;
    do {
      keyboard.Pump(deadline, WaitKind::Pause);
    } while (host.Now() < deadline);
    if (keyboard.KeyPressed != 0) break;
  }
  speech_.LastThingSpoken = phrase;
}

}  // namespace corvane
