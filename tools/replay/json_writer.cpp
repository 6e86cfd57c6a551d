#include "tools/replay/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tarvelin {

void JsonWriter::Separate() {
  if (needComma_) out_ += ',';
  needComma_ = true;
}

JsonWriter& JsonWriter::BeginObject() {
  Separate();
  out_ += '{';
  needComma_ = false;
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  out_ += '}';
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  Separate();
  out_ += '[';
  needComma_ = false;
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  out_ += ']';
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  String(key);
  out_ += ':';
  needComma_ = false;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view latin1) {
  Separate();
  out_ += '"';
  for (const char ch : latin1) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += ch;
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out_ += escaped;
    } else if (c < 0x80) {
      out_ += ch;
    } else {  // one Latin-1 byte, one character, as UTF-8
      out_ += static_cast<char>(0xC0 | (c >> 6));
      out_ += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  out_ += '"';
  return *this;
}

JsonWriter& JsonWriter::Int(int64_t value) {
  Separate();
  out_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Real(double value) {
  Separate();
  if (!std::isfinite(value)) {  // JSON has no such numbers
    out_ += "null";
    return *this;
  }
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out_.append(buffer, result.ptr);
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  Separate();
  out_ += value ? "true" : "false";
  return *this;
}

std::string ColorText(uint32_t color) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08X", color);
  return buffer;
}

}  // namespace tarvelin
