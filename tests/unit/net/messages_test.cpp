// The messages read from text and written back, the addresses of tables, the spoken fingerprint
// and the join codes.
#include "net/messages.h"

#include <gtest/gtest.h>

#include "net/discovery.h"
#include "net/fingerprint.h"
#include "net/join_guard.h"
#include "net/table_address.h"

namespace corvane {
namespace {

TEST(Messages, OnlyWholeSoundMessagesAreRead) {
  const struct {
    bool fromHost;
    std::string text;
    bool read;
  } rows[] = {
      {false, R"({"t":"join","version":"1.0","code":"123456","name":"Anna","client":"desktop"})",
       true},
      {false,
       R"({"t":"join","version":"1.0","code":"123456","name":"Anna","client":"browser","x":1})",
       true},
      {false, R"({"t":"join","version":"1.0","code":"12345","name":"Anna","client":"desktop"})",
       false},
      {false, R"({"t":"join","version":"1.0","code":"12345a","name":"Anna","client":"desktop"})",
       false},
      {false, R"({"t":"join","version":"1.0","code":"123456","name":"  ","client":"desktop"})",
       false},
      {false,
       R"({"t":"join","version":"1.0","code":"123456","name":"A\u001b[2J","client":"desktop"})",
       false},
      {false,
       R"({"t":"join","version":"1.0","code":"123456","name":"Anna\u0085","client":"desktop"})",
       false},
      {false, R"({"t":"join","version":"1.0","code":"123456","name":"Anna","client":"phone"})",
       false},
      {false, R"({"t":"join","version":"1 0","code":"123456","name":"Anna","client":"desktop"})",
       false},
      {false, R"({"t":"key","code":40,"shift":0})", true},
      {false, R"({"t":"key","code":40.5,"shift":0})", false},
      {false, R"({"t":"key","code":"40","shift":0})", false},
      {false, R"({"t":"key","code":256,"shift":0})", false},
      {false, R"({"t":"key","code":40,"shift":8})", false},
      {false, R"({"t":"key","code":40})", false},
      {false, R"({"t":"say","text":"Hello","system":0})", false},
      {false, R"([{"t":"key","code":40,"shift":0}])", false},
      {false, R"({"t":"key","code":40,"shift":0,"x":[[1]]})", false},
      {false, "{\"t\":\"key\",\"code\":40,\"shift\":0", false},
      {false, "{\"t\":\"key\",\"code\":40,\"shift\":0}\xff", false},
      {false, "", false},
      {true, R"({"t":"welcome","seat":2,"host":"The Boss","version":"1.0"})", true},
      {true, R"({"t":"welcome","seat":8,"host":"The Boss","version":"1.0"})", false},
      {true, R"({"t":"refused","reason":"full","text":"The table is full.","version":"1.0"})",
       true},
      {true, R"({"t":"refused","reason":"bored","text":"No.","version":"1.0"})", false},
      {true, R"({"t":"say","text":"???You have Pair of Twos","system":0})", true},
      {true, R"({"t":"say","text":"Two\nlines","system":0})", false},
      {true, R"({"t":"stop"})", true},
      {true, R"({"t":"box","title":"Error! ","text":"Two\nlines","icon":"critical"})", true},
      {true, R"({"t":"box","title":"Error! ","text":"Hi","icon":"question"})", false},
      {true, R"({"t":"answer","waiting":true})", true},
      {true, R"({"t":"answer","waiting":1})", false},
      {true, R"({"t":"sound","op":"load","sound":3,"file":"coin3.wav"})", true},
      {true, R"({"t":"sound","op":"load","sound":3,"file":"../coin3.wav"})", false},
      {true, R"({"t":"sound","op":"load","sound":3,"file":".coin3.wav"})", false},
      {true, R"({"t":"sound","op":"load","sound":0,"file":"coin3.wav"})", false},
      {true, R"({"t":"sound","op":"release","sound":3})", true},
      {true, R"({"t":"sound","op":"play","channel":4,"sound":3,"loop":false})", true},
      {true, R"({"t":"sound","op":"play","channel":31,"sound":3,"loop":false})", false},
      {true, R"({"t":"sound","op":"stop","channel":4})", true},
      {true, R"({"t":"sound","op":"volume","channel":4,"value":-600})", true},
      {true, R"({"t":"sound","op":"volume","channel":4,"value":600})", false},
      {true, R"({"t":"sound","op":"pan","channel":4,"value":-10000})", true},
      {true, R"({"t":"sound","op":"pan","channel":4,"value":10001})", false},
      {true, R"({"t":"sound","op":"rewind","channel":4})", false},
      {true,
       R"({"t":"hand","heading":"Hand 1, Stud.","lines":["A","B"],"game":"Stud","collected":0,"chips":975})",
       true},
      {true,
       R"({"t":"hand","heading":"Hand 1, Stud.","lines":["A\nB"],"game":"Stud","collected":0,"chips":975})",
       false},
      {true,
       R"({"t":"hand","heading":"Hand 1, Stud.","lines":[1],"game":"Stud","collected":0,"chips":975})",
       false},
      {true,
       R"({"t":"hand","heading":"Hand 1, Stud.","lines":[],"game":"Stud","collected":-1,"chips":975})",
       false},
      {true, R"({"t":"closed"})", true},
      {true, R"({"t":"key","code":40,"shift":0})", false},
      {true, R"({"t":"say","text":")" + std::string(kMessageLimit, 'a') + R"(","system":0})",
       false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text.substr(0, 100));
    if (row.fromHost) {
      const std::optional<HostMessage> message = ReadHostMessage(row.text);
      ASSERT_EQ(message.has_value(), row.read);
      if (message) {
        EXPECT_EQ(ReadHostMessage(WriteMessage(*message)), message);
      }
    } else {
      const std::optional<FriendMessage> message = ReadFriendMessage(row.text);
      ASSERT_EQ(message.has_value(), row.read);
      if (message) {
        EXPECT_EQ(ReadFriendMessage(WriteMessage(*message)), message);
      }
    }
  }
  EXPECT_EQ(WriteMessage(FriendMessage{KeyMessage{40, 2}}), R"({"t":"key","code":40,"shift":2})");
  // A host's name longer than a welcome may carry is cut between letters, and the welcome read.
  std::string longName = "Grande ";
  for (int letter = 0; letter < 40; ++letter) longName += "\u00e9";  // é: two bytes each
  const std::optional<HostMessage> welcome =
      ReadHostMessage(WriteMessage(HostMessage{WelcomeMessage{2, longName, "1.0"}}));
  ASSERT_TRUE(welcome.has_value());
  const std::string& host = std::get<WelcomeMessage>(*welcome).host;
  EXPECT_EQ(host, longName.substr(0, 63));  // not through the 29th é
}

TEST(Messages, AddressesFingerprintsAndCodes) {
  const struct {
    std::string text;
    std::optional<TableAddress> address;
  } rows[] = {
      {"127.0.0.1:50000", TableAddress{"127.0.0.1", 50000}},
      {"Anna-PC.local:8443", TableAddress{"anna-pc.local", 8443}},
      {"[::1]:50000", TableAddress{"::1", 50000}},
      {"::1:50000", std::nullopt},
      {"127.0.0.1", std::nullopt},
      {"127.0.0.1:0", std::nullopt},
      {"127.0.0.1:65536", std::nullopt},
      {"127.0.0.1:5x", std::nullopt},
      {":50000", std::nullopt},
      {"a b:50000", std::nullopt},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ParseTableAddress(row.text), row.address) << row.text;
    if (row.address) {
      EXPECT_EQ(*ParseTableAddress(AddressText(*row.address)), *row.address);
    }
  }
  Fingerprint fingerprint{};
  for (std::size_t i = 0; i < fingerprint.size(); ++i)
    fingerprint[i] = static_cast<unsigned char>(i * 9);
  EXPECT_EQ(SpokenFingerprint(fingerprint).substr(0, 22), "0 0 0 9, 1 2 1 B, 2 4 ");
  EXPECT_EQ(FingerprintPairs(fingerprint).substr(0, 12), "00:09:12:1B:");
  EXPECT_EQ(ParseFingerprintDigits(FingerprintDigits(fingerprint)), fingerprint);
  EXPECT_EQ(ParseFingerprintDigits("00"), std::nullopt);
  const std::string code = MakeJoinCode();
  EXPECT_EQ(code.size(), kJoinCodeDigits);
  EXPECT_EQ(code.find_first_not_of("0123456789"), std::string::npos);
  EXPECT_TRUE(SameJoinCode(code, code));
  EXPECT_FALSE(SameJoinCode("", ""));
  EXPECT_FALSE(SameJoinCode("12345", "123456"));
}

// What the join offers from what a browse of the home network found.
TEST(Messages, TablesOfferedFromABrowse) {
  const FoundTable boss4{"The Boss", {"192.168.1.20", 50000}, "1.0"};
  const FoundTable boss6{"The Boss", {"fe80::1%2", 50000}, "1.0"};
  const FoundTable anna{"Anna", {"192.168.1.30", 50001}, "1.1"};
  const FoundTable harry{"Harry", {"fd00::30", 50002}, ""};
  const struct {
    std::vector<FoundTable> found;
    std::size_t most;
    std::vector<FoundTable> offered;
  } rows[] = {
      {{}, 9, {}},
      {{boss6, boss4}, 9, {boss4}},
      {{boss4, boss6}, 9, {boss4}},
      {{harry, boss4, anna}, 9, {anna, harry, boss4}},
      {{harry, boss4, anna}, 2, {anna, harry}},
  };
  for (const auto& row : rows) EXPECT_EQ(TablesToOffer(row.found, row.most), row.offered);
}

}  // namespace
}  // namespace corvane
