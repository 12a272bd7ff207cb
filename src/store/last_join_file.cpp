#include "store/last_join_file.h"

#include "store/atomic_file.h"

namespace corvane {

namespace {

constexpr std::string_view kHeading = "Corvane last join 1";
// Far longer than any address or name the join prompts take.
constexpr std::size_t kLongestLine = 300;

bool IsLine(std::string_view line) {
  if (line.empty() || line.size() > kLongestLine) return false;
  for (const char c : line) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return false;
  }
  return true;
}

// The next line of `bytes`, taken off them; false when no line end follows.
bool TakeLine(std::string_view& bytes, std::string_view& line) {
  const std::size_t end = bytes.find('\n');
  if (end == std::string_view::npos) return false;
  line = bytes.substr(0, end);
  bytes.remove_prefix(end + 1);
  return true;
}

}  // namespace

std::string FormatLastJoin(const LastJoin& join) {
  return std::string(kHeading) + '\n' + join.address + '\n' + join.name + '\n';
}

bool ParseLastJoin(std::string_view bytes, LastJoin& join) {
  std::string_view heading, address, name;
  if (!TakeLine(bytes, heading) || !TakeLine(bytes, address) || !TakeLine(bytes, name)) {
    return false;
  }
  if (heading != kHeading || !bytes.empty() || !IsLine(address) || !IsLine(name)) return false;
  join = {std::string(address), std::string(name)};
  return true;
}

FileRead LoadLastJoin(const std::string& path, LastJoin& join) {
  return LoadDataFile(path, [&join](std::string_view bytes) { return ParseLastJoin(bytes, join); });
}

bool SaveLastJoin(const std::string& path, const LastJoin& join, std::string& error) {
  return WriteFileAtomically(path, FormatLastJoin(join), error);
}

}  // namespace corvane
