// The questions of a join from the main menu: which table (one of those found on the home network,
// or an address typed), the join code and the name at the table. The address and the name of the
// last join are offered again, kept in the last join file of the data folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/friend_table.h"
#include "net/discovery.h"
#include "speech/prompts.h"
#include "speech/speech.h"

namespace corvane {

class JoinQuestions {
 public:
  // `dataFolder` ends in "/".
  JoinQuestions(Speech& speech, Prompts& prompts, std::string dataFolder);

  // Offers the tables `found` (none: the address is asked at once), then asks the code and the
  // name, offering the last name given, else `name`. Nothing when the player leaves with Escape.
  std::optional<JoinRequest> Ask(const std::vector<FoundTable>& found, const std::string& name);

 private:
  // A table found, or the address typed; nothing on Escape.
  std::optional<TableAddress> ChooseTable(const std::vector<FoundTable>& found);
  std::optional<TableAddress> TypeAddress();
  std::optional<std::string> TypeCode();
  std::optional<std::string> TypeName(const std::string& offered);
  void Remember(const TableAddress& address, const std::string& name);

  Speech& speech_;
  Prompts& prompts_;
  std::string path_;
  std::string lastAddress_;
  std::string lastName_;
};

}  // namespace corvane
