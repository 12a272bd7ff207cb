// The building blocks of the game's binary files: little-endian signed integers, single-precision
// numbers and text fields of a fixed width, padded on the right with blanks. Text is UTF-8 in
// memory and Windows-1252 on disk; the conversion happens here, at the file boundary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// Appends fields to a byte string.
class ByteWriter {
 public:
  void Int16(std::int16_t value);
  void Int32(std::int32_t value);
  void Single(float value);
  // The text in Windows-1252, cut at width bytes and padded with blanks to width.
  void Text(std::string_view utf8, std::size_t width);

  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// Reads fields from a byte string in order. Every read fails, and leaves its output alone, when
// fewer bytes are left than the field needs.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  bool Int16(std::int16_t& value);
  bool Int32(std::int32_t& value);
  bool Single(float& value);
  // The whole field, padding included, converted to UTF-8.
  bool Text(std::size_t width, std::string& utf8);

  std::size_t Remaining() const { return bytes_.size() - offset_; }

 private:
  bool Take(std::size_t count, std::string_view& out);

  std::string_view bytes_;
  std::size_t offset_ = 0;
};

// Removes the blanks (and only the blanks) at both ends, as the files' readers do.
std::string TrimBlanks(std::string_view text);
// Removes the blanks at the start only.
std::string TrimLeadingBlanks(std::string_view text);

}  // namespace corvane
