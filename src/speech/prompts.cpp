#include "speech/prompts.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "platform/key_codes.h"
#include "speech/utf8_text.h"
#include "table/codepage.h"

namespace corvane {
namespace {

constexpr std::string_view kQuiet = "???";
constexpr int kControlUp = CommandKeyOf(kControl, kKeyUp);
constexpr int kControlDown = CommandKeyOf(kControl, kKeyDown);

std::string Quiet(std::string_view text) {
  return std::string(kQuiet) + std::string(text);
}

std::string UpperAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The punctuation of an address (HOST:PORT, an IPv6 address in brackets) by its keys on a US
// keyboard; empty for any other key.
std::string AddressCharacter(const PressedKey& pressed) {
  if (pressed.code == kKeySemicolon && pressed.shift == kShift) return ":";
  if (pressed.shift != 0) return {};
  if (pressed.code == kKeyMinus) return "-";
  if (pressed.code == kKeyLeftBracket) return "[";
  if (pressed.code == kKeyRightBracket) return "]";
  return {};
}

// The character a key code stands for, as the code page has it.
std::string CharacterOfCode(int code) {
  if (code <= 0 || code > 255) return {};
  return Cp1252ToUtf8(std::string(1, static_cast<char>(code)));
}

// The letter or digit a key types, for matching a menu item's key; other keys (function keys,
// the numeric keypad, whose codes would read as lower-case letters) type nothing here, so F3 at
// a betting prompt reports the game variables instead of choosing "Raise".
std::string TypedCharacter(int code) {
  const bool letter = code >= 'A' && code <= 'Z';
  const bool digit = code >= '0' && code <= '9';
  return letter || digit ? std::string(1, static_cast<char>(code)) : std::string();
}

// The code of the first character of a key text, in the code page; 0 for an empty key.
std::int16_t CodeOfKey(const std::string& key) {
  const std::string bytes = Utf8ToCp1252(key);
  if (bytes.empty()) return 0;
  return static_cast<std::int16_t>(static_cast<unsigned char>(bytes[0]));
}

// The value of a number entry: an empty entry (or a lone sign) counts as 0.
std::int64_t EntryValue(const std::string& entry) {
  std::int64_t value = 0;
  bool negative = false;
  std::size_t i = 0;
  if (i < entry.size() && (entry[i] == '-' || entry[i] == '+')) negative = entry[i++] == '-';
  for (; i < entry.size() && std::isdigit(static_cast<unsigned char>(entry[i])); ++i) {
    value = value * 10 + (entry[i] - '0');
    if (value > std::numeric_limits<std::int64_t>::max() / 100) break;
  }
  return negative ? -value : value;
}

bool FitsInt32(std::int64_t value) {
  return value >= std::numeric_limits<std::int32_t>::min() &&
         value <= std::numeric_limits<std::int32_t>::max();
}

std::int64_t ClampInt32(std::int64_t value) {
  return std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                  std::numeric_limits<std::int32_t>::max());
}

}  // namespace

Prompts::Prompts(Keyboard& keyboard, Speech& speech, const UserSettings& settings)
    : keyboard_(keyboard), speech_(speech), settings_(settings) {}

void Prompts::Wait(double seconds, bool blockKeys) {
  keyboard_.InputWaiting = blockKeys;
  Host& host = keyboard_.host();
  const double deadline = host.Now() + seconds;
  // Events already waiting run even in a pause of no length.
  do {
    keyboard_.Pump(deadline, WaitKind::Pause);
  } while (host.Now() < deadline);
}

void Prompts::Pause(PauseOf kind, double seconds) {
  Wait(PausedSeconds(settings_.GamePace, kind, seconds), false);
}

PressedKey Prompts::WaitForKey() {
  return keyboard_.AwaitKey();
}

