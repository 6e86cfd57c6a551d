#include "log/number_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace tarvelin {
namespace {

struct FixedCase {
  double value;
  int digits;
  const char* text;
};

TEST(FloatToStrFTest, FixedFormatWithFourSignificantDigits) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const FixedCase cases[] = {
      // Exact halves of the stored value round away from zero...
      {2.25, 1, "2.3"},
      {0.0625, 3, "0.063"},
      {1.125, 2, "1.13"},
      {0.5, 0, "1"},
      {2.5, 0, "3"},
      {-0.25, 1, "-0.3"},
      {-0.5, 0, "-1"},
      // ...while a decimal half stored below the half goes down, one stored above goes up.
      {1.005, 2, "1.00"},
      {2.675, 2, "2.67"},
      {1.135, 2, "1.14"},
      {0.00005, 4, "0.0001"},
      // Past the fourth significant digit only zeros.
      {1234.56, 1, "1235.0"},
      {123.456, 18, "123.500000000000000000"},
      {2.625, 1, "2.6"},
      {14.7, 2, "14.70"},
      {0.5, 3, "0.500"},
      {-40, 1, "-40.0"},
      {9900, 0, "9900"},
      {9999.4, 0, "9999"},
      {999.96, 1, "1000.0"},
      // An integer part of more than four digits, also after rounding, goes scientific.
      {10000, 0, "1E4"},
      {12500, 0, "1.25E4"},
      {123456, 0, "1.235E5"},
      {9999.6, 0, "1E4"},
      {99999, 0, "1E5"},
      {10000.4, 3, "1E4"},
      {-12500, 0, "-1.25E4"},
      {-9999.6, 0, "-1E4"},
      {-214748364800.0, 0, "-2.147E11"},
      {1e300, 2, "1E300"},
      {DBL_MAX, 0, "1.798E308"},
      // Zero, and whatever rounds to it, has no minus sign.
      {0, 1, "0.0"},
      {-0.0, 1, "0.0"},
      {-0.04, 1, "0.0"},
      {0.00004, 4, "0.0000"},
      {-0.4, 0, "0"},
      {1e-300, 18, "0.000000000000000000"},
      {DBL_TRUE_MIN, 3, "0.000"},
      {3e-18, 18, "0.000000000000000003"},
      // Decimals outside 0..18 are taken as the nearer end.
      {1.25, -1, "1"},
      {0.25, 25, "0.250000000000000000"},
      {std::nan(""), 1, "NAN"},
      {kInf, 1, "INF"},
      {-kInf, 1, "-INF"},
  };
  for (const FixedCase& c : cases)
    EXPECT_EQ(FloatToStrF(c.value, c.digits), c.text) << c.value << " with " << c.digits;
}

TEST(FloatToStrFTest, ExtendedValueIsRoundedAsItStands) {
  // Just below 0.125 in extended precision; as a double it is 0.125 exactly.
  const long double belowEighth = 0.125L - 0x1p-66L;
  EXPECT_EQ(ExtendedToStrF(belowEighth, 2), "0.12");
  EXPECT_EQ(FloatToStrF(static_cast<double>(belowEighth), 2), "0.13");
  EXPECT_EQ(ExtendedToStrF(147.0L / 10.0L, 2), "14.70");
  EXPECT_EQ(ExtendedToStrF(LDBL_MAX, 0), "1.19E4932");
}

TEST(IntToStrTest, DecimalDigitsWithSign) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-1), "-1");
  EXPECT_EQ(IntToStr(255), "255");
  EXPECT_EQ(IntToStr(std::numeric_limits<int32_t>::min()), "-2147483648");
  EXPECT_EQ(IntToStr(std::numeric_limits<int32_t>::max()), "2147483647");
}

}  // namespace
}  // namespace tarvelin
