#include "store/pace_file.h"

#include <array>
#include <charconv>

#include "store/atomic_file.h"

namespace corvane {

namespace {

constexpr std::size_t kFields = 4;

// One decimal integer, with blanks allowed round it.
bool ParseField(std::string_view field, int& value) {
  const auto first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  field = field.substr(first, field.find_last_not_of(' ') - first + 1);
  const char* end = field.data() + field.size();
  const auto [ptr, ec] = std::from_chars(field.data(), end, value);
  return ec == std::errc() && ptr == end;
}

bool KnownPace(int value) {
  return value == static_cast<int>(Pace::Normal) || value == static_cast<int>(Pace::Quick) ||
         value == static_cast<int>(Pace::Fastest);
}

}  // namespace

std::string PaceFileText(const PaceFile& file) {
  return std::to_string(static_cast<int>(file.pace)) + "," + std::to_string(file.look.fontPoints) +
         "," + std::to_string(file.look.width) + "," + std::to_string(file.look.height) + "\r\n";
}

bool ParsePaceFile(std::string_view text, PaceFile& file) {
  if (text.ends_with("\r\n")) {
    text.remove_suffix(2);
  } else if (text.ends_with('\n')) {
    text.remove_suffix(1);
  }
  if (text.find_first_of("\r\n") != std::string_view::npos) return false;

  std::array<int, kFields> values{};
  for (std::size_t i = 0; i < kFields; ++i) {
    const auto comma = text.find(',');
    const bool last = i + 1 == kFields;
    if (last != (comma == std::string_view::npos)) return false;
    if (!ParseField(last ? text : text.substr(0, comma), values[i])) return false;
    if (!last) text.remove_prefix(comma + 1);
  }
  const auto [pace, points, width, height] = values;
  const WindowLook look{.fontPoints = points, .width = width, .height = height};
  if (!KnownPace(pace) || !LookWithinRange(look)) return false;
  file.pace = static_cast<Pace>(pace);
  file.look = look;
  return true;
}

FileRead LoadPaceFile(const std::string& path, PaceFile& file) {
  return LoadDataFile(path, [&](std::string_view text) { return ParsePaceFile(text, file); });
}

bool SavePaceFile(const std::string& path, const PaceFile& file, std::string& error) {
  return WriteFileAtomically(path, PaceFileText(file), error);
}

}  // namespace corvane
