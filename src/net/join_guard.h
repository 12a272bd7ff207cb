// The join code is the table's password, and guessing it is slowed down: after a wrong code, the
// joins from that address are looked at one at a time, each a pause after the one before, and the
// pause doubles with every wrong code up to a longest. An address that gives no wrong code for a
// while is forgiven. Times are seconds of any steady clock.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace corvane {

// A fresh code of six digits, from the system's random source; empty should it fail.
std::string MakeJoinCode();
// Compares in a time that does not depend on where the codes differ.
bool SameJoinCode(std::string_view given, std::string_view code);

class JoinGuard {
 public:
  // Addresses remembered at most; the one quiet longest is forgotten first.
  static constexpr std::size_t kMostAddresses = 4096;

  JoinGuard(double firstPause, double longestPause, double forgiveAfter);

  // When the join from `address` that arrives at `now` may be checked: `now` for an address
  // without wrong codes, else the next free turn of that address.
  double TurnOf(const std::string& address, double now);
  // The join from `address` had a wrong code.
  void WrongCode(const std::string& address, double now);

  // Wrong codes since the table opened, from every address.
  int WrongCodes() const { return wrongCodes_; }

 private:
  struct Record {
    int wrongCodes = 0;
    double lastWrong = 0;
    double nextTurn = 0;
  };
  double Pause(int wrongCodes) const;
  void ForgetOldest();

  double firstPause_;
  double longestPause_;
  double forgiveAfter_;
  std::unordered_map<std::string, Record> records_;
  int wrongCodes_ = 0;
};

}  // namespace corvane
