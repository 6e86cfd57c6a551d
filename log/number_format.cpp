#include "log/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tarvelin {

namespace {

constexpr int kPrecision = 4;  // significant digits of the fixed format
constexpr int kMaxDigits = 18;

// Below this every allowed number of decimals rounds the value to zero, so its digits need
// not be worked out.
constexpr long double kNegligible = 1e-20L;

// A non-negative integer in base 10^9, least significant limb first, held on the stack. The
// capacity takes the largest extended value (under 10^4933) and the largest product
// m * 5^k that a value above kNegligible needs.
class BigDecimal {
 public:
  explicit BigDecimal(uint64_t value) {
    while (value != 0) {
      limbs_[size_++] = static_cast<uint32_t>(value % kBase);
      value /= kBase;
    }
  }

  void MultiplyByPowerOf2(int exponent) {
    for (; exponent >= 29; exponent -= 29) Multiply(uint32_t{1} << 29);
    if (exponent > 0) Multiply(uint32_t{1} << exponent);
  }
  void MultiplyByPowerOf5(int exponent) {
    for (; exponent >= 13; exponent -= 13) Multiply(1220703125);  // 5^13
    uint32_t factor = 1;
    for (; exponent > 0; --exponent) factor *= 5;
    Multiply(factor);
  }

  int DigitCount() const { return (size_ - 1) * 9 + Digits(limbs_[size_ - 1]); }

  // The first `count` decimal digits (count <= 10), zeros past the last digit.
  void Leading(int count, int* out) const {
    char buffer[18] = {};
    int length = 0;
    for (int i = size_ - 1; i >= 0 && i >= size_ - 2; --i) {
      char limb[9];
      const int width = i == size_ - 1 ? Digits(limbs_[i]) : 9;
      uint32_t v = limbs_[i];
      for (int d = width - 1; d >= 0; --d, v /= 10) limb[d] = static_cast<char>(v % 10);
      for (int d = 0; d < width; ++d) buffer[length++] = limb[d];
    }
    for (int i = 0; i < count; ++i) out[i] = i < length ? buffer[i] : 0;
  }

 private:
  static constexpr uint32_t kBase = 1000000000;
  static constexpr int kCapacity = 560;

  static int Digits(uint32_t v) {
    int n = 1;
    while (v >= 10) v /= 10, ++n;
    return n;
  }

  void Multiply(uint32_t factor) {
    uint64_t carry = 0;
    for (int i = 0; i < size_; ++i) {
      const uint64_t product = uint64_t{limbs_[i]} * factor + carry;
      limbs_[i] = static_cast<uint32_t>(product % kBase);
      carry = product / kBase;
    }
    while (carry != 0) {
      limbs_[size_++] = static_cast<uint32_t>(carry % kBase);
      carry /= kBase;
    }
  }

  uint32_t limbs_[kCapacity];
  int size_ = 0;
};

// The leading decimal digits of a positive finite value, exact, and the number of digits
// before its decimal point: value = 0.d0 d1 d2 ... * 10^point.
struct Leading {
  int digits[kPrecision + 1];
  int point;
};

Leading LeadingDigits(long double value) {
  int binaryExponent = 0;
  const long double fraction = std::frexp(value, &binaryExponent);  // value = fraction * 2^e
  uint64_t mantissa = static_cast<uint64_t>(std::ldexp(fraction, 64));
  int exponent = binaryExponent - 64;  // value = mantissa * 2^exponent, exactly
  while ((mantissa & 1) == 0) mantissa >>= 1, ++exponent;

  BigDecimal number(mantissa);
  Leading result{};
  if (exponent >= 0) {
    number.MultiplyByPowerOf2(exponent);
    result.point = number.DigitCount();
  } else {
    // mantissa * 2^-k == mantissa * 5^k * 10^-k
    number.MultiplyByPowerOf5(-exponent);
    result.point = number.DigitCount() + exponent;
  }
  number.Leading(kPrecision + 1, result.digits);
  return result;
}

int DigitCount(uint32_t v) {
  int n = 1;
  while (v >= 10) v /= 10, ++n;
  return n;
}

std::string Decimal(uint32_t v) {
  char buffer[16];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
  return std::string(buffer, end);
}

}  // namespace

std::string IntToStr(int32_t value) {
  char buffer[16];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

std::string FloatToStrF(double value, int digits) {
  return ExtendedToStrF(static_cast<long double>(value), digits);
}

std::string ExtendedToStrF(long double value, int digits) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  digits = std::clamp(digits, 0, kMaxDigits);

  // The rounded value is kept * 10^exponent.
  uint32_t kept = 0;
  int exponent = 0;
  const long double magnitude = std::fabs(value);
  if (magnitude >= kNegligible) {
    const Leading leading = LeadingDigits(magnitude);
    // Digits kept: up to the fourth significant one, and none past the last decimal.
    const int count = std::min(kPrecision, leading.point + digits);
    if (count >= 0) {
      for (int i = 0; i < count; ++i) kept = kept * 10 + static_cast<uint32_t>(leading.digits[i]);
      // The digits are exact, so a 5 here is at least a half: away from zero.
      if (leading.digits[count] >= 5) ++kept;
      exponent = leading.point - count;
    }
  }

  if (kept == 0) {
    std::string zero = "0";
    if (digits > 0) zero.append(1, '.').append(static_cast<size_t>(digits), '0');
    return zero;
  }

  std::string text = std::signbit(value) ? "-" : "";
  const int integerDigits = DigitCount(kept) + exponent;
  if (integerDigits > kPrecision) {
    while (kept % 10 == 0) kept /= 10;
    const std::string significant = Decimal(kept);
    text += significant[0];
    if (significant.size() > 1) text.append(1, '.').append(significant, 1);
    return text.append(1, 'E').append(IntToStr(integerDigits - 1));
  }

  // The value times 10^digits as a digit string (exponent >= -digits by the choice of count).
  std::string scaled = Decimal(kept) + std::string(static_cast<size_t>(exponent + digits), '0');
  const size_t width = static_cast<size_t>(digits) + 1;
  if (scaled.size() < width) scaled.insert(0, width - scaled.size(), '0');
  if (digits > 0) scaled.insert(scaled.end() - digits, '.');
  return text.append(scaled);
}

}  // namespace tarvelin
