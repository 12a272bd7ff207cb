// libFuzzer target for the messages' reader, both sides: any bytes are read without a crash, and
// a message that is accepted writes out as text that reads back to the same message.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "net/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto message = corvane::ReadFriendMessage(text)) {
    if (corvane::ReadFriendMessage(corvane::WriteMessage(*message)) != message) std::abort();
  }
  if (const auto message = corvane::ReadHostMessage(text)) {
    if (corvane::ReadHostMessage(corvane::WriteMessage(*message)) != message) std::abort();
  }
  return 0;
}
