#include "app/friend_hand.h"

namespace corvane {

namespace {

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  }
  return text;
}

bool FitsInAMessage(const HandMessage& message) {
  return WriteMessage(HostMessage{message}).size() <= kMessageLimit;
}

}  // namespace

HandMessage SettledHandMessage(const LoggedHand& hand, std::int32_t collected, std::int32_t chips) {
  HandMessage message{OneLine(hand.heading), {}, OneLine(hand.game), collected, chips};
  message.lines.reserve(hand.lines.size());
  for (const std::string& line : hand.lines) message.lines.push_back(OneLine(line));
  if (FitsInAMessage(message)) return message;
  // The most first lines that fit, found by halving.
  const std::vector<std::string> all = std::move(message.lines);
  std::size_t fits = 0;
  std::size_t tooMany = all.size();
  while (tooMany - fits > 1) {
    const std::size_t middle = fits + (tooMany - fits) / 2;
    message.lines.assign(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(middle));
    (FitsInAMessage(message) ? fits : tooMany) = middle;
  }
  message.lines.assign(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(fits));
  return message;
}

}  // namespace corvane
