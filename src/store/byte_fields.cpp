#include "store/byte_fields.h"

#include <bit>
#include <cstring>

#include "table/codepage.h"

namespace corvane {

namespace {

void AppendLittleEndian(std::string& out, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) {
    out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  }
}

std::uint32_t LittleEndian(std::string_view bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  }
  return value;
}

}  // namespace

void ByteWriter::Int16(std::int16_t value) {
  AppendLittleEndian(bytes_, static_cast<std::uint16_t>(value), 2);
}

void ByteWriter::Int32(std::int32_t value) {
  AppendLittleEndian(bytes_, static_cast<std::uint32_t>(value), 4);
}

void ByteWriter::Single(float value) {
  AppendLittleEndian(bytes_, std::bit_cast<std::uint32_t>(value), 4);
}

void ByteWriter::Text(std::string_view utf8, std::size_t width) {
  std::string field = Utf8ToCp1252(utf8);
  field.resize(width, ' ');
  bytes_ += field;
}

bool ByteReader::Take(std::size_t count, std::string_view& out) {
  if (Remaining() < count) return false;
  out = bytes_.substr(offset_, count);
  offset_ += count;
  return true;
}

bool ByteReader::Int16(std::int16_t& value) {
  std::string_view field;
  if (!Take(2, field)) return false;
  value = static_cast<std::int16_t>(static_cast<std::uint16_t>(LittleEndian(field)));
  return true;
}

bool ByteReader::Int32(std::int32_t& value) {
  std::string_view field;
  if (!Take(4, field)) return false;
  value = static_cast<std::int32_t>(LittleEndian(field));
  return true;
}

bool ByteReader::Single(float& value) {
  std::string_view field;
  if (!Take(4, field)) return false;
  value = std::bit_cast<float>(LittleEndian(field));
  return true;
}

bool ByteReader::Text(std::size_t width, std::string& utf8) {
  std::string_view field;
  if (!Take(width, field)) return false;
  utf8 = Cp1252ToUtf8(field);
  return true;
}

std::string TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string TrimLeadingBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first));
}

}  // namespace corvane
