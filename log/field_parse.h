#pragma once
// The reader's hot-path conversions: the common plain forms are decoded inline, anything else
// (spaces, signs, hexadecimal, exponents, long digit strings, bad text) goes to the strict
// general conversions, so both give the same value and the same failure.
#include <cstdint>
#include <string_view>

#include "log/number_parse.h"

namespace tarvelin {

inline int32_t ParseIntField(std::string_view text) {
  // Up to 9 plain decimal digits cannot leave the 32-bit range.
  if (!text.empty() && text.size() <= 9) {
    uint32_t value = 0;
    bool plain = true;
    for (char c : text) {
      const unsigned digit = static_cast<unsigned char>(c) - '0';
      plain &= digit <= 9;
      value = value * 10 + digit;
    }
    if (plain) return static_cast<int32_t>(value);
  }
  return StrToInt(text);
}

inline double ParseRealField(std::string_view text) {
  // Digits with an optional point and fraction, at most 15 significant digits: the mantissa
  // and the power of ten are exact doubles, so one division gives the correctly rounded value.
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (!text.empty() && text.size() <= 16) {
    uint64_t mantissa = 0;
    int digits = 0;
    int fraction = -1;  // digits after the point; -1 while no point is seen
    bool plain = true;
    for (char c : text) {
      const unsigned digit = static_cast<unsigned char>(c) - '0';
      if (digit <= 9) {
        mantissa = mantissa * 10 + digit;
        ++digits;
        if (fraction >= 0) ++fraction;
      } else if (c == '.' && fraction < 0) {
        fraction = 0;
      } else {
        plain = false;
        break;
      }
    }
    if (plain && digits > 0 && digits <= 15) {
      const double value = static_cast<double>(mantissa);
      return fraction > 0 ? value / kPowersOfTen[fraction] : value;
    }
  }
  return StrToFloat(text);
}

}  // namespace tarvelin
