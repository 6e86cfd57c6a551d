#pragma once
// Independent checks for the number fuzz target: the accepted syntax of integer and real
// texts written out as a grammar, the C library's correctly rounded reading of a real, and
// the shape and accuracy of a readout caption.
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tarvelin::fuzz {

struct IntegerResult {
  bool valid = false;
  int32_t value = 0;
};

inline bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// spaces* sign? ( digits10 | ("$"|"x"|"X"|"0x"|"0X") digits16 ), in the signed 32-bit range.
inline IntegerResult ReferenceInteger(std::string_view text) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string_view::npos) return {};
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  int base = 10;
  const std::string_view rest = text.substr(i);
  if (rest.starts_with("0x") || rest.starts_with("0X")) {
    base = 16, i += 2;
  } else if (rest.starts_with("$") || rest.starts_with("x") || rest.starts_with("X")) {
    base = 16, i += 1;
  }
  const std::string_view digits = text.substr(i);
  if (digits.empty()) return {};
  uint64_t magnitude = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (error != std::errc() || end != digits.data() + digits.size()) return {};
  if (magnitude > (negative ? 0x80000000u : 0x7fffffffu)) return {};
  const int64_t value =
      negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
  return {true, static_cast<int32_t>(value)};
}

struct RealResult {
  bool valid = false;
  bool overflow = false;
  double value = 0;
};

// spaces* sign? (digits ("." digits?)? | "." digits) (("e"|"E") sign? digits)? spaces*, read by
// strtod in the C locale; beyond the double range it is an overflow.
inline RealResult ReferenceReal(std::string_view text) {
  size_t i = 0;
  const auto skipDigits = [&] {
    const size_t from = i;
    while (i < text.size() && IsDecimalDigit(text[i])) ++i;
    return i - from;
  };
  while (i < text.size() && text[i] == ' ') ++i;
  const size_t begin = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = skipDigits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    digits += skipDigits();
  }
  if (digits == 0) return {};
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (skipDigits() == 0) return {};
  }
  const size_t end = i;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i != text.size()) return {};
  const std::string number(text.substr(begin, end - begin));
  errno = 0;
  const double value = std::strtod(number.c_str(), nullptr);
  if (std::isinf(value)) return {true, true, 0};
  return {true, false, value};
}

// A caption of the fixed format with `digits` decimals (clamped to 0..18) for `value`:
// "NAN", "INF", "-INF"; the fixed form with exactly that many decimals and at most four
// significant digits; or, for an integer part of more than four digits, the scientific form
// "d.ddE<n>"; no minus sign on a zero; within half a unit of the last kept digit of `value`.
inline bool IsCaption(const std::string& caption, long double value, int digits) {
  if (std::isnan(value)) return caption == "NAN";
  if (std::isinf(value)) return caption == (value < 0 ? "-INF" : "INF");
  const int d = std::clamp(digits, 0, 18);
  std::string_view body = caption;
  const bool minus = body.starts_with("-");
  if (minus) body.remove_prefix(1);
  if (body.empty() || !IsDecimalDigit(body[0])) return false;
  long double unit;  // of the last digit the caption keeps
  const size_t e = body.find('E');
  if (e != std::string_view::npos) {
    // d(.d{1,3})?E n, with no trailing zero in the fraction and n >= 4.
    const std::string_view mantissa = body.substr(0, e), exponent = body.substr(e + 1);
    if (mantissa[0] == '0' || exponent.empty() || exponent[0] == '0') return false;
    if (!std::all_of(exponent.begin(), exponent.end(), IsDecimalDigit)) return false;
    int n = 0;
    std::from_chars(exponent.data(), exponent.data() + exponent.size(), n);
    if (n < 4) return false;
    int fraction = 0;
    if (mantissa.size() > 1) {
      if (mantissa[1] != '.' || mantissa.size() < 3 || mantissa.size() > 5 ||
          mantissa.back() == '0')
        return false;
      const std::string_view f = mantissa.substr(2);
      if (!std::all_of(f.begin(), f.end(), IsDecimalDigit)) return false;
      fraction = static_cast<int>(f.size());
    }
    unit = std::pow(10.0L, n - fraction);
  } else {
    const size_t point = body.find('.');
    const std::string_view whole = body.substr(0, point);
    if (!std::all_of(whole.begin(), whole.end(), IsDecimalDigit)) return false;
    if (whole.size() > 1 && whole[0] == '0') return false;
    if (whole.size() > 4) return false;
    if (d == 0
            ? point != std::string_view::npos
            : point == std::string_view::npos || body.size() - point - 1 != static_cast<size_t>(d))
      return false;
    std::string allDigits(whole);
    if (d > 0) allDigits.append(body.substr(point + 1));
    if (!std::all_of(allDigits.begin(), allDigits.end(), IsDecimalDigit)) return false;
    const size_t first = allDigits.find_first_not_of('0');
    if (first == std::string::npos) {
      if (minus) return false;  // a zero has no sign
      unit = std::pow(10.0L, -d);
    } else {
      const size_t last = allDigits.find_last_not_of('0');
      if (last - first + 1 > 4) return false;
      // The first significant digit stands for 10^q; at most four are kept from it.
      const int q = static_cast<int>(whole.size()) - 1 - static_cast<int>(first);
      unit = std::max(std::pow(10.0L, -d), std::pow(10.0L, q - 3));
    }
  }
  if (minus != (value < 0) && std::strtold(caption.c_str(), nullptr) != 0) return false;
  const long double shown = std::strtold(caption.c_str(), nullptr);
  return std::fabs(shown - value) <= 0.5L * unit * (1 + 1e-15L);
}

}  // namespace tarvelin::fuzz
