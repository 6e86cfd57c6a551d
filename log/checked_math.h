#pragma once
// Overflow-checked integer steps and the rounding the program uses everywhere: nearest
// integer, an exact half going to the even neighbour.
#include <cmath>
#include <cstdint>
#include <limits>

#include "log/failure.h"

namespace tarvelin {

inline int32_t CheckedAdd(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_add_overflow(a, b, &r)) throw Failure(kIntegerOverflow);
  return r;
}

inline int32_t CheckedSub(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_sub_overflow(a, b, &r)) throw Failure(kIntegerOverflow);
  return r;
}

inline int32_t CheckedMul(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_mul_overflow(a, b, &r)) throw Failure(kIntegerOverflow);
  return r;
}

inline int64_t CheckedSub64(int64_t a, int64_t b) {
  int64_t r;
  if (__builtin_sub_overflow(a, b, &r)) throw Failure(kIntegerOverflow);
  return r;
}

// Division truncating toward zero; only INT32_MIN div -1 can overflow.
inline int32_t CheckedDiv(int32_t a, int32_t b) {
  if (b == -1 && a == std::numeric_limits<int32_t>::min()) throw Failure(kIntegerOverflow);
  return a / b;
}

// Narrowing to 32 bits, as an assignment with range checks on.
inline int32_t RangeChecked32(int64_t v) {
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
    throw Failure(kRangeCheckError);
  return static_cast<int32_t>(v);
}

// Round to the nearest 64-bit integer, an exact half to even, from an extended-precision value.
// A value that no 64-bit integer holds (or NaN) is an invalid operation.
inline int64_t RoundHalfEven(long double x) {
  constexpr long double kLimit = 9223372036854775808.0L;  // 2^63
  if (!(x > -kLimit - 1.0L && x < kLimit)) throw Failure(kInvalidFloatingPointOperation);
  long double r = std::nearbyintl(x);  // default rounding mode: to nearest, ties to even
  if (!(r >= -kLimit && r < kLimit)) throw Failure(kInvalidFloatingPointOperation);
  return static_cast<int64_t>(r);
}

}  // namespace tarvelin
