// The command line as the program reads it: what starts the game, what ends the program at once
// and with which status, and what it says on standard error then.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace corvane {
namespace {

TEST(CommandLine, UsageErrorsEndWithStatusTwoAndSayWhy) {
  const struct {
    std::vector<std::string> arguments;
    std::optional<int> status;  // nullopt: the game starts
    std::string said;           // part of what standard error holds
  } rows[] = {
      {{}, std::nullopt, ""},
      {{"3", "--seed", "7"}, std::nullopt, ""},
      {{"--script", "keys.script", "--sounds", "--missing", "sound,voice"}, std::nullopt, ""},
      {{"--script", "-"}, std::nullopt, ""},
      {{"--version"}, 0, ""},
      {{"--script", ""}, 2, "a script file must be named"},
      {{"--script", "", "--sounds"}, 2, "a script file must be named"},
      {{"--sounds"}, 2, "--sounds requires --script"},
      {{"--missing", "sound"}, 2, "--missing requires --script"},
      {{"--script", "keys.script", "--missing", "speakers"}, 2, "speakers"},
      {{"--seed", "many"}, 2, "many"},
      {{"--bogus"}, 2, "--bogus"},
  };
  for (const auto& row : rows) {
    std::vector<std::string> words{"corvane"};
    words.insert(words.end(), row.arguments.begin(), row.arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    SCOPED_TRACE(::testing::PrintToString(row.arguments));
    CommandLine options;
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const std::optional<int> status =
        ParseCommandLine(static_cast<int>(argv.size()), argv.data(), options);
    ::testing::internal::GetCapturedStdout();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, row.status);
    if (row.said.empty()) {
      EXPECT_EQ(said, "");
    } else {
      EXPECT_NE(said.find(row.said), std::string::npos) << said;
    }
  }
}

}  // namespace
}  // namespace corvane
