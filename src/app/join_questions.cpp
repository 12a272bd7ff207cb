#include "app/join_questions.h"

#include <fmt/format.h>

#include "store/last_join_file.h"

namespace corvane {

namespace {

constexpr std::string_view kWhichTable = "Which table would you like to join?";
constexpr std::string_view kTypeAnAddress = "Type an Address, A";
constexpr std::string_view kAddressQuestion =
    "Type the table's address: the name or address of the host's machine, a colon, and the port.";
constexpr std::string_view kNotAnAddress =
    "That is not an address. Type the name or address of the host's machine, a colon, and the "
    "port, for example 192.168.1.20:50000; an IPv6 address goes in brackets.";
constexpr std::string_view kCodeQuestion = "Type the join code the host was told.";
constexpr std::string_view kNotACode = "The join code is six digits.";
constexpr std::string_view kNameQuestion = "What name would you like at the table?";
constexpr std::string_view kNotAName =
    "A name at the table is 1 to 40 letters, digits and blanks, not only blanks.";

bool Escaped(const std::string& typed) {
  return typed == kEscapedText;
}

bool IsJoinCode(const std::string& typed) {
  return typed.size() == kJoinCodeDigits &&
         typed.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

JoinQuestions::JoinQuestions(Speech& speech, Prompts& prompts, std::string dataFolder)
    : speech_(speech), prompts_(prompts), path_(dataFolder + std::string(kLastJoinFileName)) {
  // A damaged file offers nothing, and the next join writes it afresh.
  LastJoin last;
  if (LoadLastJoin(path_, last) == FileRead::kRead) {
    lastAddress_ = last.address;
    lastName_ = last.name;
  }
}

std::optional<JoinRequest> JoinQuestions::Ask(const std::vector<FoundTable>& found,
                                              const std::string& name) {
  const std::optional<TableAddress> address = ChooseTable(found);
  if (!address) return std::nullopt;
  const std::optional<std::string> code = TypeCode();
  if (!code) return std::nullopt;
  const std::optional<std::string> chosenName = TypeName(lastName_.empty() ? name : lastName_);
  if (!chosenName) return std::nullopt;
  Remember(*address, *chosenName);
  return JoinRequest{*address, *chosenName, *code};
}

std::optional<TableAddress> JoinQuestions::ChooseTable(const std::vector<FoundTable>& found) {
  if (found.empty()) return TypeAddress();
  std::vector<std::string> items{""};
  std::vector<std::string> keys{""};
  for (std::size_t i = 0; i < found.size(); ++i) {
    items.push_back(fmt::format("{}'s table, {}", found[i].name, i + 1));
    keys.push_back(std::to_string(i + 1));
  }
  items.emplace_back(kTypeAnAddress);
  keys.emplace_back("A");
  const int count = static_cast<int>(found.size()) + 1;
  const int choice = prompts_.Menu(std::string(kWhichTable), items, keys, count, 1, 0, true);
  if (choice <= 0) return std::nullopt;
  if (choice == count) return TypeAddress();
  return found[static_cast<std::size_t>(choice) - 1].address;
}

std::optional<TableAddress> JoinQuestions::TypeAddress() {
  for (;;) {
    const std::string typed =
        prompts_.InputText(std::string(kAddressQuestion), lastAddress_, kTextAddress);
    if (Escaped(typed)) return std::nullopt;
    if (const std::optional<TableAddress> address = ParseTableAddress(typed)) return address;
    speech_.speak(kNotAnAddress);
  }
}

std::optional<std::string> JoinQuestions::TypeCode() {
  for (;;) {
    const std::string typed = prompts_.InputText(std::string(kCodeQuestion), "", 0);
    if (Escaped(typed)) return std::nullopt;
    if (IsJoinCode(typed)) return typed;
    speech_.speak(kNotACode);
  }
}

std::optional<std::string> JoinQuestions::TypeName(const std::string& offered) {
  for (;;) {
    const std::string typed = prompts_.InputText(std::string(kNameQuestion), offered, 0);
    if (Escaped(typed)) return std::nullopt;
    if (IsFriendName(typed)) return typed;
    speech_.speak(kNotAName);
  }
}

void JoinQuestions::Remember(const TableAddress& address, const std::string& name) {
  const LastJoin join{AddressText(address), name};
  if (join == LastJoin{lastAddress_, lastName_}) return;
  std::string error;
  if (!SaveLastJoin(path_, join, error)) {
    speech_.speak(fmt::format(
        "The address and the name cannot be kept for your next join in {}: {}. The join goes on.",
        kLastJoinFileName, error));
  }
}

}  // namespace corvane
