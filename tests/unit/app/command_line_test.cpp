// The command line as the program reads it: what starts the game, and what ends the program at
// once, with which status and what it says on standard error.
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
    std::string said;           // part of what standard error holds; empty: nothing is said
  } rows[] = {
      {{"3", "--seed", "7"}, std::nullopt, ""},
      {{"--script", "-", "--sounds", "--missing", "sound,voice"}, std::nullopt, ""},
      {{"--version"}, 0, ""},
      {{"--script", ""}, 2, "a script file must be named"},
      {{"--sounds"}, 2, "--sounds requires --script"},
      {{"--missing", "sound"}, 2, "--missing requires --script"},
      {{"--script", "keys.script", "--missing", "speakers"}, 2, "speakers"},
      {{"--bogus"}, 2, "--bogus"},
      {{"--certificate", "/etc/hostname", "--key", "/etc/hostname"}, std::nullopt, ""},
      {{"--certificate", "/etc/hostname"}, 2, "--certificate requires --key"},
      {{"--certificate", "/no/such.pem", "--key", "/etc/hostname"}, 2, "/no/such.pem"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.arguments));
    std::vector<std::string> words{"corvane"};
    words.insert(words.end(), row.arguments.begin(), row.arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    CommandLine options;
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ParseCommandLine(static_cast<int>(argv.size()), argv.data(), options), row.status);
    ::testing::internal::GetCapturedStdout();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(row.said.empty() ? said.empty() : said.find(row.said) != std::string::npos) << said;
  }
}

}  // namespace
}  // namespace corvane
