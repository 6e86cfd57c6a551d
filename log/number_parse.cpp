#include "log/number_parse.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

#include "log/failure.h"

namespace tarvelin {
namespace {

std::string Quoted(std::string_view text, std::string_view rest) {
  std::string message;
  message.reserve(text.size() + rest.size() + 2);
  message.append(1, '\'').append(text).append(1, '\'').append(rest);
  return message;
}

[[noreturn]] void InvalidInteger(std::string_view text) {
  throw Failure(Quoted(text, " is not a valid integer value"));
}

[[noreturn]] void InvalidFloat(std::string_view text) {
  throw Failure(Quoted(text, " is not a valid floating point value"));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of the hexadecimal prefix at `i` ("$", "x", "X", "0x", "0X"), or 0 for none.
size_t HexPrefixLength(std::string_view text, size_t i) {
  if (i >= text.size()) return 0;
  if (text[i] == '$' || text[i] == 'x' || text[i] == 'X') return 1;
  if (text[i] == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) return 2;
  return 0;
}

}  // namespace

int32_t StrToInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const size_t prefix = HexPrefixLength(text, i);
  const int base = prefix ? 16 : 10;
  i += prefix;
  if (i == text.size()) InvalidInteger(text);
  // The magnitude may reach 2^31 only for a negative value.
  const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = base == 16 ? HexValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
    if (digit < 0) InvalidInteger(text);
    magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    if (magnitude > limit) InvalidInteger(text);
  }
  return negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                  : static_cast<int32_t>(magnitude);
}

double StrToFloat(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const size_t numberBegin = i;
  // Decimal position of the first significant digit, to tell overflow from underflow.
  int64_t leadExponent = 0;
  bool seenNonZero = false;
  size_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
    if (seenNonZero) {
      ++leadExponent;
    } else if (text[i] != '0') {
      seenNonZero = true;
    }
  }
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) {
      if (!seenNonZero) {
        --leadExponent;
        if (text[i] != '0') seenNonZero = true;
      }
    }
  }
  if (digits == 0) InvalidFloat(text);
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    if (i == text.size() || !IsDigit(text[i])) InvalidFloat(text);
    int64_t exponent = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
      if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
    leadExponent += negativeExponent ? -exponent : exponent;
  }
  const size_t numberEnd = i;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i != text.size()) InvalidFloat(text);

  double value = 0.0;
  const char* first = text.data() + numberBegin;
  const char* last = text.data() + numberEnd;
  // A leading "+" is not something from_chars takes, and the sign is applied here anyway.
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    if (leadExponent > 0) throw Failure(kFloatingPointOverflow);
    value = 0.0;  // underflow: the nearest real is zero
  } else if (ec != std::errc() || ptr != last) {
    InvalidFloat(text);
  }
  return negative ? -value : value;
}

}  // namespace tarvelin
