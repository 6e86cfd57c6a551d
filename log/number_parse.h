#pragma once
// Strict, locale-independent conversions of text to numbers, as the datalog format and the
// status decode need them. Failures throw Failure with the exact user-facing message.
#include <cstdint>
#include <string_view>

namespace tarvelin {

// Optional leading spaces, optional sign, then decimal digits, or hexadecimal digits after
// "$", "x", "X", "0x" or "0X"; nothing after the digits; signed 32-bit range.
// Fails with "'<text>' is not a valid integer value".
int32_t StrToInt(std::string_view text);

// Optional spaces, optional sign, digits with an optional point and fraction, optional
// exponent, optional trailing spaces; the point is the only separator.
// Fails with "'<text>' is not a valid floating point value", or "Floating point overflow"
// for a value beyond the 64-bit real range.
double StrToFloat(std::string_view text);

}  // namespace tarvelin
