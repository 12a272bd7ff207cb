// libFuzzer target for the .gam reader: any bytes are read without a crash, and a file that is
// accepted writes out as bytes that read back to the same game.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "table/gam_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto game = corvane::ParseGam(std::span<const unsigned char>(data, size));
  if (!game) return 0;
  const auto bytes = corvane::SerializeGam(*game);
  const auto again = corvane::ParseGam(bytes);
  if (!again || corvane::SerializeGam(*again) != bytes) std::abort();
  return 0;
}