std::int16_t Prompts::Menu(std::string prompt, std::vector<std::string>& items,
                           std::vector<std::string>& keys, int count, int position, int flags,
                           bool commandsOff, int markLimit) {
  if (count < 0) count = 0;
  if (static_cast<int>(items.size()) <= count) items.resize(count + 1);
  if (static_cast<int>(keys.size()) <= count) keys.resize(count + 1);
  position = std::clamp(position, 0, count);
  for (int i = 1; i <= count; ++i) {
    if (items[i].rfind(kQuiet, 0) == 0) items[i].erase(0, kQuiet.size());
  }
  if (prompt.rfind(kQuiet, 0) != 0) prompt = Quiet(prompt);
  const bool multiSelect = (flags & kMenuMultiSelect) != 0;
  const bool keyCode = (flags & kMenuKeyCode) != 0;

  speech_.speak(prompt);
  if (position > 0) speech_.speak(Quiet(items[position]));
  int cursor = position;
  int selected = 0;

  // The answer for the item under the cursor: its key's character code, or its position.
  const auto chosen = [&]() -> std::int16_t {
    return keyCode ? CodeOfKey(keys[cursor]) : static_cast<std::int16_t>(cursor);
  };
  // A selected item of a plain multi-select list says so after its text.
  const auto sayItem = [&] {
    speech_.speak(Quiet(items[cursor]));
    if (flags == kMenuMultiSelect && keys[cursor] == "*") speech_.speak("???selected");
  };

  for (;;) {
    const PressedKey pressed = WaitForKey();
    speech_.StopSpeech();
    const int command = pressed.command();
    const bool arrowsMove = settings_.CardLeftKey == 0 || multiSelect || commandsOff;

    if (command == kKeyDown || (arrowsMove && command == kKeyRight)) {
      if (cursor < count) {
        ++cursor;
        sayItem();
      } else {
        speech_.speak(prompt);
      }
    } else if (command == kKeyUp || (arrowsMove && command == kKeyLeft)) {
      if (cursor > 1) {
        --cursor;
        sayItem();
      } else {
        speech_.speak(prompt);
      }
    } else if (command == kKeyHome) {
      cursor = std::min(1, count);
      sayItem();
    } else if (command == kKeyEnd) {
      cursor = count;
      sayItem();
    } else if (command == kKeySpace && !multiSelect) {
      if ((flags & kMenuNoRepeat) == 0) speech_.speak(Quiet(items[cursor]));
      return chosen();
    } else if (command == kKeySpace) {
      if (cursor > 0) {
        if (keys[cursor] == "*") {
          --selected;
          speech_.speak("???Unselected");
          keys[cursor].clear();
        } else if (selected >= markLimit) {
          speech_.speak("???You can only discard up to " + std::to_string(markLimit) + " cards.");
        } else {
          ++selected;
          speech_.speak("???selected");
          keys[cursor] = "*";
        }
      }
      speech_.speak("???" + std::to_string(selected) + " selected.");
    } else if (command == kKeyDelete) {
      if ((flags & kMenuDelete) != 0) return static_cast<std::int16_t>(-cursor);
    } else if (command == kKeyEnter) {
      sayItem();
      if (multiSelect) return static_cast<std::int16_t>(selected);
      return chosen();
    } else if (command == kKeyEscape) {
      return 0;
    } else {
      const std::string typed = TypedCharacter(pressed.code);
      int match = 0;
      for (int i = 1; i <= count && match == 0 && !typed.empty(); ++i) {
        if (UpperAscii(keys[i]) == typed) match = i;
      }
      if (match > 0) {
        cursor = match;
        sayItem();
        return chosen();
      }
      if (!commandsOff) {
        keyboard_.DispatchCommandKey(command);
        const bool staysOpen = command == kControlUp || command == kControlDown ||
                               command == kKeyJ || command == kKeyK || command == kKeyL ||
                               command == settings_.CardLeftKey ||
                               command == settings_.CardRightKey;
        if (!multiSelect && !staysOpen) return 0;
      }
    }
  }
}

std::int16_t Prompts::AskOK(const std::string& prompt) {
  std::vector<std::string> items{"", "OK"};
  std::vector<std::string> keys{"", "O"};
  return Menu(prompt, items, keys, 1, 1, 0, false);
}

std::int16_t Prompts::AskYesNo(const std::string& prompt, int position, bool commandsOff) {
  std::vector<std::string> items{"", "Yes", "No"};
  std::vector<std::string> keys{"", "Y", "N"};
  return Menu(prompt, items, keys, 2, position, 0, commandsOff);
}

