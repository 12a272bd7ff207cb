#include "net/join_guard.h"

#include <openssl/crypto.h>
#include <openssl/rand.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "net/messages.h"

namespace corvane {

namespace {

constexpr std::uint32_t kCodes = 1000000;
// The largest multiple of kCodes below 2^32: numbers above it are drawn again, so that every code
// is as likely as every other.
constexpr std::uint32_t kFairLimit = (0xffffffffU / kCodes) * kCodes;

}  // namespace

std::string MakeJoinCode() {
  for (;;) {
    std::uint32_t number = 0;
    if (RAND_bytes(reinterpret_cast<unsigned char*>(&number), sizeof number) != 1) return {};
    if (number >= kFairLimit) continue;
    std::string code(kJoinCodeDigits, '0');
    number %= kCodes;
    for (auto digit = code.rbegin(); digit != code.rend(); ++digit, number /= 10) {
      *digit = static_cast<char>('0' + number % 10);
    }
    return code;
  }
}

bool SameJoinCode(std::string_view given, std::string_view code) {
  return given.size() == code.size() && !code.empty() &&
         CRYPTO_memcmp(given.data(), code.data(), code.size()) == 0;
}

JoinGuard::JoinGuard(double firstPause, double longestPause, double forgiveAfter)
    : firstPause_(firstPause), longestPause_(longestPause), forgiveAfter_(forgiveAfter) {}

double JoinGuard::Pause(int wrongCodes) const {
  return std::min(longestPause_, firstPause_ * std::exp2(std::min(wrongCodes - 1, 30)));
}

double JoinGuard::TurnOf(const std::string& address, double now) {
  const auto it = records_.find(address);
  if (it == records_.end()) return now;
  Record& record = it->second;
  if (now - record.lastWrong > forgiveAfter_ && record.nextTurn <= now) {
    records_.erase(it);
    return now;
  }
  const double turn = std::max(now, record.nextTurn);
  record.nextTurn = turn + Pause(record.wrongCodes);
  return turn;
}

void JoinGuard::WrongCode(const std::string& address, double now) {
  ++wrongCodes_;
  if (records_.size() >= kMostAddresses && !records_.contains(address)) ForgetOldest();
  Record& record = records_[address];
  ++record.wrongCodes;
  record.lastWrong = now;
  record.nextTurn = std::max(record.nextTurn, now + Pause(record.wrongCodes));
}

void JoinGuard::ForgetOldest() {
  const auto oldest = std::min_element(records_.begin(), records_.end(), [](auto& a, auto& b) {
    return a.second.lastWrong < b.second.lastWrong;
  });
  if (oldest != records_.end()) records_.erase(oldest);
}

}  // namespace corvane