std::int32_t Prompts::InputNumber(const std::string& prompt, std::int32_t min, std::int32_t max,
                                  std::int32_t def, int flags, std::int32_t step) {
  for (;;) {
    speech_.speak(Quiet(prompt));
    std::string entry = std::to_string(def);
    speech_.speak(Quiet(entry));
    bool fresh = true;
    bool typed = false;
    bool restart = false;
    while (!restart) {
      const int command = WaitForKey().command();
      speech_.StopSpeech();
      if (command >= '0' && command <= '9') {
        if (fresh) {
          entry.clear();
          fresh = false;
        }
        // A digit that would leave the 32-bit range is refused and the entry kept.
        const std::string longer = entry + static_cast<char>(command);
        if (FitsInt32(EntryValue(longer))) {
          entry = longer;
        } else {
          keyboard_.host().Beep();
        }
        typed = true;
      } else if (command == kKeyDown) {
        std::int64_t value = EntryValue(entry) - step;
        if (value < min) {
          value = min;
          keyboard_.host().Beep();
        }
        entry = std::to_string(ClampInt32(value));
        fresh = true;
      } else if (command == kKeyUp) {
        std::int64_t value = EntryValue(entry) + step;
        if (value > max) {
          value = max;
          keyboard_.host().Beep();
        }
        entry = std::to_string(ClampInt32(value));
        fresh = true;
      } else if (command == kKeyHome) {
        entry = std::to_string(min);
        fresh = true;
      } else if (command == kKeyEnd) {
        entry = std::to_string(max);
        fresh = true;
      } else if (command == kKeyEnter || command == kKeyTab) {
        const std::int64_t value = EntryValue(entry);
        if (value >= min && value <= max) return static_cast<std::int32_t>(value);
        speech_.speak("???The entered value is less than " + std::to_string(min) +
                      " and greater than " + std::to_string(max) + ". Please try again.");
        entry.clear();
        fresh = false;
      } else if (command == kKeyEscape) {
        return -1;
      } else if (command == kKeyDelete || command == kKeyBack) {
        fresh = false;
        EraseLastCharacter(entry);
        typed = true;
      } else if (!typed) {
        if ((flags & 1) != 0) keyboard_.DispatchCommandKey(command);
        restart = true;
        continue;
      } else {
        speech_.speak("???You can only enter the 0 through 9 keys, Enter, or Delete keys");
      }
      speech_.speak(Quiet(entry));
    }
  }
}

// Delete and Backspace in an entry: the last character is said and removed; an empty entry beeps.
void Prompts::EraseLastCharacter(std::string& entry) {
  if (entry.empty()) {
    keyboard_.host().Beep();
    return;
  }
  speech_.speak(Quiet(LastCharacter(entry)));
  RemoveLastCharacter(entry);
}

std::string Prompts::InputText(const std::string& prompt, const std::string& def, int flags) {
  for (;;) {
    speech_.speak(Quiet(prompt));
    std::string entry(TrimBlanks(def));
    speech_.speak(Quiet(entry));
    bool fresh = true;
    bool typed = false;
    bool restart = false;
    while (!restart) {
      const PressedKey pressed = WaitForKey();
      speech_.StopSpeech();
      const int key = pressed.code;
      const bool letter = key >= 'A' && key <= 'Z';
      const bool digit = key >= '0' && key <= '9';
      if ((flags & kTextAddress) != 0 && !AddressCharacter(pressed).empty()) {
        if (fresh) {
          entry.clear();
          fresh = false;
        }
        entry += AddressCharacter(pressed);
        typed = true;
      } else if (letter || digit || key == kKeySpace || key == kKeyComma || key == kKeyPeriod) {
        if (fresh) {
          entry.clear();
          fresh = false;
        }
        if (pressed.shift == kShift) {
          entry += UpperAscii(CharacterOfCode(key));
        } else if (key == kKeyPeriod) {
          entry += '.';
        } else if (key == kKeyComma) {
          entry += ',';
        } else {
          entry += CharacterOfCode(key);
        }
        typed = true;
      } else if (key == kKeyEnter || key == kKeyTab) {
        return entry;
      } else if (key == kKeyEscape) {
        return kEscapedText;
      } else if (key == kKeyDelete || key == kKeyBack) {
        fresh = false;
        EraseLastCharacter(entry);
        typed = true;
      } else if (!typed) {
        if ((flags & kTextCommands) != 0) keyboard_.DispatchCommandKey(pressed.command());
        restart = true;
        continue;
      } else {
        speech_.speak("???You can only enter the A through Z, space, Enter, or Delete");
      }
      speech_.speak(Quiet(entry));
    }
  }
}

std::int16_t Prompts::ChooseCard(const std::string& prompt, const std::vector<CardNumber>& cards) {
  std::vector<std::string> items{""};
  std::vector<std::string> keys{""};
  for (std::size_t slot = 1; slot < cards.size(); ++slot) {
    if (cards[slot] == 0) continue;
    items.push_back(CardName(cards[slot], 0));
    keys.push_back(std::to_string(slot));
  }
  items.push_back("Done, Escape");
  keys.push_back(kUntypableKey);
  const int count = static_cast<int>(items.size()) - 1;
  return Menu(prompt, items, keys, count, 1, 0, true);
}

}  // namespace corvane
